// The lighting page on the test binary's private Xvfb with the simulated T40,
// driven by real pointer clicks (XTEST): a mode, brightness, speed and colour
// chosen, then three keys painted; the simulated keyboard's decoded state
// must hold exactly those settings and colours.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/DListBox.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyboardCtrl.h"
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
constexpr int kWaveMode = 4;     // brightness, speed, horizontal direction, colour set A
constexpr int kPerKeyMode = 9;
constexpr std::array<int, 3> kPainted{0x129, 0x13A, 0x13B};  // Esc, F1, F2: light indexes 0, 1, 2

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

KeyboardDlg* g_window = nullptr;
// The worker's steps come from the window's timer, so they also run inside a wait dialog's modal loop.
void StepFromTimer(HWND, UINT, std::uintptr_t, std::uint32_t) { g_window->Services().StepWorker(); }

class LightPageOnX11 : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    SetLanguageId(1033);
    ASSERT_TRUE(PrepareDatabaseFolder());
    hidsim::Bus::Instance().Reset();
    firmware_ = std::make_shared<hidsim::FamilyBFirmware>();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, firmware_);
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_);
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    g_window = window_.get();
    SetTimer(window_->GetSafeHwnd(), kStepTimer, 16, &StepFromTimer);
    ASSERT_TRUE(PumpUntil([this] { return window_->IsDevicePresentView() && window_->LightsPage()->CurrentMode() != 0; }));
  }
  void TearDown() override {
    if (window_ != nullptr) KillTimer(window_->GetSafeHwnd(), kStepTimer);
    window_.reset();
    hidsim::Bus::Instance().Reset();
    X11Fixture::TearDown();
  }
  void Click(int x, int y) {
    ClickAt(client_, x, y);
    Settle();
  }
  // Lets the click arrive, then the worker (stepped by the timer) run every job it queued.
  void Settle() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
    EXPECT_TRUE(PumpUntil([this] { return !window_->Services().JobsPending() && !window_->HasWaitDialog(); }));
  }
  void ClickIn(const Rect& rect, int x, int y) { Click(rect.left + x, rect.top + y); }
  void ClickCentre(const Rect& rect) { Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }
  Rect RectOf(std::uint32_t id) const { return window_->LightsPage()->Controls().Get<MControl>(id)->GetRect(); }
  void ChooseMode(int mode) {
    auto* list = window_->LightsPage()->Controls().Get<DListBox>(LightId::kModeList);
    ClickCentre(list->GetRowRect(list->FindItemData(mode)));
  }
  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  std::shared_ptr<hidsim::FamilyBFirmware> firmware_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(LightPageOnX11, ClickedSettingsAndPaintedKeysReachTheKeyboard) {
  ClickCentre(window_->Frame().TabStrip()->GetItemInfo(3)->rect);
  ASSERT_TRUE(PumpUntil([this] { return window_->CurrentTabIndex() == 3; }));
  ChooseMode(kWaveMode);
  const Rect brightness = RectOf(LightId::kBrightness);
  ClickIn(brightness, 2, brightness.Height() / 2);                    // the lowest brightness
  const Rect speed = RectOf(LightId::kSpeed);
  ClickIn(speed, speed.Width() - 2, speed.Height() / 2);              // the highest speed
  ClickCentre(RectOf(LightId::kSetAFirst + 2));                       // green, the third colour of set A
  ASSERT_TRUE(firmware_->Lighting().has_value());
  EXPECT_EQ(firmware_->Lighting()->modeIndex, kWaveMode - 1);
  EXPECT_EQ(firmware_->Lighting()->brightness, 0);
  EXPECT_EQ(firmware_->Lighting()->speed, 2 * 16 + 4 - 1);

  ChooseMode(kPerKeyMode);
  ClickCentre(RectOf(LightId::kPresetFirst + 3));                     // paint in blue
  KeyboardCtrl* picture = window_->LightsPage()->Picture();
  for (const int code : kPainted) {
    for (const KEY_INFO* key : picture->GetKeyItems()) {
      if (key->keyValue != static_cast<std::uint32_t>(code)) continue;
      const Rect real = picture->GetRealRect(key->rect);
      ClickIn(picture->GetRect(), (real.left + real.right) / 2, (real.top + real.bottom) / 2);
    }
  }
  EXPECT_EQ(firmware_->Lighting()->modeIndex, kPerKeyMode - 1);
  const auto table = firmware_->CustomColours();
  for (int light = 0; light < 4; ++light) {
    const bool painted = light < 3;
    EXPECT_EQ(table[4 * light], 0x00) << light;
    EXPECT_EQ(table[4 * light + 2], painted ? 0xFF : 0x00) << light;
  }
}

}  // namespace
}  // namespace zephuitest
