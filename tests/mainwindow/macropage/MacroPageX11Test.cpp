// The macro page in the main window on the test binary's private Xvfb with
// the simulated T40, driven through real clicks and key presses (XTEST): a
// new macro records keys typed while the keyboard is grabbed, with their
// delays; bound to a key, the key filter's keyboard plays the recorded keys
// in order, waiting the recorded delays.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "macros/virtualdevice/VirtualHidBackend.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/macropage/MacroList.h"
#include "mainwindow/macropage/MacroPage.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDevice.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/KeyboardGrab.h"
#include "zephui/MTabCtrl.h"
#include "zephui/TabItemInfo.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"
#include "tests/mainwindow/TestWindowParts.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kKeyA = 0x104;
constexpr int kEvdevA = 30;  // KEY_A; the kernel header's names clash with the library's
constexpr int kUsageA = 4;
constexpr int kUsageB = 5;

// Every keyboard report the virtual keyboard is sent, as the usages it holds,
// with the time of the clock the player waits on.
class ReportLog : public VirtualHidBackend {
 public:
  explicit ReportLog(Clock& clock) : clock_(clock) {}
  bool Open() override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64> bytes) override {
    if (bytes[1] != VHidev::kKeyboardReport) return 64;
    Report report{clock_.NowMs(), {}};
    for (int usage = 1; usage < 256; ++usage) {
      if ((bytes[2 + usage / 8] >> (usage % 8)) & 1) report.held.push_back(usage);
    }
    std::lock_guard lock(mutex_);
    reports_.push_back(report);
    return 64;
  }
  struct Report {
    std::uint64_t time;
    std::vector<int> held;
  };
  // The reports since `from` where what is held changed (the resets after a pass repeat the empty one).
  std::vector<Report> Changes(std::size_t from) {
    std::lock_guard lock(mutex_);
    std::vector<Report> changes;
    for (std::size_t i = from; i < reports_.size(); ++i) {
      if (changes.empty() || changes.back().held != reports_[i].held) changes.push_back(reports_[i]);
    }
    return changes;
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return reports_.size();
  }

 private:
  Clock& clock_;
  bool open_ = false;
  std::mutex mutex_;
  std::vector<Report> reports_;
};

class MacroPageOnX11 : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(PrepareDatabaseFolder());
    evdevKeyboard_ = std::make_shared<FakeEvdevDevice::Script>(FakeEvdevDevice::Identity{"/dev/input/event7"});
    filterDevices_.add(evdevKeyboard_);
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    auto backend = std::make_unique<ReportLog>(clock_);
    reports_ = backend.get();
    virtualDevice_ = std::make_unique<VHidev>(std::move(backend));
    virtualDevice_->openVirtualDevice();
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, nullptr);
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
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
  MacroPage& Page() { return *window_->MacrosPage(); }
  ProfileStore& Store() { return window_->Services().Store(); }
  void Click(const Rect& rect) {
    XTestFakeMotionEvent(client_, 0, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, CurrentTime);
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }
  void Key(KeySym sym, bool down) {
    // The server stamps the key when it handles it: a round trip makes the test's waits count from then.
    XTestFakeKeyEvent(client_, XKeysymToKeycode(client_, sym), down ? True : False, CurrentTime);
    XSync(client_, False);
  }
  bool OtherClientCanGrab() {
    const int status = XGrabKeyboard(client_, DefaultRootWindow(client_), False, GrabModeAsync, GrabModeAsync,
                                     CurrentTime);
    if (status == GrabSuccess) XUngrabKeyboard(client_, CurrentTime);
    XSync(client_, False);
    return status == GrabSuccess;
  }
  // Lets real time pass while the window keeps handling its messages.
  void Wait(int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::shared_ptr<FakeEvdevDevice::Script> evdevKeyboard_;
  ReportLog* reports_ = nullptr;
  std::unique_ptr<VHidev> virtualDevice_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(MacroPageOnX11, KeysRecordedUnderTheGrabPlayBackInOrderWithTheirDelays) {
  Click(window_->Frame().TabStrip()->GetItemInfo(2)->rect);
  ASSERT_TRUE(PumpUntil([&] { return window_->CurrentTabIndex() == 2; }));
  Click(Rect{350, 150, 460, 188});  // new
  ASSERT_TRUE(PumpUntil([&] { return Page().Macros().SelectedMacro() > 0; }));
  const int macroId = Page().Macros().SelectedMacro();

  Click(Rect{1100, 660, 1279, 698});  // start recording
  ASSERT_TRUE(PumpUntil([&] { return KeyboardGrabOwner() == window_->GetSafeHwnd(); }));
  EXPECT_FALSE(OtherClientCanGrab());
  Key(XK_a, true);
  Wait(80);
  Key(XK_a, false);
  Wait(30);
  Key(XK_b, true);
  Key(XK_b, false);
  Wait(700);  // past the double-click time: the stop click is a click of its own
  Click(Rect{1100, 660, 1279, 698});  // stop recording
  ASSERT_TRUE(PumpUntil([&] { return Page().Mode() == CaptureMode::Idle; }));
  EXPECT_TRUE(OtherClientCanGrab());

  std::vector<StepRecord> steps;
  ASSERT_EQ(Store().ListSteps(macroId, steps), 4);
  const int expectedKeys[] = {'A', 'A', 'B', 'B'};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(steps[i].type, i % 2 == 0 ? 2 : 3) << i;
    EXPECT_EQ(steps[i].value, expectedKeys[i]) << i;
  }
  // Delays are measured when the window handles each key, so on a loaded machine they need not match the
  // test's own waits; what must hold is that the last step has none and playback keeps each one.
  EXPECT_EQ(steps[3].delayTime, 0);

  // Bound to A with the key page's own save, the key filter's keyboard plays it.
  KeyAssignmentRecord row;
  row.profile = window_->CurrentProfileId();
  row.keyCode = kKeyA;
  row.macroType = kMacroAssignment;
  row.macroValue = macroId;
  row.description = u"Macro 1";
  window_->KeysPage()->OnNotify(KeyPageId::kPicture, NOTIFY_CLICKED, 0, kKeyA);
  ASSERT_EQ(window_->KeysPage()->CurrentKey(), kKeyA);
  window_->KeysPage()->SaveAndApply(row);
  ASSERT_TRUE(evdevKeyboard_->waitUntil([&] { return evdevKeyboard_->grabbed(); }));
  const std::size_t before = reports_->Count();
  evdevKeyboard_->queue(FakeEvdevDevice::keyFrame(kEvdevA, 1));
  evdevKeyboard_->queue(FakeEvdevDevice::keyFrame(kEvdevA, 0));
  ASSERT_TRUE(PumpUntil([&] {
    window_->Services().StepWorker();
    return reports_->Changes(before).size() >= 5;
  }));
  const std::vector<ReportLog::Report> played = reports_->Changes(before);
  std::vector<std::vector<int>> held;
  for (const auto& report : played) held.push_back(report.held);
  EXPECT_EQ(held, (std::vector<std::vector<int>>{{}, {kUsageA}, {}, {kUsageB}, {}}));
  // Each step waits its recorded delay (at least 5 ms) before the next one is sent.
  for (std::size_t i = 1; i + 1 < played.size(); ++i) {
    EXPECT_EQ(played[i + 1].time - played[i].time, static_cast<std::uint64_t>(std::max(steps[i - 1].delayTime, 5)))
        << "after step " << i - 1;
  }
}

}  // namespace
}  // namespace zephuitest
