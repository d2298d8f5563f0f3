// The macro page inside the main window with the simulated T40: the load job
// fills it, the language refresh renames its macros, and a recording ends
// when the window hides, the tab changes or the program exits.
#include <gtest/gtest.h>

#include <memory>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/macropage/MacroList.h"
#include "mainwindow/macropage/MacroPage.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/MTabCtrl.h"
#include "zephui/Window.h"
#include "tests/mainwindow/TestWindowParts.h"

using namespace ZephUI;

namespace {

constexpr char kT40Path[] = "/sys/devices/usb1/1-1/1-1:1.1/0003:1209:0001.0001/hidraw/hidraw0";

class MacroPageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    SetLanguageId(1033);
    hidsim::Bus::Instance().Reset();
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());
    Open();
  }
  void TearDown() override {
    window_.reset();
    SetLanguageId(1033);
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
  }

  void Open() {
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, nullptr,
                                               [this](int code) { exitCode_ = code; });
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    hotplug_.Notify(DeviceEvent::Arrival, kT40Path);
    RunWorker();
  }
  void RunWorker() {
    for (int step = 0; step < 12; ++step) {
      Headless::Pump();
      window_->Services().StepWorker();
    }
    Headless::Pump();
  }
  MacroPage& Page() { return *window_->MacrosPage(); }
  MTabCtrl& Tabs() { return *window_->Frame().TabStrip(); }
  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  int exitCode_ = -1;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(MacroPageWindowTest, TheLoadJobFillsThePageAndTheLanguageRefreshRenamesItsMacros) {
  ASSERT_NE(window_->MacrosPage(), nullptr);
  Page().Macros().NewMacro();
  Page().Macros().NewMacro();
  // The device's next load shows what the store holds, the first macro selected.
  window_->QueueJob(JobCode::JOB_LOAD_PAGES);
  RunWorker();
  ASSERT_EQ(Page().Macros().List()->GetItemCount(), 2);
  EXPECT_EQ(Page().Macros().List()->GetCurSel(), 0);

  SetLanguageId(2052);
  window_->RefreshLanguage();
  EXPECT_EQ(Page().Macros().List()->GetItemText(1), GetLanguageText(kDialogSection, 331) + u" 2");
}

TEST_F(MacroPageWindowTest, ARecordingEndsWhenTheWindowHidesTheTabChangesOrTheProgramExits) {
  Page().Macros().NewMacro();
  ASSERT_TRUE(Page().StartRecording());
  EXPECT_FALSE(Tabs().IsEnabled());
  window_->OnMessage(FrameId::kTabStrip, NOTIFY_CLICKED, 1, 0);
  EXPECT_EQ(Page().Mode(), CaptureMode::Idle);
  EXPECT_TRUE(Tabs().IsEnabled());

  ASSERT_TRUE(Page().StartRecording());
  ShowWindow(window_->GetSafeHwnd(), SW_HIDE);
  EXPECT_EQ(Page().Mode(), CaptureMode::Idle);
  EXPECT_TRUE(Tabs().IsEnabled());

  ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
  ASSERT_TRUE(Page().StartRecording());
  window_->ExitSequence(0);
  EXPECT_EQ(exitCode_, 0);
  EXPECT_EQ(Page().Mode(), CaptureMode::Idle);
}

}  // namespace
