// "Driver installation" on Linux: nothing is loaded into the kernel; the
// shipped udev rules give the user at the seat access to /dev/uinput and to
// the keyboard's hidraw and event nodes, and a libinput quirk keeps "disable
// touchpad while typing" working with the virtual keyboard. The helper
// script in the program's driver folder installs or removes them as root,
// started through pkexec.
#pragma once

#include <string>
#include <string_view>

class CommandRunner;
class VHidev;

class DriverInstaller {
 public:
  /// Program that runs the helper as root and asks the user to authenticate.
  static constexpr char kElevator[] = "pkexec";
  /// Helper argument that installs the rules and the quirk (replacing an earlier install).
  static constexpr char kInstallMode[] = "install";
  /// Helper argument that removes them.
  static constexpr char kRemoveMode[] = "remove";

  /// The device, the runner and nothing else are used; all must outlive the installer.
  DriverInstaller(VHidev& device, CommandRunner& runner, std::string helperPath);

  /// The helper beside the program: "<program folder>driver/pelmora-driver-helper".
  static std::string DefaultHelperPath();

  /// True at once when the device opens; else runs the helper's install mode and reports whether the device opens then.
  bool installDrivers();
  /// Runs the helper's remove mode; whether it could be started.
  bool removeDrivers();

 private:
  bool RunHelper(std::string_view mode);

  VHidev& device_;
  CommandRunner& runner_;
  std::string helperPath_;
};
