# Fails the configure step when `target` links anything outside `ARGN`, so
# a library that must stay free of platform code cannot pick it up by
# accident (not even through a dependency added later).
function(halvoscope_guard_links target)
  get_target_property(_links ${target} LINK_LIBRARIES)
  if(NOT _links)
    set(_links "")
  endif()
  set(_allowed ${ARGN})
  foreach(_link IN LISTS _links)
    if(NOT _link IN_LIST _allowed)
      message(FATAL_ERROR
        "${target} may link only ${_allowed}, found: ${_link} (all links: ${_links})")
    endif()
  endforeach()
endfunction()
