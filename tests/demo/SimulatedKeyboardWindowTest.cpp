// The "Simulated keyboard" window on the headless backend, fed by the real
// keyboard protocol through the simulated bus: what the firmware decodes
// shows on the next refresh, and nothing moves without a frame.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/Paths.h"
#include "device/HidManager.h"
#include "device/KeyboardProtocol.h"
#include "tests/demo/KeyPictureLoader.h"
#include "tests/demo/SimulatedKeyboardWindow.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/sim/VirtualClock.h"
#include "zephui/Backend.h"
#include "zephui/Headless.h"
#include "zephui/MControl.h"
#include "zephui/MText.h"
#include "zephui/Window.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr std::uint16_t kVendor = 0x1209;
constexpr std::uint16_t kWired = 0x0001;
constexpr int kT40 = 201;

class SimulatedKeyboardWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    bus_.Reset();
    bus_.SetClock(&clock_);
    bus_.PlugKeyboard(kVendor, kWired, firmware_);
    hid_.addSupportedDevice(SupportedDevice{kVendor, kWired, u"", kT40, 0, u""});
    hid_.scan();
    hid_.setOpen(true);
    hid_.setCurrentDeviceType(kT40);
    picture_ = KeyPictureLoader::Load(GetModuleFolder(), kT40);
    ASSERT_FALSE(picture_.keys.empty());
    window_ = new SimulatedKeyboardWindow(firmware_, passed_, picture_);
    ASSERT_NE(window_->Open(), nullptr);
    Headless::Pump();
  }
  void TearDown() override {
    Headless::Reset();  // destroys the window, which deletes itself
    hid_.closeAll();
    bus_.Reset();
  }

  std::u16string Text(std::uint32_t id) const {
    const auto* label = dynamic_cast<MText*>(window_->GetControl(id));
    return label != nullptr ? label->GetTitle() : u"(no label)";
  }
  // The window's colour a few pixels inside a key's top-left corner, clear of its label.
  std::uint32_t KeyColour(const std::u16string& name) const {
    const Rect key = window_->KeyView()->KeyRect(name);
    return Headless::PresentedPixel(window_->GetSafeHwnd(), key.left + 4, key.top + 4).Value() & 0xFFFFFF;
  }
  void Refresh() { Headless::RunFor(SimulatedKeyboardWindow::kRefreshMs); }

  hidsim::Bus& bus_ = hidsim::Bus::Instance();
  hidsim::VirtualClock clock_;
  HidManager hid_{clock_};
  KeyboardProtocol protocol_{hid_, clock_};
  std::shared_ptr<hidsim::FamilyBFirmware> firmware_ = std::make_shared<hidsim::FamilyBFirmware>();
  PassedKeyLog passed_;
  KeyPicture picture_;
  SimulatedKeyboardWindow* window_ = nullptr;
};

TEST_F(SimulatedKeyboardWindowTest, ShowsTheLightingTheFirmwareDecodedAfterTheNextRefresh) {
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kModeValue), u"-");
  LightRecord row;
  row.mode = 7;
  row.brightness = 3;
  row.speed = 2;
  row.direction = 1;
  row.colorIndex = 1;
  bool fresh = false;
  protocol_.applyLighting(LightingCommand{kT40, 0, row, 0}, fresh);
  ASSERT_TRUE(firmware_->Lighting());
  Refresh();
  // The keyboard reads back the settings the program sent as "one less".
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kModeValue), u"7");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kBrightnessValue), u"3");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kSpeedValue), u"2");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kColourValue), u"1");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kDirectionValue), u"1");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kFrameLabel), u"Lighting by wired feature frame");
}

