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
