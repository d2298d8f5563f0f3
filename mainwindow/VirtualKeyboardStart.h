// The virtual keyboard at start-up: opened, installed when it cannot be
// opened, and when even that fails the user is told and the program ends.
#pragma once

#include <functional>

#include "zephui/WindowTypes.h"

class DriverInstaller;
class VHidev;

/// Whether the program goes on after the virtual keyboard's start-up.
enum class StartupOutcome {
  Continue,    ///< the device is open with every report zeroed
  EndProgram,  ///< it could not be installed; the program ends with exit code 0
};

/// Runs the start-up of the virtual device; on failure calls `tellInstallFailed` once and asks to end.
StartupOutcome StartVirtualKeyboard(VHidev& device, DriverInstaller& installer,
                                    const std::function<void()>& tellInstallFailed);

/// The "Install Driver" box with "InstallDriver Error!" over `owner`; on standard error when there is no display.
void ShowInstallDriverError(ZephUI::HWND owner);
