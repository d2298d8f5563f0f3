// KeyboardCtrl on a headless dialog: the reports a page relies on (clicks on
// and between keys, right clicks, rubber-band selections), colour toggling in
// mode 103, the light animation's frames and speeds on the manual clock with
// its repaints confined to the keys that changed, and the key tips.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/CKeyboardTips.h"
#include "zephui/Headless.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MPanel.h"
#include "zephui/SkinLocator.h"

using namespace ZephUI;
using renderprobe::Near;
using renderprobe::Opaque;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr std::uint32_t kId = 67;
constexpr Rect kControl{20, 20, 380, 180};  // 360 x 160; a 300 x 120 picture sits at (50, 20)
constexpr int kPictureX = 50;
constexpr int kPictureY = 20;
constexpr ArgbColor kPicture = Opaque(0x404040);
// Three keys in a row with 10-pixel gaps, one below the first; rectangles on the picture.
constexpr std::array<Rect, 4> kKeys{{{10, 10, 50, 50}, {60, 10, 100, 50}, {110, 10, 150, 50}, {10, 60, 50, 100}}};
constexpr std::array<std::uint32_t, 4> kValues{0x129, 0x13A, 0x13B, 0x104};
constexpr WPARAM kNone = static_cast<WPARAM>(-1);

class KeyboardCtrlTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    std::filesystem::create_directories(SkinLocator::SkinPath(u"keyboard/x.png").parent_path());
    ASSERT_TRUE(renderprobe::Solid(300, 120, kPicture)->SavePng(SkinLocator::SkinPath(u"keyboard/test.png")));
    keyboard_ = Add<KeyboardCtrl>(u"KeyboardCtrl", kId, kControl, u"");
    ASSERT_NE(keyboard_, nullptr);
    ASSERT_TRUE(keyboard_->SetKeyboardImage(u"keyboard\\test.png"));
    keyboard_->SetWidthAndHeight(300, 120);
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
      keyboard_->AddKeyItem(u"K" + std::u16string(1, char16_t(u'0' + i)), u"Key " + std::u16string(1, char16_t(u'0' + i)),
                            kValues[i], kKeys[i], u"");
    }
    keyboard_->SetKeyboardCtrlMode(KEYBOARD_MODE_SELECT);
    Settle();
  }
  // The middle of key `i` in client pixels.
  static Point Centre(std::size_t i) {
    return Point{kPictureX + (kKeys[i].left + kKeys[i].right) / 2, kPictureY + (kKeys[i].top + kKeys[i].bottom) / 2};
  }
  // A pixel on the left edge of key `i`'s outline.
  ArgbColor Outline(std::size_t i) const {
    return Headless::PresentedPixel(hwnd_, kPictureX + kKeys[i].left + 1, Centre(i).y);
  }
  void Click(Point at, Headless::Button button = Headless::Button::Left) {
    Headless::ClickClient(hwnd_, at.x, at.y, button);
    Settle();
  }
  void Drag(Point from, Point to, Headless::Button button) {
    Headless::MoveMouseToClient(hwnd_, from.x, from.y);
    Headless::ButtonDown(button);
    Headless::Pump();
    Headless::MoveMouseToClient(hwnd_, to.x, to.y);
    Headless::Pump();
  }
  static void Ticks(int count) {
    for (int i = 0; i < count; ++i) Headless::AdvanceClock(10);
  }

  KeyboardCtrl* keyboard_ = nullptr;
};

TEST_F(KeyboardCtrlTest, BothFactoriesBuildItAndTheApplicationReadsTheKeysInPlace) {
  auto* panel = dynamic_cast<MPanel*>(dialog_->CreateControl(u"KeyboardCtrl", 68, kControl, u"", false, true));
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(dynamic_cast<KeyboardCtrl*>(panel->CreateControl(u"KeyboardCtrl", 69, kControl, u"", true, true)), nullptr);
  EXPECT_EQ(keyboard_->GetPictureOffset(), (Point{30, 0}));  // centred at the top once sized
  EXPECT_EQ(keyboard_->GetRealRect(kKeys[1]), (Rect{90, 10, 130, 50}));
  const std::vector<KEY_INFO*> keys = keyboard_->GetKeyItems();
  ASSERT_EQ(keys.size(), kKeys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i]->index, static_cast<int>(i));
    EXPECT_EQ(keys[i]->keyValue, kValues[i]);
  }
  keyboard_->ClearItem();
  EXPECT_EQ(keyboard_->AddKeyItem(u"A", u"A", 1, kKeys[0], u"missing.png"), 0);  // numbering restarts
  EXPECT_EQ(keyboard_->GetKeyItems()[0]->icon, nullptr);
}

