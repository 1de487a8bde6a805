# Wayland protocol bindings generated at build time by wayland-scanner from
# the XML files Debian ships:
#   wlr gamma control   librust-wayland-protocols-dev (the crate's copy of wlr-protocols)
#   xdg-output          wayland-protocols
find_package(PkgConfig REQUIRED)
pkg_check_modules(WaylandClient REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WaylandServer REQUIRED IMPORTED_TARGET wayland-server)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)

file(GLOB _halvoscope_wlr_dirs /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
find_file(HALVOSCOPE_WLR_GAMMA_XML wlr-gamma-control-unstable-v1.xml
  PATHS ${_halvoscope_wlr_dirs} NO_DEFAULT_PATH REQUIRED)
find_file(HALVOSCOPE_XDG_OUTPUT_XML xdg-output-unstable-v1.xml
  PATHS /usr/share/wayland-protocols/unstable/xdg-output NO_DEFAULT_PATH REQUIRED)

# halvoscope_wayland_protocol(<target> <client|server> <xml>...): generates
# the side's header and the glue code into the build tree and adds both to
# the target; the header folder is a SYSTEM include of the target.
function(halvoscope_wayland_protocol target side)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-${side})
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    set(header ${dir}/${name}-${side}-protocol.h)
    set(code ${dir}/${name}-${side}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${WAYLAND_SCANNER} ${side}-header ${xml} ${header}
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
      DEPENDS ${xml} VERBATIM)
    target_sources(${target} PRIVATE ${header} ${code})
  endforeach()
  target_include_directories(${target} SYSTEM PRIVATE ${dir})
endfunction()
