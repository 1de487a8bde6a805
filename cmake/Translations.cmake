# The catalogues: translations/halvoscope_<language>.ts. The .qm files are
# built from them and embedded (src/app); `cmake --build build --target
# update_translations` collects every text of src/ into them with lupdate.
set(HALVOSCOPE_LANGUAGES ar de en_GB es fr it ja pt_BR zh_CN)
# Languages whose catalogue must translate every text (the test checks).
set(HALVOSCOPE_COMPLETE_LANGUAGES de en_GB es fr it ja pt_BR zh_CN)
set(HALVOSCOPE_TS_FILES)
foreach(_language IN LISTS HALVOSCOPE_LANGUAGES)
  list(APPEND HALVOSCOPE_TS_FILES ${PROJECT_SOURCE_DIR}/translations/halvoscope_${_language}.ts)
endforeach()
file(GLOB_RECURSE HALVOSCOPE_TRANSLATED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.qml)
