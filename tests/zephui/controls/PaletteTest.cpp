// CirclePalette and MPalette: where a press lands decides the colour, the
// colour reported is the one shown, and presses off the picker do nothing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/CColorButton.h"
#include "zephui/CColorPalette.h"
#include "zephui/CColorSelect.h"
#include "zephui/CirclePalette.h"
#include "zephui/Headless.h"
#include "zephui/MPalette.h"
#include "zephui/MSpinButton.h"
#include "zephui/SkinLocator.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr GdiColor kRed(0x0000FF);
constexpr GdiColor kBlue(0xFF0000);

class PaletteTest : public CatalogueFixture {
 protected:
  void MoveTo(int x, int y) { Headless::MoveMouseToClient(hwnd_, x, y); Headless::Pump(); }
  static void Press() { Headless::ButtonDown(Headless::Button::Left); Headless::Pump(); }
  static void Release() {
    Headless::ButtonUp(Headless::Button::Left);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // no double clicks
  }
  void Click(int x, int y) {
    MoveTo(x, y);
    Press();
    Release();
  }
  // The colour the window shows at a client point, as a palette reports it.
  GdiColor Shown(int x, int y) { return ToGdi(Headless::PresentedPixel(hwnd_, x, y)); }
};

// A 136 x 136 wheel at (40, 40): red on the left half, blue on the right; centre (108, 108).
TEST_F(PaletteTest, CirclePaletteReportsTheColourUnderThePointerWithinReach) {
  ASSERT_TRUE(renderprobe::Painted(136, 136, [](int x, int) {
                return ArgbColor(x < 68 ? 0xFFFF0000 : 0xFF0000FF);
              })->SavePng(SkinLocator::SkinPath(u"wheel_test.png")));
  auto* wheel = Add<CirclePalette>(u"CirclePalette", 60, Rect{40, 40, 176, 176}, u"");
  ASSERT_NE(wheel, nullptr);
  ASSERT_EQ(wheel->SetImage(u"wheel_test.png", 1), 1);
  Settle();
  EXPECT_EQ(wheel->GetSelectColor(), kRed);
  EXPECT_EQ(wheel->GetThumbRect(), (Rect{140, 70, 150, 80}));

  ASSERT_EQ(Shown(78, 108), kRed);
  Click(78, 108);
  EXPECT_EQ(wheel->GetThumbRect(), (Rect{73, 103, 83, 113}));
  ASSERT_EQ(Shown(138, 108), kBlue);
  Click(138, 108);
  Click(174, 108);  // inside the control, 66 pixels from the centre
  Click(108, 174);
  EXPECT_EQ(wheel->GetSelectColor(), kBlue);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{60, NOTIFY_COLOR, 0, static_cast<LPARAM>(kRed.Value())},
                                               {60, NOTIFY_COLOR, 0, static_cast<LPARAM>(kBlue.Value())}}));

  // A drag from the thumb ignores jitter and follows real moves.
  dialog_->notes.clear();
  MoveTo(138, 108);
  Press();
  MoveTo(143, 112);
  EXPECT_EQ(wheel->GetThumbRect(), (Rect{133, 103, 143, 113}));
  MoveTo(90, 108);
  Release();
  EXPECT_EQ(wheel->GetThumbRect(), (Rect{85, 103, 95, 113}));
  EXPECT_EQ(wheel->GetSelectColor(), kRed);
  EXPECT_EQ(dialog_->notes.size(), 2U);  // the press, then the move to the red half
}

// 400 x 180 at (20, 20): field (20, 20)-(382, 170), bar (388, 20)-(404, 170).
TEST_F(PaletteTest, PaletteFieldAndBarChooseHueLightnessAndSaturation) {
  auto* palette = Add<MPalette>(u"MPalette", 61, Rect{20, 20, 420, 200}, u"");
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->GetFieldRect(), (Rect{20, 20, 382, 170}));
  EXPECT_EQ(palette->GetBarRect(), (Rect{388, 20, 404, 170}));
  Click(20, 20);             // hue 0, lightest
  Click(20, 95);             // hue 0, middle lightness: pure red
  Click(396, 169);           // no saturation: grey of the same lightness
  Click(200, 169);           // darkest: black, kept apart from the transparent key
  Click(400, 190);           // below the bar: nothing
  EXPECT_EQ(palette->GetSelectColor(), GdiColor(0x000001));
  const std::vector<Note> expected{{61, NOTIFY_COLOR, 0xFFFFFF, 0},
                                   {61, NOTIFY_COLOR, kRed.Value(), 0},
                                   {61, NOTIFY_COLOR, 0x808080, 0},
                                   {61, NOTIFY_COLOR, 0x000001, 0}};
  EXPECT_EQ(dialog_->notes, expected);

  // A drag in the field stays on the field's scale when the pointer leaves it.
  MoveTo(100, 95);
  Press();
  MoveTo(100, 199);
  Release();
  EXPECT_EQ(palette->GetLightness(), 0);
}

