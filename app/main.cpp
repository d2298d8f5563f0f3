// Entry of pelmora-keyboard-t40: refuses to run twice (showing the running
// copy instead), prepares language, user data and the virtual keyboard, then
// runs the main window until the program ends.
//
// PELMORA_SCREENSHOT=<file.png> makes a run write the main window to that
// file once it shows a connected keyboard, print the path and end (the demo
// without a display); PELMORA_REPORT_START=1 prints the milliseconds from the
// process start to the first painted main window.
#include <cairo.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/Hardware.h"
#include "app/Paths.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/SystemLanguage.h"
#include "macros/virtualdevice/DriverInstaller.h"
#include "macros/virtualdevice/PosixCommandRunner.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/DatabaseNotice.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/VirtualKeyboardStart.h"
#include "zephui/Headless.h"
#include "zephui/Manager.h"
#include "zephui/Window.h"
#include "zephui/WindowMark.h"
#include "zephui/WindowSurface.h"

namespace {

bool WriteWindowPng(ZephUI::HWND window, const std::string& path) {
  ZephUI::WindowSurface surface(window);
  if (!surface.IsValid()) return false;
  return cairo_surface_write_to_png(surface.Get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// Milliseconds since the process started, from the kernel's start time of this process.
long MillisecondsSinceStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  for (int i = 0; i < 22 && stat >> field; ++i) {
  }
  std::ifstream uptime("/proc/uptime");
  double up = 0;
  uptime >> up;
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<long>((up - started) * 1000.0);
}

// A screenshot run: the file to write and the window to photograph once its device view has settled.
struct ScreenshotRun {
  std::string path;
  KeyboardDlg* window = nullptr;
  bool scheduled = false;
};
ScreenshotRun g_screenshot;

// Paints are paced, so the picture is taken a moment after the device view first shows, fully drawn.
void TakeScreenshot(ZephUI::HWND hwnd, ZephUI::UINT, std::uintptr_t id, std::uint32_t) {
  ZephUI::KillTimer(hwnd, id);
  ZephUI::UpdateWindow(hwnd);
  if (!WriteWindowPng(hwnd, g_screenshot.path)) std::fprintf(stderr, "cannot write %s\n", g_screenshot.path.c_str());
  std::printf("%s\n", g_screenshot.path.c_str());
  std::fflush(stdout);
  g_screenshot.window->ExitSequence(0);
}

// The hooks of a normal run, of a screenshot run and of a timed run.
KeyboardDlgHooks MakeHooks() {
  KeyboardDlgHooks hooks;
  hooks.shown = [] { ShowHardwareWindows(); };
  const char* shot = std::getenv("PELMORA_SCREENSHOT");
  g_screenshot.path = shot != nullptr ? shot : "";
  const bool reportStart = std::getenv("PELMORA_REPORT_START") != nullptr;
  hooks.painted = [reportStart, first = true](KeyboardDlg& window, bool devicePresent) mutable {
    if (first && reportStart) {
      std::printf("first paint after %ld ms\n", MillisecondsSinceStart());
      std::fflush(stdout);
    }
    first = false;
    if (g_screenshot.path.empty() || !devicePresent || g_screenshot.scheduled) return;
    g_screenshot.scheduled = true;
    g_screenshot.window = &window;
    // Without any display the window system's clock stands still unless waiting moves it on.
    if (ZephUI::Headless::IsActive()) ZephUI::Headless::SetClockMode(ZephUI::Headless::ClockMode::AutoAdvance);
    constexpr std::uintptr_t kScreenshotTimer = 0x5C07;
    ZephUI::SetTimer(window.GetSafeHwnd(), kScreenshotTimer, 300, &TakeScreenshot);
  };
  return hooks;
}

}  // namespace

int main() {
  PrepareHardware();
  const std::string programFolder = GetModuleFolder();
  LoadDeviceName(programFolder);

  SingleInstance instance;
  if (instance.Acquire(GetRuntimeFolder(), DeviceNameForFiles()) == SingleInstance::Result::AlreadyRunning) {
    ZephUI::ActivateMarkedWindow(ZephUI::Manager::GetDeviceName());
    return 0;
  }
  ChooseLanguage(SystemUiLanguage());
  PrepareDatabaseFolder();

  // Reassigned keys need the virtual keyboard; without it the program cannot work and says so.
  PosixCommandRunner runner;
  DriverInstaller installer(VHidev::instance(), runner, DriverInstaller::DefaultHelperPath());
  if (StartVirtualKeyboard(VHidev::instance(), installer, [] { ShowInstallDriverError(nullptr); }) ==
      StartupOutcome::EndProgram) {
    return 0;
  }

  KeyboardDlgParts parts;
  parts.programFolder = programFolder;
  parts.services.filterDevices = &KeyFilterDiscovery();
  parts.services.hotplug = DeviceNotices();
  parts.hooks = MakeHooks();
  // A database file that could not be used is explained once the window shows.
  // The box's modal loop keeps serving the main window, so a screenshot run
  // still photographs the main window and ends with the box open.
  KeyboardDlg* shownWindow = nullptr;
  parts.hooks.shown = [&shownWindow, first = std::move(parts.hooks.shown)] {
    if (first) first();
    DatabaseNotice::For(shownWindow->Services().DatabaseState()).Show(shownWindow->GetSafeHwnd());
  };
  KeyboardDlg window(std::move(parts));
  shownWindow = &window;
  window.Run();
  return 1;
}
