// Music mode through the whole program: the main window and its services as
// the program builds them, on the test binary's private Xvfb, recording from
// a private sound server with two outputs ("test", the default, and
// "other"). The music mode is chosen on the lighting page with real clicks;
// a simulated keyboard of each family must then follow the tone played.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/LiveLighting.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/lighting/PulseTestServer.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyAFirmware.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/DListBox.h"
#include "zephui/MComboBox.h"
#include "zephui/MTabCtrl.h"
#include "zephui/TabItemInfo.h"
#include "zephui/Window.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"
#include "tests/mainwindow/PointerClick.h"
#include "tests/mainwindow/TestWindowParts.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr std::uint32_t kStepTimer = 78;
constexpr int kT40Type = 201;
constexpr int kT40Music = 11;
constexpr int kK10Type = 101;
constexpr int kK10Music = 8;
constexpr int kOtherOutputRow = 1;  // the device list: the default output's monitor, then "other"'s
constexpr int kSlowestRefreshRow = 2;  // "99ms"

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

KeyboardDlg* g_window = nullptr;
void StepFromTimer(HWND, UINT, std::uintptr_t, std::uint32_t) { g_window->Services().StepWorker(); }

// Short tones into one output, one after another, until the object goes.
class Tone {
 public:
  Tone(const PulseTestServer& server, std::string sink)
      : thread_([&server, sink](const std::stop_token& stop) {
          while (!stop.stop_requested() && server.PlayTone(sink, 1000.0, 0.8, 0.3)) {
          }
        }) {}

 private:
  std::jthread thread_;
};

class LightMusicE2e : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (PulseTestServer::Program().empty()) GTEST_SKIP() << "the pulseaudio program is not installed";
    server_ = std::make_unique<PulseTestServer>(sound_.Path());
    ASSERT_TRUE(server_->Start()) << "see " << sound_.Path() << "server.log";
    setenv("PULSE_SERVER", server_->Address().c_str(), 1);
    SetLanguageId(1033);
    ASSERT_TRUE(PrepareDatabaseFolder());
    hidsim::Bus::Instance().Reset();
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
  }
  void TearDown() override {
    Close();
    hidsim::Bus::Instance().Reset();
    unsetenv("PULSE_SERVER");
    server_.reset();
    X11Fixture::TearDown();
  }

  // The program's window for this keyboard, on its lighting tab.
  void Open(int deviceType) {
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_);
    parts.services.startDeviceType = deviceType;
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    g_window = window_.get();
    SetTimer(window_->GetSafeHwnd(), kStepTimer, 16, &StepFromTimer);
    ASSERT_TRUE(PumpUntil([this] { return window_->IsDevicePresentView() && window_->LightsPage()->CurrentMode() != 0; }));
    const Rect tab = window_->Frame().TabStrip()->GetItemInfo(3)->rect;
    Click((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ASSERT_TRUE(PumpUntil([this] { return window_->CurrentTabIndex() == 3; }));
  }
  void Close() {
    if (window_ == nullptr) return;
    KillTimer(window_->GetSafeHwnd(), kStepTimer);
    window_.reset();
    ProfileStore::Instance().Close();
  }
  void Click(int x, int y) {
    ClickAt(client_, x, y);
  }
  void ChooseMode(int mode) {
    auto* list = window_->LightsPage()->Controls().Get<DListBox>(LightId::kModeList);
    const Rect row = list->GetRowRect(list->FindItemData(mode));
    Click((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return window_->LightsPage()->CurrentMode() == mode; }));
  }
  // As the list's drop-down does when a row is picked in it.
  void ChooseRow(std::uint32_t comboId, int row) {
    window_->LightsPage()->Controls().Get<MComboBox>(comboId)->OnMessage(0, NOTIFY_CLICKED, static_cast<WPARAM>(row), 0);
  }
  // Sound takes its time through a loaded machine: three rounds of the pump's ten seconds.
  template <class Condition>
  bool Eventually(Condition condition) {
    for (int round = 0; round < 3; ++round) {
      if (PumpUntil(condition)) return true;
    }
    return false;
  }
  // What the keyboard picture and the stream were last given: any key lit, or every key dark.
  bool KeysLit() const {
    for (const auto& [code, colour] : window_->Services().Live().LatestColours()) {
      if (colour.Value() != 0) return true;
    }
    return false;
  }
  bool KeysDark() const {
    const auto colours = window_->Services().Live().LatestColours();
    return !colours.empty() && !KeysLit();
  }
  bool StreamLit(const hidsim::FamilyAFirmware& firmware) const {
    for (const std::uint8_t channel : firmware.StreamTable()) {
      if (channel != 0) return true;
    }
    return false;
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  testsupport::TempFolder sound_;
  std::unique_ptr<PulseTestServer> server_;
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(LightMusicE2e, AFamilyBKeyboardGetsTheToneAsLevelsAtTheChosenRefresh) {
  auto firmware = std::make_shared<hidsim::FamilyBFirmware>();
  hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, firmware);
  Open(kT40Type);
  ChooseMode(kT40Music);
  ChooseRow(LightId::kRefresh, kSlowestRefreshRow);
  EXPECT_EQ(window_->Services().MusicLevelPeriodMs(), 99);
  {
    Tone tone(*server_, "test");
    EXPECT_TRUE(Eventually([&] {
      const auto level = firmware->LastMusicLevel();
      return level.has_value() && level->value > 0;
    }));
  }
  EXPECT_TRUE(Eventually([&] {
    const auto level = firmware->LastMusicLevel();
    return level.has_value() && level->value == 0;
  })) << "silence is sent as level 0";
}

TEST_F(LightMusicE2e, AFamilyAKeyboardFollowsTheOutputChosenOnThePageAlsoAfterARestart) {
  auto firmware = std::make_shared<hidsim::FamilyAFirmware>();
  hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0004, firmware);
  Open(kK10Type);
  ChooseMode(kK10Music);
  {
    Tone tone(*server_, "test");
    ASSERT_TRUE(Eventually([&] { return KeysLit() && StreamLit(*firmware); })) << "the default output's tone";
    // The other output is silent, so the keys go dark while the default one still plays.
    ChooseRow(LightId::kAudioDevice, kOtherOutputRow);
    ASSERT_TRUE(Eventually([&] { return KeysDark(); }));
  }
  // Dark keys are not streamed; the lit ones of the other output's tone are.
  const std::size_t writes = firmware->Writes().size();
  {
    Tone tone(*server_, "other");
    EXPECT_TRUE(Eventually([&] { return KeysLit() && firmware->Writes().size() > writes; }));
  }

  // The choice is stored: a new start records the other output from the first page load.
  Close();
  Open(kK10Type);
  Tone tone(*server_, "other");
  EXPECT_TRUE(Eventually([&] { return KeysLit(); }));
}

}  // namespace
}  // namespace zephuitest