TEST_F(PaletteTest, PaletteTakesColoursBackWithoutDrift) {
  auto* palette = Add<MPalette>(u"MPalette", 62, Rect{20, 20, 420, 200}, u"");
  for (const GdiColor colour : {kBlue, GdiColor(0x3366CC), GdiColor(0x10E0A0), GdiColor(0x7F7F7F)}) {
    palette->SetSelectColor(colour);
    const GdiColor back = MPalette::HslToColor(palette->GetHue(), palette->GetSaturation(), palette->GetLightness());
    EXPECT_LE(std::abs(back.Red() - colour.Red()), 2) << std::hex << colour.Value();
    EXPECT_LE(std::abs(back.Green() - colour.Green()), 2) << std::hex << colour.Value();
    EXPECT_LE(std::abs(back.Blue() - colour.Blue()), 2) << std::hex << colour.Value();
  }
  palette->SetSelectColor(kBlue);
  EXPECT_EQ(palette->GetHue(), 240);
  EXPECT_EQ(palette->GetSelectColor(), kBlue);
  EXPECT_TRUE(dialog_->notes.empty());
}

// Swatches 24 wide, 6 apart, from (20, 20).
TEST_F(PaletteTest, ColorSelectReportsTheChosenSwatchAndRecolours) {
  auto* select = Add<CColorSelect>(u"CColorSelect", 63, Rect{20, 20, 200, 80}, u"");
  ASSERT_NE(select, nullptr);
  for (const GdiColor colour : {kRed, GdiColor(0x00FF00), kBlue}) select->AddColor(colour);
  Settle();
  EXPECT_FALSE(select->SetSelItemColor(GdiColor(0x00FFFF)));  // nothing chosen yet
  Click(62, 32);
  Click(32, 32);
  EXPECT_EQ(select->GetSelItem(), 0);
  EXPECT_EQ(select->GetItem(0)->GetCheck(), 1);
  EXPECT_EQ(select->GetItem(1)->GetCheck(), 0);
  EXPECT_TRUE(select->SetSelItemColor(GdiColor(0x00FFFF)));
  EXPECT_EQ(select->GetItemColor(0), GdiColor(0x00FFFF));
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{63, NOTIFY_COLOR, 1, 0x00FF00},
                                               {63, NOTIFY_COLOR, 0, static_cast<LPARAM>(kRed.Value())},
                                               {63, NOTIFY_COLOR, 0, 0x00FFFF}}));
}

// Palette field (10, 10)-(276, 160); red, green and blue fields at x 338-390, 32 pixels apart.
TEST_F(PaletteTest, ColorPaletteKeepsPaletteAndFieldsInStep) {
  auto* chooser = Add<CColorPalette>(u"CColorPalette", 64, Rect{10, 10, 390, 190}, u"");
  ASSERT_NE(chooser, nullptr);
  Click(10, 85);  // pure red on the palette
  EXPECT_EQ(chooser->GetChannel(0)->GetCurValue(), 255);
  EXPECT_EQ(chooser->GetChannel(1)->GetCurValue(), 0);
  const Rect up = chooser->GetChannel(1)->GetUpRect();
  Click(up.left + 4, up.top + 4);  // green one up
  EXPECT_EQ(chooser->GetSelectColor(), GdiColor(0x0001FF));
  EXPECT_EQ(chooser->GetPalette()->GetSelectColor(), GdiColor(0x0001FF));
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{64, NOTIFY_COLOR, kRed.Value(), 0}, {64, NOTIFY_COLOR, 0x0001FF, 0}}));
  chooser->SetSelectColor(kBlue);
  EXPECT_EQ(chooser->GetChannel(2)->GetCurValue(), 255);
  EXPECT_EQ(dialog_->notes.size(), 2U);
}

}  // namespace
}  // namespace cataloguetest
