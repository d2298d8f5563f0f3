// The lighting and settings pages inside the main window with the simulated
// T40: a painted key reaches the simulated firmware's custom colour table, a
// brightness change reaches its lighting state, and both pages are written
// out as pictures when PELMORA_TEST_SHOTS names a folder. The worker's steps
// run on the test's thread, also from inside the wait dialog.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/VHidev.h"
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
#include "zephui/Backend.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MSlider.h"
#include "zephui/MTabCtrl.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

constexpr char kT40Path[] = "/sys/devices/usb1/1-1/1-1:1.1/0003:1209:0001.0001/hidraw/hidraw0";
constexpr int kEsc = 0x129;        // light index 0 on the T40
constexpr int kPerKeyMode = 9;     // the T40's per-key mode
constexpr int kStaticMode = 1;
constexpr std::uint32_t kStepTimer = 77;

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

KeyboardDlg* g_window = nullptr;
// Steps the worker from the window's timer, so a wait dialog's modal loop is ended by the worker as on its thread.
void StepFromTimer(HWND, UINT, std::uintptr_t, std::uint32_t) { g_window->Services().StepWorker(); }

class LightWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    hidsim::Bus::Instance().Reset();
    SetLanguageId(1033);
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());
    KeyboardDlgParts parts;
    parts.services.clock = &clock_;
    parts.services.hotplug = &hotplug_;
    parts.services.filterDevices = &filterDevices_;
    parts.services.virtualDevice = virtualDevice_.get();
    parts.worker = WorkerThread::Manual;
    parts.opener = &opener_;
    parts.endProcess = [](int) {};
    parts.programFolder = GetModuleFolder();
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    g_window = window_.get();
    firmware_ = std::make_shared<hidsim::FamilyBFirmware>();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, firmware_);
    hotplug_.Notify(DeviceEvent::Arrival, kT40Path);
    SetTimer(window_->GetSafeHwnd(), kStepTimer, 16, &StepFromTimer);
    Settle();
  }
  void TearDown() override {
    KillTimer(window_->GetSafeHwnd(), kStepTimer);
    window_.reset();
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
  }
  // Lets the timer run the worker until the queue has long been idle.
  void Settle() {
    Headless::RunFor(1500);
    Headless::Pump();
  }
  void OpenTab(int index) {
    window_->Frame().SelectTab(index);
    Settle();
  }
  void ChooseMode(int mode) {
    window_->LightsPage()->Controls().Get<DListBox>(LightId::kModeList)->SetCurData(mode);
    window_->OnMessage(LightId::kModeList, NOTIFY_CLICKED, 0, 0);
    Settle();
  }
  void ClickKey(int code) {
    KeyboardCtrl* picture = window_->LightsPage()->Picture();
    for (const KEY_INFO* key : picture->GetKeyItems()) {
      if (key->keyValue != static_cast<std::uint32_t>(code)) continue;
      const Rect real = picture->GetRealRect(key->rect);
      const Rect origin = picture->GetRect();
      Headless::ClickClient(window_->GetSafeHwnd(), origin.left + (real.left + real.right) / 2,
                            origin.top + (real.top + real.bottom) / 2);
    }
    Settle();
  }
  void Photograph(const char* name) {
    const char* folder = std::getenv("PELMORA_TEST_SHOTS");
    if (folder == nullptr) return;
    EXPECT_TRUE(Headless::WritePng(window_->GetSafeHwnd(), std::string(folder) + "/" + name));
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  NoOpener opener_;
  std::unique_ptr<VHidev> virtualDevice_;
  std::shared_ptr<hidsim::FamilyBFirmware> firmware_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(LightWindowTest, APaintedKeyAndABrightnessChangeReachTheKeyboard) {
  ASSERT_TRUE(window_->IsDevicePresentView());
  OpenTab(3);
  ChooseMode(kStaticMode);
  auto* brightness = window_->LightsPage()->Controls().Get<MSlider>(LightId::kBrightness);
  brightness->SetProgress(2);
  window_->OnMessage(LightId::kBrightness, NOTIFY_CLICKED, 0, 0);
  Settle();
  ASSERT_TRUE(firmware_->Lighting().has_value());
  EXPECT_EQ(firmware_->Lighting()->modeIndex, kStaticMode - 1);
  EXPECT_EQ(firmware_->Lighting()->brightness, 1) << "brightness 2 goes out as 1";

  ChooseMode(kPerKeyMode);
  EXPECT_EQ(firmware_->Lighting()->modeIndex, kPerKeyMode - 1);
  ClickKey(kEsc);
  const auto table = firmware_->CustomColours();
  EXPECT_EQ(table[0], 0xFF) << "painted in the default red";
  EXPECT_EQ(table[1], 0x00);
  EXPECT_EQ(table[3], 0xFF);
  EXPECT_FALSE(window_->HasWaitDialog());
  Photograph("lighting-page.png");

  OpenTab(4);
  Photograph("settings-page.png");
}

}  // namespace
