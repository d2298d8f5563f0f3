// The main window serving a simulated family A keyboard on the headless window
// system: painted custom sets stay apart in the store, on the picture and on
// the keyboard; the live screen lighting streams only while the window is
// shown, the keyboard present and the screen mode chosen, and comes back with
// each of them. The worker is stepped by a window timer, so it also runs
// inside the wait dialog's modal loop.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "app/Settings.h"
#include "app/Startup.h"
#include "lighting/ScreenCapture.h"
#include "lighting/ScreenImage.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/LiveLighting.h"
#include "mainwindow/Worker.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "store/ProfileStore.h"
#include "tests/demo/SimulatedKeyboardState.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/mainwindow/HeadlessPageStart.h"
#include "tests/mainwindow/TestWindowParts.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyAFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MComboBox.h"
#include "zephui/MTabCtrl.h"
#include "zephui/TabItemInfo.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

constexpr int kK10 = 101;
constexpr char kK10Path[] = "/sys/devices/usb1/1-3/1-3:1.1/0003:1209:0004.0002/hidraw/hidraw1";
constexpr int kEffectMode = 1;
constexpr int kPerKeyMode = 7;
constexpr int kScreenMode = 9;
constexpr int kEsc = 0x129;
constexpr int kF1 = 0x13A;
constexpr int kF2 = 0x13B;
constexpr std::uint32_t kStepTimer = 79;

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

// The whole screen one green.
class GreenScreen : public ScreenCapture {
 public:
  bool Grab(ScreenImage& image) override {
    image.FillRect(0, 0, image.Width(), image.Height(), ArgbColor(0xFF00FF00));
    return true;
  }
};

KeyboardDlg* g_window = nullptr;
void StepFromTimer(HWND, UINT, std::uintptr_t, std::uint32_t) { g_window->Services().StepWorker(); }

class KeyboardDlgLightingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessPage();
    if (HasFatalFailure()) return;
    hidsim::Bus::Instance().Reset();
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_);
    parts.services.startDeviceType = kK10;
    parts.services.screen = [] { return std::make_unique<GreenScreen>(); };
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(Hwnd(), SW_SHOW);
    g_window = window_.get();
    SetTimer(Hwnd(), kStepTimer, 16, &StepFromTimer);
    Plug();
    ClickLightingTab();
  }
  void TearDown() override {
    if (window_ != nullptr) KillTimer(Hwnd(), kStepTimer);
    window_.reset();
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
  }

  HWND Hwnd() const { return window_->GetSafeHwnd(); }
  LightPage& Page() const { return *window_->LightsPage(); }
  // Lets the timer step the worker until every queued job has run and no wait dialog is open.
  void Settle() {
    for (int round = 0; round < 20; ++round) Headless::RunFor(16);
    for (int round = 0; round < 500 && (window_->Services().JobsPending() || window_->HasWaitDialog()); ++round) {
      Headless::RunFor(16);
    }
    ASSERT_FALSE(window_->Services().JobsPending());
  }
  void Plug() {
    firmware_ = std::make_shared<hidsim::FamilyAFirmware>();
    ids_ = hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0004, firmware_);
    hotplug_.Notify(DeviceEvent::Arrival, kK10Path);
    Settle();
    ASSERT_TRUE(window_->IsDevicePresentView());
  }
  void Unplug() {
    hidsim::Bus::Instance().UnplugKeyboard(ids_.vendor);
    hotplug_.Notify(DeviceEvent::RemoveComplete, kK10Path);
    Settle();
  }
  void ClickCentre(const Rect& rect) {
    Headless::AdvanceClock(1000);  // never half of a double click
    Headless::ClickClient(Hwnd(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Settle();
  }
  void ClickLightingTab() {
    ClickCentre(window_->Frame().TabStrip()->GetItemInfo(Worker::kLightingTab)->rect);
    ASSERT_EQ(window_->CurrentTabIndex(), Worker::kLightingTab);
  }
  void ChooseMode(int mode) {
    auto* list = Page().Controls().Get<DListBox>(LightId::kModeList);
    ClickCentre(list->GetRowRect(list->FindItemData(mode)));
    ASSERT_EQ(Page().CurrentMode(), mode);
  }
  void ChooseSet(int index) {
    Page().Controls().Get<MComboBox>(LightId::kCustomSets)->SetCurSel(index);
    window_->OnMessage(LightId::kCustomSets, NOTIFY_CLICKED, 0, 0);
    Settle();
  }
  void PaintKey(int code) {
    KeyboardCtrl* picture = Page().Picture();
    for (const KEY_INFO* key : picture->GetKeyItems()) {
      if (key->keyValue != static_cast<std::uint32_t>(code)) continue;
      const Rect real = picture->GetRealRect(key->rect);
      const Rect at = picture->GetRect();
      ClickCentre(Rect{at.left + real.left, at.top + real.top, at.left + real.right, at.top + real.bottom});
      return;
    }
    ADD_FAILURE() << "no key " << code;
  }
  // The stored colours of one set by key code.
  std::map<int, int> StoredSet(int set) {
    std::vector<KeyColorRecord> rows;
    window_->Services().Store().ListKeyColors(rows, set);
    std::map<int, int> colours;
    for (const KeyColorRecord& row : rows) colours[row.keyCode] = row.keyColor;
    return colours;
  }
  // The picture and the keyboard both show exactly the stored colours of `set`.
  void ExpectShownAndSent(int set) {
    const std::map<int, int> stored = StoredSet(set);
    ASSERT_FALSE(stored.empty()) << set;
    const SimulatedKeyboardState keyboard = ReadSimulatedKeyboard(*firmware_);
    const auto& lightIndex = window_->Services().Layout().lightIndex;
    for (const auto& [code, colour] : stored) {
      EXPECT_EQ(Page().Picture()->GetKeyColor(static_cast<std::uint32_t>(code)), GdiColor(colour)) << code;
      const LightColour light = keyboard.lights.at(static_cast<std::size_t>(lightIndex.at(code)));
      const auto rgb = static_cast<std::uint32_t>(colour);
      EXPECT_EQ(light, (LightColour{true, static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                                    static_cast<std::uint8_t>(rgb >> 16)}))
          << "set " << set << " key " << code;
    }
  }
  int StreamFrames() const {
    int frames = 0;
    for (const auto& frame : firmware_->Writes()) {
      frames += frame.interfaceNumber == 3 && frame.bytes.size() > 1 && frame.bytes[1] == 0xF1 ? 1 : 0;
    }
    return frames;
  }
  // The screen is sampled on its own thread in real time: waits (a few seconds at most) for a streamed frame.
  bool StreamsAgain() {
    const int before = StreamFrames();
    for (int round = 0; round < 400; ++round) {
      Headless::RunFor(16);
      if (StreamFrames() > before) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  // Gives the worker and the screen thread real time to stream; true when nothing reached the keyboard.
  bool StaysDark() {
    const int before = StreamFrames();
    for (int round = 0; round < 40; ++round) {
      Headless::RunFor(16);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return StreamFrames() == before && window_->Services().Live().Selected() == LiveSource::None;
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  std::shared_ptr<hidsim::FamilyAFirmware> firmware_;
  hidsim::Bus::KeyboardIds ids_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(KeyboardDlgLightingTest, EachCustomSetKeepsItsOwnPaintOnThePictureInTheStoreAndOnTheKeyboard) {
  ChooseMode(kPerKeyMode);
  ClickCentre(Page().Controls().Get<MControl>(LightId::kPresetFirst + 1)->GetRect());  // red
  PaintKey(kEsc);
  ExpectShownAndSent(128);

  ChooseSet(1);
  ASSERT_TRUE(firmware_->CustomSetSelection().has_value());
  EXPECT_EQ(firmware_->CustomSetSelection()->customSet, 1);
  EXPECT_EQ(Page().Picture()->GetKeyColor(kEsc), GdiColor()) << "the second set has nothing painted yet";
  ClickCentre(Page().Controls().Get<MControl>(LightId::kPresetFirst + 3)->GetRect());  // blue
  PaintKey(kF1);
  ExpectShownAndSent(129);
  EXPECT_EQ(StoredSet(128).at(kEsc), 0x0000FF) << "painting the second set left the first alone";

  ChooseSet(0);
  EXPECT_EQ(Page().Picture()->GetKeyColor(kEsc), GdiColor(0x0000FF));
  EXPECT_EQ(Page().Picture()->GetKeyColor(kF1), GdiColor());
  PaintKey(kF2);
  ExpectShownAndSent(128);
  EXPECT_EQ(StoredSet(128).at(kF1), 0);
  EXPECT_EQ(StoredSet(129).at(kF1), 0xFF0000);

  // Coming back to the tab shows the chosen set, not the first one.
  ChooseSet(1);
  ClickCentre(window_->Frame().TabStrip()->GetItemInfo(1)->rect);
  ClickLightingTab();
  EXPECT_EQ(Page().Picture()->GetKeyColor(kF1), GdiColor(0xFF0000));
  EXPECT_EQ(Page().Picture()->GetKeyColor(kEsc), GdiColor());
}

TEST_F(KeyboardDlgLightingTest, TheScreenStreamStopsAndComesBackWithTheWindowTheKeyboardAndTheMode) {
  ChooseMode(kScreenMode);
  ASSERT_TRUE(StreamsAgain());
  EXPECT_EQ(ReadSimulatedKeyboard(*firmware_).lights.at(0), (LightColour{true, 0, 0xFF, 0}));

  WriteSettingString("exit_mode", u"1");
  ClickCentre(Rect{1280 - 45, 25, 1280 - 25, 45});  // the close button hides to the tray
  ASSERT_FALSE(window_->IsWindowVisible());
  EXPECT_TRUE(StaysDark()) << "hidden";
  ASSERT_TRUE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Left));
  EXPECT_TRUE(StreamsAgain()) << "shown again";

  Unplug();
  EXPECT_TRUE(StaysDark()) << "unplugged";
  Plug();
  EXPECT_EQ(window_->CurrentTabIndex(), 1) << "a keyboard that arrives opens on the key page";
  EXPECT_TRUE(StaysDark()) << "plugged in again, lighting tab not open";
  ClickLightingTab();
  EXPECT_TRUE(StreamsAgain()) << "plugged in again";

  ChooseMode(kEffectMode);
  EXPECT_TRUE(StaysDark()) << "a mode the keyboard runs itself";
  ChooseMode(kScreenMode);
  EXPECT_TRUE(StreamsAgain()) << "the screen mode again";
}

}  // namespace