TEST_F(KeyboardCtrlTest, ClicksReportTheKeyUnderThePressAndNothingBetweenKeys) {
  Click(Centre(1));
  Click(Point{kPictureX + 55, Centre(0).y});  // the gap between keys 0 and 1
  Click(Point{25, 150});                       // the control's margin beside the picture
  Click(Point{10, 10});                        // outside the control: no report
  Click(Centre(2), Headless::Button::Right);
  Click(Point{kPictureX + 105, Centre(0).y}, Headless::Button::Right);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_CLICKED, 1, kValues[1]},
                                               {kId, NOTIFY_CLICKED, kNone, 0},
                                               {kId, NOTIFY_CLICKED, kNone, 0},
                                               {kId, NOTIFY_RCLICK, 2, kValues[2]},
                                               {kId, NOTIFY_RCLICK, kNone, 0}}));
  EXPECT_EQ(keyboard_->GetSelectItem(), -1);
  EXPECT_EQ(keyboard_->GetCurrentKeyValue(), 0U);

  // Keys cleared by the page while the pointer rests on one.
  Click(Centre(0));
  EXPECT_EQ(keyboard_->GetCurrentKeyValue(), kValues[0]);
  keyboard_->ClearItem();
  Click(Centre(0));
  EXPECT_EQ(dialog_->notes.back(), (Note{kId, NOTIFY_CLICKED, kNone, 0}));
}

TEST_F(KeyboardCtrlTest, Mode103ClicksToggleAKeyBetweenBlackAndTheCustomColour) {
  const GdiColor green = GdiColor::FromRgb(0, 200, 0);
  keyboard_->SetCustomColor(green);
  keyboard_->SetKeyboardCtrlMode(KEYBOARD_MODE_PAINT);
  keyboard_->SetKeyColor(kValues[2], GdiColor(0x123456));
  keyboard_->SetKeyColor(0x999, green);  // no such key: nothing changes
  EXPECT_EQ(keyboard_->GetKeyColor(0x999), GdiColor());
  Settle();
  EXPECT_EQ(Outline(2), Opaque(0x563412));
  Click(Centre(2));
  EXPECT_EQ(keyboard_->GetKeyColor(kValues[2]), GdiColor());
  Headless::ClickClient(hwnd_, Centre(2).x, Centre(2).y);  // at once again: a double click is a second click
  Settle();
  EXPECT_EQ(keyboard_->GetKeyColor(kValues[2]), green);
  EXPECT_EQ(Outline(2), Opaque(0x00C800));
  EXPECT_EQ(keyboard_->GetKeyColor(kValues[0]), GdiColor::FromRgb(255, 225, 0));  // the others keep theirs
  EXPECT_EQ(Outline(0), Opaque(0xFFE100));

  keyboard_->SetKeyboardCtrlMode(KEYBOARD_MODE_COLOUR);  // mode 104 shows colours without toggling
  Headless::AdvanceClock(1000);
  Click(Centre(2));
  EXPECT_EQ(keyboard_->GetKeyColor(kValues[2]), green);
}

TEST_F(KeyboardCtrlTest, LightFramesFollowTheDataAtTheChosenSpeed) {
  // Frame f lights key f alone; the tenth byte would be a fourth frame's first key.
  std::array<std::uint8_t, 13> data{};
  for (int f = 0; f < 3; ++f) data[static_cast<std::size_t>(f * 4 + f)] = 255;
  data[12] = 255;
  keyboard_->SetLightModeData(data.data(), 13);
  EXPECT_EQ(keyboard_->GetLightFrameCount(), 3);
  keyboard_->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  dialog_->SetMTimer(10);
  Settle();
  const auto lit = [&](std::size_t key) { return Near(Outline(key), Opaque(0x00FFFF), 2); };
  EXPECT_TRUE(lit(0));
  EXPECT_EQ(Outline(1), kPicture);

  const int ticksPerFrame[] = {5, 4, 3, 2, 1, 1};
  for (int speed = 0; speed < 6; ++speed) {
    keyboard_->SetLightSpeed(speed == 5 ? 7 : speed);
    const int start = keyboard_->GetLightFrame();
    Ticks(ticksPerFrame[speed] - 1);
    EXPECT_EQ(keyboard_->GetLightFrame(), start) << "speed " << speed;
    Ticks(1);
    EXPECT_EQ(keyboard_->GetLightFrame(), (start + 1) % 3) << "speed " << speed;
  }
  dialog_->KillMTimer(dialog_->GetPaintManager().GetMTimerId());
  Settle();
  const std::size_t shown = static_cast<std::size_t>(keyboard_->GetLightFrame());
  for (std::size_t key = 0; key < 3; ++key) EXPECT_EQ(static_cast<bool>(lit(key)), key == shown) << key;
  EXPECT_TRUE(keyboard_->IsAnimated());
}

TEST_F(KeyboardCtrlTest, ATickOnlyAsksForTheKeysThatChangedAndNeverWaitsForTheWindow) {
  // Frame 0 lights keys 0 and 2, frame 1 key 2 alone: only key 0 changes between them.
  const std::uint8_t data[] = {255, 0, 255, 0, 0, 0, 255, 0};
  keyboard_->SetLightModeData(data, 8);
  keyboard_->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  keyboard_->SetLightSpeed(7);
  Settle();
  dialog_->SetMTimer(10);
  Headless::AdvanceClock(10);  // the window's thread handles nothing meanwhile
  EXPECT_EQ(keyboard_->GetLightFrame(), 1);
  Rect update;
  ASSERT_TRUE(GetUpdateRect(hwnd_, update));
  const Rect key0 = keyboard_->GetRealRect(kKeys[0]);
  EXPECT_EQ(update, (Rect{kControl.left + key0.left, kControl.top + key0.top, kControl.left + key0.right,
                          kControl.top + key0.bottom}));
  Headless::Pump();
  EXPECT_EQ(Outline(0), kPicture);
  EXPECT_TRUE(Near(Outline(2), Opaque(0x00FFFF), 2));
}

