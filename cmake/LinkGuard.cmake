# Fails the configure step when `target` links anything outside `ARGN`, so
# a library that must stay free of platform code cannot pick it up by
# accident (not even through a dependency added later). The shared build
# settings (cmake/BuildSettings.cmake) are allowed everywhere: they carry
# compiler flags, no code.
function(halvoscope_guard_links target)
  get_target_property(_links ${target} LINK_LIBRARIES)
  if(NOT _links)
    set(_links "")
  endif()
  set(_allowed ${ARGN} halvoscope_build_settings)
  foreach(_link IN LISTS _links)
    if(NOT _link IN_LIST _allowed)
      message(FATAL_ERROR
        "${target} may link only ${ARGN}, found: ${_link} (all links: ${_links})")
    endif()
  endforeach()
endfunction()
