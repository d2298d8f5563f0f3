// The main window on the headless window system with the simulated T40 on the
// simulated HID bus: the device views as the keyboard comes and goes, a job
// whose keyboard vanishes, the close button and exit requests, and the special
// key functions. The worker's steps run on the test's thread, one at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "store/ProfileStore.h"
#include "store/Records.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/Clipboard.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/TrayIcon.h"
#include "zephui/Window.h"
#include "tests/mainwindow/TestWindowParts.h"

using namespace ZephUI;

namespace {

constexpr char kT40Path[] = "/sys/devices/usb1/1-1/1-1:1.1/0003:1209:0001.0001/hidraw/hidraw0";
constexpr int kNoExit = -1;

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

class RecordingOpener : public AddressOpener {
 public:
  void Open(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

class KeyboardDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    hidsim::Bus::Instance().Reset();
    auto backend = std::make_unique<FakeVirtualHidBackend>();
    keys_ = backend.get();
    virtualDevice_ = std::make_unique<VHidev>(std::move(backend));
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());  // as the program's entry does before the window
  }
  void TearDown() override {
    window_.reset();
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
  }

  // Creates the window and lets the worker run its first jobs.
  void Open() {
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_,
                                               [this](int code) { exitCode_ = code; });
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    RunWorker();
  }
  // Steps the worker until its queue has been idle for a few steps, handling messages between steps.
  void RunWorker() {
    for (int step = 0; step < 12; ++step) {
      Headless::Pump();
      window_->Services().StepWorker();
    }
    Headless::Pump();
  }
  hidsim::Bus::KeyboardIds Plug() {
    auto ids = hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    hotplug_.Notify(DeviceEvent::Arrival, kT40Path);
    RunWorker();
    return ids;
  }
  void Unplug(const hidsim::Bus::KeyboardIds& ids) {
    hidsim::Bus::Instance().UnplugKeyboard(ids.vendor);
    hotplug_.Notify(DeviceEvent::RemoveComplete, kT40Path);
    RunWorker();
  }
  HWND Hwnd() const { return window_->GetSafeHwnd(); }
  void ClickClose() {
    Headless::ClickClient(Hwnd(), 1280 - 35, 35);
    Headless::Pump();
  }
  // The keyboard usages the virtual keyboard holds down now.
  bool Holds(int usage) const {
    for (auto write = keys_->writes.rbegin(); write != keys_->writes.rend(); ++write) {
      if ((*write)[1] == VHidev::kKeyboardReport) return ((*write)[2 + usage / 8] & (1u << (usage % 8))) != 0;
    }
    return false;
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  FakeVirtualHidBackend* keys_ = nullptr;
  std::unique_ptr<VHidev> virtualDevice_;
  RecordingOpener opener_;
  int exitCode_ = kNoExit;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(KeyboardDlgTest, TheDeviceViewFollowsTheKeyboardComingAndGoing) {
  Open();
  MainFrame& frame = window_->Frame();
  EXPECT_EQ(frame.StatusText(), Text(61));
  EXPECT_FALSE(frame.IsTabStripVisible());
  EXPECT_EQ(frame.DeviceList()->GetConnectCount(), 0);

  const auto ids = Plug();
  EXPECT_EQ(frame.StatusText(), Text(60));
  EXPECT_TRUE(frame.IsTabStripVisible());
  for (int index = 1; index <= 4; ++index) EXPECT_TRUE(frame.IsTabVisible(index)) << index;
  EXPECT_EQ(window_->PageMask(), 0x47U);
  EXPECT_EQ(frame.CaptionText(), Text(51));
  EXPECT_EQ(window_->CurrentTabIndex(), 1);
  EXPECT_EQ(frame.DeviceList()->GetConnectCount(), 1);
  EXPECT_TRUE(window_->IsDevicePresentView());

  Unplug(ids);
  EXPECT_EQ(frame.StatusText(), Text(61));
  EXPECT_FALSE(frame.IsTabStripVisible());
  EXPECT_EQ(frame.CaptionText(), u"");
  EXPECT_EQ(window_->CurrentTabIndex(), 0);
  EXPECT_EQ(frame.DeviceList()->GetConnectCount(), 0);
}

// Steps the worker from inside the wait dialog's modal loop, as its thread would.
KeyboardDlg* g_window = nullptr;
int g_ticks = 0;
void StepFromTimer(HWND hwnd, UINT, std::uintptr_t id, std::uint32_t) {
  if (++g_ticks > 200) {  // the dialog never closed: end it so the test can fail instead of hanging
    KillTimer(hwnd, id);
    PostMessage(FindWindow(u"ZephClient", u"WaitDlg"), WM_CLOSE, 0, 0);
    return;
  }
  g_window->Services().StepWorker();
}

TEST_F(KeyboardDlgTest, AJobWhoseKeyboardVanishesLeavesTheWindowEnabledAndTheWaitDialogClosed) {
  Open();
  const auto ids = Plug();
  ASSERT_TRUE(window_->IsDevicePresentView());
  hidsim::Bus::Instance().UnplugAfterFrames(ids.vendor, 1);
  hotplug_.Notify(DeviceEvent::RemoveComplete, kT40Path);  // the notice may come while the job still runs
  g_window = window_.get();
  g_ticks = 0;
  window_->QueueJob(JobCode::JOB_APPLY_LIGHTING);
  SetTimer(Hwnd(), 77, 16, &StepFromTimer);
  window_->ShowWaitDialog();  // returns once the worker closed it
  KillTimer(Hwnd(), 77);
  EXPECT_LE(g_ticks, 200) << "the wait dialog was never closed by the worker";
  RunWorker();
  EXPECT_FALSE(window_->HasWaitDialog());
  EXPECT_EQ(FindWindow(u"ZephClient", u"WaitDlg"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Hwnd()));
  EXPECT_EQ(window_->Frame().StatusText(), Text(61));
}

// Answers the close-behaviour dialog from inside its modal loop.
bool g_pressOk = false;
void AnswerCloseDialog(HWND hwnd, UINT, std::uintptr_t id, std::uint32_t) {
  const HWND dialog = FindWindow(u"ZephClient", u"CloseWindowTipDlg");
  if (dialog == nullptr) return;
  KillTimer(hwnd, id);
  if (g_pressOk) {
    Headless::ClickClient(dialog, 360 - 70, 200 - 35);
  } else {
    PostMessage(dialog, WM_CLOSE, 0, 0);
  }
}

TEST_F(KeyboardDlgTest, TheCloseButtonAsksHidesOrExitsByTheStoredChoice) {
  Open();
  // Nothing stored: the dialog asks; OK with the first option stores "1" and hides to the tray.
  g_pressOk = true;
  SetTimer(Hwnd(), 78, 20, &AnswerCloseDialog);
  ClickClose();
  EXPECT_EQ(ReadSettingInt("exit_mode"), 1);
  EXPECT_FALSE(window_->IsWindowVisible());
  EXPECT_FALSE(IsWindowVisible(Hwnd()));
  EXPECT_EQ(exitCode_, kNoExit);
  ASSERT_TRUE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Left));
  Headless::Pump();
  EXPECT_TRUE(IsWindowVisible(Hwnd()));
  EXPECT_TRUE(window_->IsWindowVisible());

  // Choice 0 again and the dialog left without OK: nothing is stored and the program ends.
  WriteSettingString("exit_mode", u"0");
  g_pressOk = false;
  SetTimer(Hwnd(), 78, 20, &AnswerCloseDialog);
  ClickClose();
  EXPECT_EQ(ReadSettingInt("exit_mode"), 0);
  EXPECT_EQ(exitCode_, 0);
}

