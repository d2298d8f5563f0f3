// The main window on the test binary's private Xvfb with the simulated T40:
// real pointer clicks (XTEST) on the tab strip and the device list change the
// caption, and starting the demo program a second time brings the hidden
// window back and ends that second copy with 0.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/SingleInstance.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/MTabCtrl.h"
#include "zephui/TabItemInfo.h"
#include "zephui/Window.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"
#include "tests/mainwindow/PointerClick.h"
#include "tests/mainwindow/TestWindowParts.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

extern char** environ;

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{0, 0, 1280, 720};

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

class KeyboardDlgOnX11 : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(PrepareDatabaseFolder());
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_);
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, kWindow), nullptr);
    ASSERT_TRUE(PumpUntil([this] {
      window_->Services().StepWorker();
      return window_->IsDevicePresentView() && IsWindowVisible(window_->GetSafeHwnd());
    }));
  }
  void TearDown() override {
    window_.reset();
    hidsim::Bus::Instance().Reset();
    X11Fixture::TearDown();
  }
  void Click(int x, int y) {
    ClickAt(client_, x, y);
  }
  void ClickCentre(const Rect& rect) { Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }
  // Clicks a tab and waits until the caption shows `caption`.
  bool ClickTab(int index, const std::u16string& caption) {
    ClickCentre(window_->Frame().TabStrip()->GetItemInfo(index)->rect);
    return PumpUntil([&] { return window_->Frame().CaptionText() == caption && window_->CurrentTabIndex() == index; });
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(KeyboardDlgOnX11, ClicksOnTheTabsAndTheDeviceListChangeTheCaption) {
  MainFrame& frame = window_->Frame();
  ASSERT_EQ(frame.CaptionText(), Text(51));
  EXPECT_TRUE(ClickTab(2, Text(52)));
  EXPECT_TRUE(ClickTab(3, Text(53)));
  EXPECT_TRUE(ClickTab(4, Text(56)));
  EXPECT_TRUE(ClickTab(1, Text(51)));
  EXPECT_TRUE(ClickTab(0, u""));
  EXPECT_TRUE(PumpUntil([&frame] { return !frame.IsTabStripVisible(); }));

  // The home page's connected keyboard takes the user to its key page.
  CDeviceCtrl* devices = frame.DeviceList();
  ASSERT_TRUE(PumpUntil([devices] { return devices->GetItemRect(0).Width() > 0; }));
  const Rect row = devices->GetItemRect(0);
  const Rect list = devices->GetRect();
  ClickCentre(Rect{list.left + row.left, list.top + row.top, list.left + row.right, list.top + row.bottom});
  EXPECT_TRUE(PumpUntil([&] {
    return frame.IsTabStripVisible() && window_->CurrentTabIndex() == 1 && frame.CaptionText() == Text(51);
  }));
}

TEST_F(KeyboardDlgOnX11, ASecondCopyShowsTheHiddenWindowAndEndsWithZero) {
  const HWND hwnd = window_->GetSafeHwnd();
  ShowWindow(hwnd, SW_HIDE);
  ASSERT_TRUE(PumpUntil([hwnd] { return !IsWindowVisible(hwnd); }));
  SingleInstance first;  // this process plays the running copy
  ASSERT_EQ(first.Acquire(GetRuntimeFolder(), DeviceNameForFiles()), SingleInstance::Result::First);

  const std::string program = GetModuleFolder() + "pelmora-keyboard-t40-demo";
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t child = -1;
  ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
  int status = -1;
  bool ended = false;
  EXPECT_TRUE(PumpUntil([&] {
    if (!ended) ended = waitpid(child, &status, WNOHANG) == child;
    return ended && IsWindowVisible(hwnd);
  }));
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(window_->IsWindowVisible());
}

// This Xvfb has no tray of either kind, so hiding would leave the user no way back.
TEST_F(KeyboardDlgOnX11, WithoutATrayTheHideChoiceMinimisesTheWindow) {
  const HWND hwnd = window_->GetSafeHwnd();
  WriteSettingString("exit_mode", u"1");
  Rect frame;
  ASSERT_TRUE(GetWindowRect(hwnd, frame));
  Click(frame.right - 35, frame.top + 35);
  EXPECT_TRUE(PumpUntil([hwnd] { return IsIconic(hwnd); }));
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

}  // namespace
}  // namespace zephuitest
