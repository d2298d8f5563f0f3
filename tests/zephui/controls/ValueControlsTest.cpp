// MSlider, MProgress and MLevelCtrl: values from the mouse, the wheel and the
// loop, the notifications a page relies on, and what the cache shows.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/Headless.h"
#include "zephui/MLevelCtrl.h"
#include "zephui/MProgress.h"
#include "zephui/MSlider.h"
#include "zephui/MSpinButton.h"
#include "zephui/VirtualKeys.h"
#include "zephui/SkinLocator.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr ArgbColor kThumb{0xFFFF00FF};

class ValueControlsTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    // A 20 x 20 thumb of four frames in one colour.
    ASSERT_TRUE(renderprobe::Solid(80, 20, kThumb)->SavePng(SkinLocator::SkinPath(u"thumb_test.png")));
  }
  void MoveTo(int x, int y) { Headless::MoveMouseToClient(hwnd_, x, y); Headless::Pump(); }
  static void Press() { Headless::ButtonDown(Headless::Button::Left); Headless::Pump(); }
  static void Release() { Headless::ButtonUp(Headless::Button::Left); Headless::Pump(); }
  void Click(int x, int y) {
    MoveTo(x, y);
    Press();
    Release();
    Headless::AdvanceClock(1000);  // no double clicks
  }
};

// 220 wide with a 20-pixel thumb: 200 pixels of travel for 0 … 100.
TEST_F(ValueControlsTest, SliderFollowsPressDragWheelAndReportsOnRelease) {
  auto* slider = Add<MSlider>(u"MSlider", 50, Rect{40, 60, 260, 100}, u"");
  ASSERT_NE(slider, nullptr);
  ASSERT_EQ(slider->SetThumbImage(u"thumb_test.png"), 1);
  EXPECT_EQ(slider->SetProgress(-5), 0);
  EXPECT_EQ(slider->SetProgress(500), 100);
  EXPECT_EQ(slider->SetProgress(0), 0);

  MoveTo(140, 70);  // away from the thumb: it jumps there and is dragged from then on
  Press();
  EXPECT_EQ(slider->GetProgress(), 50);  // 100 * 101 / 200
  EXPECT_EQ(slider->GetThumbRect(), (Rect{140, 60, 160, 80}));
  MoveTo(259, 70);                       // the last pixel stands for more than the maximum: clamped
  EXPECT_EQ(slider->GetProgress(), 100);
  MoveTo(390, 190);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{50, NOTIFY_SCROLL, 50, 0}, {50, NOTIFY_SCROLL, 100, 0}}));
  Release();  // outside the control still ends the drag with a report
  EXPECT_EQ(dialog_->notes.back(), (Note{50, NOTIFY_CLICKED, 0, 0}));
  MoveTo(40, 80);
  EXPECT_EQ(slider->GetProgress(), 100);

  dialog_->notes.clear();
  MoveTo(100, 80);
  Headless::Wheel(-120);
  Headless::Pump();
  EXPECT_EQ(slider->GetProgress(), 99);
  Headless::Wheel(240);
  Headless::Pump();
  EXPECT_EQ(slider->GetProgress(), 100);  // the second step hits the end: no report
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{50, NOTIFY_CLICKED, 0, 0}, {50, NOTIFY_CLICKED, 0, 0}}));
  MoveTo(300, 250);  // a wheel away from the slider leaves it alone
  Headless::Wheel(-120);
  Headless::Pump();
  EXPECT_EQ(slider->GetProgress(), 100);
}

TEST_F(ValueControlsTest, SliderWithAnEmptyRangeDrawsNoThumb) {
  auto* slider = Add<MSlider>(u"MSlider", 51, Rect{40, 60, 260, 100}, u"");
  ASSERT_EQ(slider->SetThumbImage(u"thumb_test.png"), 1);
  slider->SetMinProgress(4);
  slider->SetMaxProgress(4);
  Settle();
  EXPECT_EQ(slider->GetProgress(), 4);
  EXPECT_EQ(slider->GetThumbRect(), Rect{});
  EXPECT_EQ(SlotBox(*slider, 0, Is(kThumb)), Rect{});
  slider->SetMaxProgress(8);
  Settle();
  EXPECT_EQ(SlotBox(*slider, 0, Is(kThumb)), (Rect{0, 0, 20, 20}));
  slider->SetProgress(8);
  Settle();
  EXPECT_EQ(SlotBox(*slider, 0, Is(kThumb)), (Rect{200, 0, 220, 20}));
}

