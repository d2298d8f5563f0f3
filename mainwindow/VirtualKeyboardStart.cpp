#include "mainwindow/VirtualKeyboardStart.h"

#include <cstdio>

#include "macros/virtualdevice/VirtualDeviceStartup.h"
#include "mainwindow/CUIMessageBox.h"
#include "zephui/Backend.h"

StartupOutcome StartVirtualKeyboard(VHidev& device, DriverInstaller& installer,
                                    const std::function<void()>& tellInstallFailed) {
  if (VirtualDeviceStartup(device, installer).run() == VirtualDeviceStatus::Ready) return StartupOutcome::Continue;
  tellInstallFailed();
  return StartupOutcome::EndProgram;
}

void ShowInstallDriverError(ZephUI::HWND owner) {
  // Without a display nobody could close the box, and the program would never end.
  if (ZephUI::ActiveBackend() == ZephUI::BackendKind::Headless) {
    std::fputs("Install Driver: InstallDriver Error!\n", stderr);
    return;
  }
  CUIMessageBox::Show(u"InstallDriver Error!", owner, u"Install Driver", CUIMessageBox::kOneButton);
}
