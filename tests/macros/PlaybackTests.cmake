# Virtual device, uinput backend, driver installation and software playback.
list(APPEND MACROS_TESTS
  VHidevTest.cpp
  UinputHidBackendTest.cpp
  PlaybackAssignmentTest.cpp
  PlaybackMacroTest.cpp
  PlaybackThreadTest.cpp
  DriverInstallerTest.cpp
  DriverHelperScriptTest.cpp
)
# The helper script test runs the shipped files from the source tree.
set_source_files_properties(DriverHelperScriptTest.cpp PROPERTIES
  COMPILE_DEFINITIONS "PELMORA_SOURCE_DIR=\"${PROJECT_SOURCE_DIR}\"")
