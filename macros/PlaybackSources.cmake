# Virtual device on uinput, driver installation and software playback.
list(APPEND MACROS_SOURCES
  DriverInstaller.cpp
  MacroPlayer.cpp
  PosixCommandRunner.cpp
  UinputDevice.cpp
  UinputHidBackend.cpp
  VHidev.cpp
  VirtualDeviceStartup.cpp
)
