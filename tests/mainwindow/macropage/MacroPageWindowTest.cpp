// The macro page inside the main window with the simulated T40: the load job
// fills it, the language refresh renames its macros, a recording ends when
// the window hides, the tab changes or the program exits, and a key bound to
// a macro plays the steps the page stored through the key filter.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/VHidev.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/macropage/EventComposer.h"
#include "mainwindow/macropage/MacroList.h"
#include "mainwindow/macropage/MacroPage.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/RecordEditor.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "tests/fakes/FakeEvdevDevice.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/ControlTypes.h"
#include "zephui/CRecordList.h"
#include "zephui/DListBox.h"
#include "zephui/RecordItem.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/MTabCtrl.h"
#include "zephui/MessageCodes.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

constexpr char kT40Path[] = "/sys/devices/usb1/1-1/1-1:1.1/0003:1209:0001.0001/hidraw/hidraw0";
constexpr int kKeyAOnLayout = 0x104;
constexpr int kUsageC = 6;

class MacroPageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    SetLanguageId(1033);
    hidsim::Bus::Instance().Reset();
    auto backend = std::make_unique<FakeVirtualHidBackend>();
    keys_ = backend.get();
    virtualDevice_ = std::make_unique<VHidev>(std::move(backend));
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());
    keyboard_ = std::make_shared<FakeEvdevDevice::Script>(FakeEvdevDevice::Identity{"/dev/input/event7"});
    filterDevices_.add(keyboard_);
    clock_.OnSleep([this](std::uint32_t ms) {
      if (!watchSleeps_.load()) return;
      std::lock_guard lock(sleepsMutex_);
      sleeps_.push_back(static_cast<int>(ms));
    });
    Open();
  }
  void TearDown() override {
    window_.reset();
    SetLanguageId(1033);
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
  }

  void Open() {
    KeyboardDlgParts parts;
    parts.services.clock = &clock_;
    parts.services.hotplug = &hotplug_;
    parts.services.filterDevices = &filterDevices_;
    parts.services.virtualDevice = virtualDevice_.get();
    parts.worker = WorkerThread::Manual;
    parts.endProcess = [this](int code) { exitCode_ = code; };
    parts.programFolder = GetModuleFolder();
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
  // The keyboard usages of every keyboard report written since `from`, in order.
  std::vector<std::vector<int>> ReportsSince(std::size_t from) {
    std::vector<std::vector<int>> reports;
    for (std::size_t i = from; i < keys_->writes.size(); ++i) {
      const auto& write = keys_->writes[i];
      if (write[1] != VHidev::kKeyboardReport) continue;
      std::vector<int> usages;
      for (int usage = 1; usage < 256; ++usage) {
        if ((write[2 + usage / 8] >> (usage % 8)) & 1) usages.push_back(usage);
      }
      reports.push_back(usages);
    }
    return reports;
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::shared_ptr<FakeEvdevDevice::Script> keyboard_;
  FakeVirtualHidBackend* keys_ = nullptr;
  std::unique_ptr<VHidev> virtualDevice_;
  int exitCode_ = -1;
  std::atomic<bool> watchSleeps_{false};
  std::mutex sleepsMutex_;
  std::vector<int> sleeps_;
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

TEST_F(MacroPageWindowTest, AKeyBoundToAMacroPlaysTheStepsThePageStoredWithTheirDelays) {
  Page().Macros().NewMacro();
  const int macroId = Page().Macros().SelectedMacro();
  // Mend the macro on the page: C pressed and released, 40 ms between them.
  Page().OnNotify(MacroPageId::kKeyField, NOTIFY_PRESSED, 0, 0);
  SendMessage(window_->GetSafeHwnd(), WM_KEYDOWN, 'C', 0);
  Page().OnNotify(MacroPageId::kInsert, NOTIFY_CLICKED, 0, 0);
  Page().Records().List()->GetRecordItems()[0]->delay = 40;
  Page().OnNotify(MacroPageId::kRecords, NOTIFY_EDIT_END, 0, 0);

  KeyAssignmentRecord row;
  row.profile = window_->CurrentProfileId();
  row.keyCode = kKeyAOnLayout;
  row.macroType = kMacroAssignment;
  row.macroValue = macroId;
  ASSERT_GT(window_->Services().Store().SaveKeyAssignment(row), 0);
  Page().SaveSteps();  // the filter learns the key with the page's save
  ASSERT_TRUE(keyboard_->waitUntil([&] { return keyboard_->grabbed(); }));

  const std::size_t before = keys_->writes.size();
  watchSleeps_ = true;
  keyboard_->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  keyboard_->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  // The filter's thread queues the macro; the worker plays it on one of its steps.
  for (int step = 0; step < 500 && ReportsSince(before).size() < 3; ++step) {
    window_->Services().StepWorker();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  watchSleeps_ = false;
  std::vector<std::vector<int>> pressed;
  for (const auto& report : ReportsSince(before)) {
    if (!report.empty() || (!pressed.empty() && !pressed.back().empty())) pressed.push_back(report);
  }
  ASSERT_GE(pressed.size(), 2u);
  EXPECT_EQ(pressed[0], std::vector<int>{kUsageC});
  EXPECT_EQ(pressed[1], std::vector<int>{});
  std::lock_guard lock(sleepsMutex_);
  EXPECT_NE(std::find(sleeps_.begin(), sleeps_.end(), 40), sleeps_.end()) << "the stored delay after the press";
}

}  // namespace