TEST_F(KeyboardDlgTest, ExitingReleasesTheTrayAndLeavesTheDatabaseOneCompleteFile) {
  Open();
  WriteSettingString("exit_mode", u"2");
  PostMessage(Hwnd(), KbMessage::kExitRequest, 0, 611);
  Headless::Pump();
  EXPECT_EQ(exitCode_, kNoExit);  // only the agreed value ends the program

  ClickClose();
  EXPECT_EQ(exitCode_, 0);
  EXPECT_EQ(FindWindow(u"ZephClient", u"CloseWindowTipDlg"), nullptr);  // the stored choice is not asked again
  EXPECT_FALSE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Left));  // the tray icon is gone
  const std::filesystem::path db(GetUserDataFolder() + "db");
  int databases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(db)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find("-wal"), std::string::npos) << name;  // checkpointed and closed
    databases += entry.path().extension() == ".db" ? 1 : 0;
  }
  EXPECT_EQ(databases, 1);

  exitCode_ = kNoExit;
  PostMessage(Hwnd(), KbMessage::kExitRequest, 0, KbMessage::kExitPassword);
  Headless::Pump();
  EXPECT_EQ(exitCode_, 0);
}

TEST_F(KeyboardDlgTest, TheTrayMenusSecondRowEndsTheProgram) {
  Open();
  ASSERT_TRUE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Right));
  Headless::Pump();
  const HWND menu = FindWindow(u"", u"Menu Window");
  ASSERT_NE(menu, nullptr);
  Headless::ClickClient(menu, 40, 6 + 35 + 17);  // rows are 35 pixels high below a 6-pixel margin
  Headless::Pump();
  EXPECT_EQ(exitCode_, 0);
  EXPECT_FALSE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Left));  // the icon went with the exit
}

