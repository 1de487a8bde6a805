# The compiler settings every library, executable, test and benchmark of this
# project builds with, as one target they link PRIVATE, so the settings never
# travel to a target through a library it links.
add_library(halvoscope_build_settings INTERFACE)
target_compile_options(halvoscope_build_settings INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Wpedantic;-Wshadow;-Wnon-virtual-dtor;-Wold-style-cast>
  $<$<BOOL:${HALVOSCOPE_WERROR}>:-Werror>)
target_compile_definitions(halvoscope_build_settings INTERFACE
  QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# What code generated from our QML files needs relaxed: qmlcachegen's
# ahead-of-time functions declare names that shadow their own parameters.
# The rest of the generated code (moc, rcc, QML type registration, plugin
# stubs) passes every warning above; Qt's headers need no entry either, as
# imported targets bring them in as system headers.
set(HALVOSCOPE_GENERATED_CODE_OPTIONS -Wno-shadow)

# Links the settings into every target that compiles code in `dir` and the
# folders below it, and relaxes them for the generated files among its
# sources. Called once after every folder is added, so a folder's new
# targets are covered without a line in its CMakeLists.txt.
function(halvoscope_link_build_settings dir)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(_target IN LISTS _targets)
    get_target_property(_type ${_target} TYPE)
    if(NOT _type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    target_link_libraries(${_target} PRIVATE halvoscope_build_settings)
    get_target_property(_sources ${_target} SOURCES)
    get_target_property(_source_dir ${_target} SOURCE_DIR)
    foreach(_source IN LISTS _sources)
      if(_source MATCHES "\\$<")
        continue()
      endif()
      cmake_path(ABSOLUTE_PATH _source BASE_DIRECTORY ${_source_dir} OUTPUT_VARIABLE _path)
      cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${_path} _generated)
      if(_generated AND _path MATCHES "\\.(cpp|cxx|cc)$")
        set_property(SOURCE ${_path} TARGET_DIRECTORY ${_target}
          APPEND PROPERTY COMPILE_OPTIONS ${HALVOSCOPE_GENERATED_CODE_OPTIONS})
      endif()
    endforeach()
  endforeach()
  get_property(_folders DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_folder IN LISTS _folders)
    halvoscope_link_build_settings(${_folder})
  endforeach()
endfunction()
