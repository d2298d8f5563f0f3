# Skin pictures are drawn at build time by tools/skingen into the theme folder
# beside the program, and installed with it. Included by data/CMakeLists.txt.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/skingen ${CMAKE_BINARY_DIR}/tools/skingen)

set(PELMORA_SKIN_DIR ${PELMORA_BIN_DIR}/skins/theme1)
file(GLOB PELMORA_SKIN_LAYOUTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/layouts/*.xml)

# The tray icon is written last, so it stands for the whole folder: deleting
# the folder (or the icon) brings the step back. Leak reports are off because
# fontconfig keeps its caches until exit in sanitizer builds.
add_custom_command(
  OUTPUT ${PELMORA_SKIN_DIR}/DeviceDriver.ico
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:skingen> --out ${PELMORA_SKIN_DIR} --layouts ${CMAKE_CURRENT_SOURCE_DIR}/layouts
  DEPENDS skingen ${PELMORA_SKIN_LAYOUTS}
  COMMENT "Drawing the skin pictures"
  VERBATIM)
add_custom_target(skins DEPENDS ${PELMORA_SKIN_DIR}/DeviceDriver.ico)
add_dependencies(product_data skins)

install(DIRECTORY ${PELMORA_BIN_DIR}/skins DESTINATION lib/pelmora-keyboard-t40)

if(PELMORA_TESTS)
  # The top level enables testing after this folder is read; enable it here
  # too so the check is registered.
  enable_testing()
  add_test(NAME Skins.EveryNamedPictureIsThere
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:skincheck> --skins ${PELMORA_SKIN_DIR} --layouts ${CMAKE_CURRENT_SOURCE_DIR}/layouts
            --sources ${PROJECT_SOURCE_DIR})
  set_tests_properties(Skins.EveryNamedPictureIsThere PROPERTIES LABELS unit)
endif()