TEST_F(KeyboardDlgTest, SpecialKeysOpenPasteAndSwitchProfiles) {
  Open();
  ProfileStore& store = window_->Services().Store();
  const auto add = [&store](int type, const std::u16string& text, const std::u16string& param) {
    return store.AddOtherData(OtherDataRecord{text, param, type});
  };
  const int program = add(8, u"", u"/usr/bin/calculator");
  const int bare = add(9, u"pelmora.example", u"");
  const int marked = add(9, u"https://shop.www.pelmora.example/", u"");
  const int empty = add(9, u"", u"");
  const int paste = add(10, u"hello, world", u"");
  const int profile = add(11, u"", u"3");
  for (const int id : {program, bare, marked, empty}) {
    EXPECT_EQ(SendMessage(Hwnd(), KbMessage::kSpecialKey, 0, id), 1);
  }
  const std::vector<std::string> expected{"/usr/bin/calculator", "www.pelmora.example",
                                          "https://shop.www.pelmora.example/", ""};
  EXPECT_EQ(opener_.opened, expected);

  constexpr int kControl = 0xE0;
  constexpr int kV = 0x19;
  SendMessage(Hwnd(), KbMessage::kSpecialKey, 0, paste);
  EXPECT_EQ(GetClipboardText(), std::optional<std::u16string>(u"hello, world"));
  EXPECT_TRUE(Holds(kControl) && Holds(kV));
  Headless::RunFor(100);
  EXPECT_FALSE(Holds(kControl) || Holds(kV));
  EXPECT_EQ(GetClipboardText(), std::nullopt);

  SendMessage(Hwnd(), KbMessage::kSpecialKey, 0, profile);
  EXPECT_EQ(window_->CurrentProfileId(), 3);
}

TEST(ForbiddenWords, AnEntryAnywhereInTheNameInAnyCaseIsFound) {
  ForbiddenWords words;
  EXPECT_FALSE(words.Contains(u"fuck"));  // an empty list matches nothing
  words.Fill();
  EXPECT_EQ(words.Size(), 15U);
  EXPECT_TRUE(words.Contains(u"My FUCKing macro"));
  EXPECT_TRUE(words.Contains(u"\u50BB\u903C profile"));
  EXPECT_FALSE(words.Contains(u"Husband's gaming profile"));
  EXPECT_FALSE(words.Contains(u""));
}

}  // namespace