TEST_F(ValueControlsTest, ProgressClampsLoopsAndDrawsItsShare) {
  auto* progress = Add<MProgress>(u"MProgress", 52, Rect{40, 60, 240, 80}, u"");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->SetProgress(150), 100);
  EXPECT_EQ(progress->SetProgress(-1), 100);
  EXPECT_EQ(progress->SetProgress(25), 25);
  Settle();
  const auto bar = [](ArgbColor p) { return p.Red() > 0xF0 && p.Green() > 0xD0 && p.Blue() < 0x20; };
  EXPECT_EQ(SlotBox(*progress, 0, bar), (Rect{0, 0, 50, 20}));

  progress->SetEnabled(false);
  EXPECT_EQ(progress->SetProgress(60), 25);
  progress->SetEnabled(true);

  progress->SetMaxProgress(4);
  progress->SetRun(true, 2);
  ASSERT_TRUE(progress->IsRunTimer());
  std::vector<int> seen;
  for (int tick = 0; tick < 9; ++tick) {
    progress->OnTimer();
    seen.push_back(progress->GetProgress());
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 2, 3, 3, 3, 0, 0, 0, 1}));
  progress->SetRun(false, 0);
  progress->OnTimer();
  progress->OnTimer();
  progress->OnTimer();
  EXPECT_EQ(progress->GetProgress(), 1);
}

// 16 cells on 400 pixels: each (400 - 80) / 16 = 20 wide, 5 apart.
TEST_F(ValueControlsTest, LevelCellClicksChooseAndReportChanges) {
  auto* level = Add<MLevelCtrl>(u"MLevelCtrl", 53, Rect{0, 100, 400, 130}, u"");
  ASSERT_NE(level, nullptr);
  const Rect third = level->GetCellRect(3);
  EXPECT_EQ(third, (Rect{75, 109, 95, 121}));
  Click(third.left + 2, third.top + 2);
  Click(third.left + 2, third.top + 2);  // the same cell again changes nothing
  Click(third.right + 2, third.top + 2); // the gap between cells is no cell
  EXPECT_EQ(level->GetLevelValue(), 3);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{53, NOTIFY_CLICKED, 3, 0}}));
  EXPECT_EQ(level->SetLevelValue(40), 15);
  level->SetRangeValue(2, 5);
  EXPECT_EQ(level->GetLevelValue(), 5);
  EXPECT_EQ(level->SetLevelValue(0), 2);
}

// A 100 x 12 track: the filled row red above, the empty row blue below.
TEST_F(ValueControlsTest, SliderTrackFillsUpToTheThumb) {
  ASSERT_TRUE(renderprobe::Painted(100, 12, [](int, int y) {
                return ArgbColor(y < 6 ? 0xFFFF0000 : 0xFF0000FF);
              })->SavePng(SkinLocator::SkinPath(u"track_test.png")));
  auto* slider = Add<MSlider>(u"MSlider", 58, Rect{40, 60, 260, 100}, u"");
  ASSERT_EQ(slider->SetImage(u"track_test.png", 1), 1);
  ASSERT_EQ(slider->SetThumbImage(u"thumb_test.png"), 1);
  slider->SetProgress(50);  // thumb 100 pixels in: the filled row runs from 10 to 120
  Settle();
  const auto red = [](ArgbColor p) { return p.Red() > 0xC0 && p.Blue() < 0x40; };
  const auto blue = [](ArgbColor p) { return p.Blue() > 0xC0 && p.Red() < 0x40; };
  EXPECT_EQ(SlotBox(*slider, 0, red), (Rect{10, 15, 120, 21}));
  EXPECT_EQ(SlotBox(*slider, 0, blue), (Rect{120, 15, 212, 21}));
  EXPECT_EQ(SlotBox(*slider, 0, Is(kThumb)), (Rect{100, 0, 120, 20}));
}

