#include "macros/virtualdevice/DriverInstaller.h"

#include <utility>
#include <vector>

#include "app/Paths.h"
#include "macros/virtualdevice/CommandRunner.h"
#include "macros/virtualdevice/VHidev.h"

DriverInstaller::DriverInstaller(VHidev& device, CommandRunner& runner, std::string helperPath)
    : device_(device), runner_(runner), helperPath_(std::move(helperPath)) {}

std::string DriverInstaller::DefaultHelperPath() { return GetModuleFolder() + "driver/pelmora-driver-helper"; }

bool DriverInstaller::installDrivers() {
  if (device_.openVirtualDevice()) return true;
  // Whatever pkexec's status (refused, dismissed, helper failed), the device
  // opening afterwards is the only answer that matters.
  if (!RunHelper(kInstallMode)) return false;
  return device_.openVirtualDevice();
}

bool DriverInstaller::removeDrivers() { return RunHelper(kRemoveMode); }

bool DriverInstaller::RunHelper(std::string_view mode) {
  const std::vector<std::string> command{kElevator, helperPath_, std::string(mode)};
  return runner_.RunAndWait(command).has_value();
}