TEST_F(KeyboardCtrlTest, ARubberBandChecksWhatItMeetsAndStaysInsideThePicture) {
  keyboard_->EnableFrameSelect(true);
  // From the gap between keys 0 and 1 down into the control's corner, beyond the picture.
  Drag(Point{kPictureX + 55, kPictureY + 30}, Point{375, 175}, Headless::Button::Right);
  EXPECT_EQ(keyboard_->GetCheckItemCount(), 2);  // keys 1 and 2 meet the band, 0 and 3 do not
  EXPECT_EQ(keyboard_->GetKeyCheck(kValues[1]), 1);
  EXPECT_EQ(keyboard_->GetKeyCheck(kValues[3]), 0);
  Settle();
  // The band's dotted top edge runs along the press's row, its left edge down the press's column.
  const auto inBand = [this](int x, int y) { return Near(Headless::PresentedPixel(hwnd_, x, y), Opaque(0x4CFF29), 8); };
  int left = 400, right = 0, bottom = 0;
  for (int x = 0; x < 400; ++x) {
    if (!inBand(x, kPictureY + 31)) continue;
    left = std::min(left, x);
    right = std::max(right, x + 1);
  }
  for (int y = 0; y < 200; ++y) {
    if (inBand(kPictureX + 56, y)) bottom = std::max(bottom, y + 1);
  }
  EXPECT_EQ(left, kPictureX + 55);
  EXPECT_GE(right, kPictureX + 296);
  EXPECT_LE(right, kPictureX + 300);  // clipped to the picture, not following the pointer
  EXPECT_GE(bottom, kPictureY + 116);
  EXPECT_LE(bottom, kPictureY + 120);
  Headless::ButtonUp(Headless::Button::Right);
  Settle();
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_FRAME_SELECT, 0, 0}}));
  EXPECT_EQ(keyboard_->GetCheckItemCount(), 2);  // the page reads them after the report

  // A band 25 by 3 pixels selects nothing: every key is unchecked.
  keyboard_->ResetAllItemCheck(1);
  Headless::AdvanceClock(1000);
  Drag(Centre(0), Point{Centre(0).x + 25, Centre(0).y + 3}, Headless::Button::Left);
  EXPECT_EQ(keyboard_->GetCheckItemCount(), 0);
  Headless::ButtonUp(Headless::Button::Left);
  Settle();
  EXPECT_EQ(dialog_->notes.back(), (Note{kId, NOTIFY_CLICKED, 0, kValues[0]}));
}

TEST_F(KeyboardCtrlTest, TipsShowTheKeysOwnTextsOrTheControlsTitleAboveTheKey) {
  const auto moveTo = [this](Point at) {
    Headless::MoveMouseToClient(hwnd_, at.x, at.y);
    Settle();
  };
  keyboard_->SetTitle(u"Key settings");
  keyboard_->SetTipKey(kValues[1], u"Assigned", u"Ctrl+C");
  moveTo(Centre(0));
  EXPECT_EQ(keyboard_->GetTipWindow(), nullptr);  // tips are off by default
  EXPECT_EQ(Outline(0), Opaque(0xFF0000));        // the hovered key is marked in mode 101

  keyboard_->EnableKBTips(true);
  moveTo(Point{Centre(0).x + 1, Centre(0).y});
  CKeyboardTips* tip = keyboard_->GetTipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->GetWindowTextW(), u"KeyboardTip Window");
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ((std::array<std::u16string, 3>{tip->GetHeading(), tip->GetTitle(), tip->GetDetail()}),
            (std::array<std::u16string, 3>{u"Key 0", u"Key settings", u"Key 0"}));
  Rect placed;
  ASSERT_TRUE(tip->GetWindowRect(placed));
  const Point anchor{100 + kPictureX + 30, 100 + kPictureY + 10};  // the middle of key 0's top edge on screen
  EXPECT_EQ(placed, (Rect{anchor.x - 95, anchor.y - 100, anchor.x + 95, anchor.y}));

  moveTo(Centre(1));
  EXPECT_EQ((std::array<std::u16string, 3>{tip->GetHeading(), tip->GetTitle(), tip->GetDetail()}),
            (std::array<std::u16string, 3>{u"Key 1", u"Assigned", u"Ctrl+C"}));
  EXPECT_EQ(Outline(0), kPicture);
  moveTo(Point{kPictureX + 55, Centre(0).y});
  EXPECT_FALSE(tip->IsWindowVisible());
  EXPECT_EQ(keyboard_->GetHoverItem(), -1);
}

}  // namespace
}  // namespace cataloguetest