TEST_F(SimulatedKeyboardWindowTest, PaintsCustomColoursMusicAndPassedKeysOnlyOnceTheyArrive) {
  const int presents = Headless::PresentCount(window_->GetSafeHwnd());
  Headless::RunFor(5 * SimulatedKeyboardWindow::kRefreshMs);
  EXPECT_EQ(Headless::PresentCount(window_->GetSafeHwnd()), presents);  // idle: no redraw

  // A rainbow across the keyboard, so the picture shows every key's own colour.
  std::vector<KeyColorRecord> colours;
  std::map<int, int> lights;
  for (const KeyLamp& key : picture_.keys) {
    const int x = std::clamp(key.rect.left * 255 / std::max(1, picture_.size.width), 0, 255);
    colours.push_back(KeyColorRecord{0, 1, 128, key.code, static_cast<int>(GdiColor::FromRgb(
                                                                             255 - x, 80 + x / 2, x).Value())});
    lights[key.code] = key.lightIndex;
  }
  const std::uint32_t escBefore = KeyColour(u"Esc");
  LightRecord row;
  row.mode = 9;
  row.brightness = 4;
  row.speed = 3;
  bool fresh = false;
  protocol_.applyLighting(LightingCommand{kT40, 0, row, 0}, fresh);
  protocol_.applyCustomColours(colours, lights);
  protocol_.sendMusicLevel(100, 1.5, 2);
  passed_.Add(KEY_B);
  passed_.Add(KEY_SPACE);
  Refresh();

  const auto esc = std::ranges::find(colours, picture_.keys.front().code, &KeyColorRecord::keyCode);
  const GdiColor sent(static_cast<std::uint32_t>(esc->keyColor));
  EXPECT_EQ(picture_.keys.front().name, u"Esc");
  EXPECT_NE(escBefore, KeyColour(u"Esc"));
  EXPECT_EQ(KeyColour(u"Esc"), ToArgb(sent).Value() & 0xFFFFFF);
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kMusicLabel), u"Music level 150 (effect 2)");
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kPassedLabel), u"Passed through:  B  SPACE");

  const auto shot = std::filesystem::current_path() / "simulated_keyboard.png";
  EXPECT_TRUE(Headless::WritePng(window_->GetSafeHwnd(), shot.string()));

  // A new level alone repaints only its bar, which shrinks; the keys keep their colours.
  const Rect view = window_->KeyView()->GetRect();
  const auto barPixel = [&] {
    return Headless::PresentedPixel(window_->GetSafeHwnd(), view.left + 100, view.bottom - 5);
  };
  const ArgbColor loud = barPixel();
  protocol_.sendMusicLevel(10, 1.0, 2);
  Refresh();
  EXPECT_EQ(Text(SimulatedKeyboardWindow::kMusicLabel), u"Music level 10 (effect 2)");
  EXPECT_NE(barPixel(), loud);
  EXPECT_EQ(KeyColour(u"Esc"), ToArgb(sent).Value() & 0xFFFFFF);
}

TEST_F(SimulatedKeyboardWindowTest, OpensBesideTheActiveWindowWithoutTakingTheFocus) {
  RegisterWindowClass(u"DemoMainStandIn", 0);
  struct Plain : WindowProcedure {
    LRESULT HandleMessage(HWND h, UINT m, WPARAM w, LPARAM l) override { return DefWindowProc(h, m, w, l); }
  } procedure;
  const HWND main = CreateWindowEx(0, u"DemoMainStandIn", u"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                   &procedure);
  SetForegroundWindow(main);
  Headless::Pump();
  auto* second = new SimulatedKeyboardWindow(firmware_, passed_, picture_);
  const HWND opened = second->Open();
  Headless::Pump();
  EXPECT_TRUE(IsWindowVisible(opened));
  EXPECT_EQ(GetForegroundWindow(), main);
  // Its own class: nothing looking for the program's popups finds it.
  EXPECT_EQ(FindWindow(u"ZephClient", u"Simulated keyboard"), nullptr);
  EXPECT_EQ(FindWindow(u"PelmoraSimulatedKeyboard", u"Simulated keyboard"), opened);

  // Its close button closes it (and the window object goes with it).
  const Rect close = second->GetControl(SimulatedKeyboardWindow::kClose)->GetRect();
  Headless::ClickClient(opened, (close.left + close.right) / 2, (close.top + close.bottom) / 2);
  Headless::Pump();
  EXPECT_FALSE(IsWindow(opened));
  DestroyWindow(main);
}

}  // namespace