// Every control of the window is offered an unhandled key; only the focused one may act on it.
TEST_F(ValueControlsTest, ArrowKeysMoveOnlyTheFocusedValueControl) {
  auto* first = Add<MSlider>(u"MSlider", 55, Rect{40, 10, 260, 50}, u"");
  auto* second = Add<MSlider>(u"MSlider", 56, Rect{40, 60, 260, 100}, u"");
  auto* level = Add<MLevelCtrl>(u"MLevelCtrl", 57, Rect{0, 120, 400, 150}, u"");
  first->SetProgress(10);
  second->SetProgress(10);
  Click(250, 20);  // on the first slider, far from its thumb: it jumps to the end
  const int start = first->GetProgress();
  MoveTo(100, 80);  // the pointer rests on the other slider
  Headless::PressKey(VK_LEFT);
  Headless::PressKey(VK_LEFT);
  Headless::Pump();
  EXPECT_EQ(first->GetProgress(), start - 2);
  EXPECT_EQ(second->GetProgress(), 10);
  EXPECT_EQ(level->GetLevelValue(), 0);

  const Rect cell = level->GetCellRect(4);
  Click(cell.left + 1, cell.top + 1);
  MoveTo(100, 20);
  Headless::PressKey(VK_RIGHT);
  Headless::Pump();
  EXPECT_EQ(level->GetLevelValue(), 5);
  EXPECT_EQ(first->GetProgress(), start - 2);
  EXPECT_EQ(dialog_->notes.back(), (Note{57, NOTIFY_CLICKED, 5, 0}));
}

TEST_F(ValueControlsTest, SpinStepsByButtonsAndTypingStaysInRange) {
  auto* spin = Add<MSpinButton>(u"MSpinButton", 54, Rect{40, 60, 120, 84}, u"");
  ASSERT_NE(spin, nullptr);
  spin->SetRange(1, 12);
  EXPECT_EQ(spin->SetCurValue(13), 0);
  EXPECT_EQ(spin->SetCurValue(11), 11);
  const Rect up = spin->GetUpRect();
  const Rect down = spin->GetDownRect();
  EXPECT_EQ(up, (Rect{104, 60, 120, 72}));
  Click(up.left + 4, up.top + 4);
  Click(up.left + 4, up.top + 4);  // already at the top: no report
  Click(down.left + 4, down.top + 4);
  EXPECT_EQ(spin->GetCurValue(), 11);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{54, NOTIFY_SPIN, 0, 0}, {54, NOTIFY_SPIN, 0, 0}}));

  // Typing replaces the value; digits past the limit and values out of range wait for Enter.
  dialog_->notes.clear();
  ASSERT_TRUE(spin->IsFocused());
  Headless::PressKey('0');
  Headless::PressKey('9');
  Headless::Pump();
  EXPECT_EQ(spin->GetText(), u"09");
  EXPECT_EQ(spin->GetCurValue(), 9);
  Headless::PressKey('5');
  Headless::PressKey('7');  // a fourth digit
  Headless::Pump();
  EXPECT_EQ(spin->GetText(), u"095");
  EXPECT_EQ(spin->GetCurValue(), 9);
  Headless::PressKey(VK_RETURN);
  Headless::Pump();
  EXPECT_EQ(spin->GetText(), u"12");
  Headless::PressKey(VK_DOWN);
  Headless::Pump();
  EXPECT_EQ(spin->GetCurValue(), 11);
  EXPECT_EQ(dialog_->notes.size(), 3U);  // 9, 12, 11

  // Text still being typed is settled when the focus moves on.
  Headless::PressKey('0');
  Headless::Pump();
  Click(300, 180);
  EXPECT_EQ(spin->GetText(), u"1");
  EXPECT_EQ(spin->GetCurValue(), 1);
  EXPECT_EQ(dialog_->notes.size(), 4U);
}

}  // namespace
}  // namespace cataloguetest
