// The four-state button family: text colours per state, colour swatch
// groups and frames, image and help balloons, icon button groups, the
// switch's report, and the timer button's run on the manual clock.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/CColorButton.h"
#include "zephui/CHelpButton.h"
#include "zephui/CIconButton.h"
#include "zephui/CImageButton.h"
#include "zephui/CSwitchButton.h"
#include "zephui/CTextButton.h"
#include "zephui/CTimerButton.h"
#include "zephui/Headless.h"
#include "zephui/MAirBladder.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;
using renderprobe::Near;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr Rect kRect{40, 60, 160, 100};  // 120 x 40
constexpr Point kInside{100, 80};

class ButtonFamilyTest : public CatalogueFixture {
 protected:
  void MoveTo(Point p) {
    Headless::MoveMouseToClient(hwnd_, p.x, p.y);
    Headless::Pump();
  }
  void ClickAt(Point p) {
    Headless::ClickClient(hwnd_, p.x, p.y);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // no double click with the next one
  }
  MAirBladder* Balloon() { return dialog_->GetPaintManager().GetAirBladder(); }
  bool BalloonShown() { return Balloon() != nullptr && Balloon()->IsWindowVisible(); }
  Point Screen(int x, int y) {
    Point p{x, y};
    ClientToScreen(hwnd_, p);
    return p;
  }
};

TEST_F(ButtonFamilyTest, TextButtonDrawsEachStateInItsColour) {
  auto* button = Add<CTextButton>(u"CTextButton", 5, kRect, u"Reset");
  ASSERT_NE(button, nullptr);
  button->SetFont(button->GetTextFont(), 20, 1);
  Settle();
  const auto yellow = [](ArgbColor p) { return p.Red() > 0xE0 && p.Green() > 0xC0 && p.Blue() < 0x40; };
  EXPECT_GT(SlotBox(*button, BUTTON_STATE_HOVER, yellow).Width(), 0);
  EXPECT_EQ(SlotBox(*button, BUTTON_STATE_NORMAL, yellow), Rect{});
  button->SetTextButtonColor(ArgbColor(0xFFFF0000), ArgbColor(0xFF00FF00), ArgbColor(0xFF0000FF),
                             ArgbColor(0xFFFFFFFF));
  Settle();
  EXPECT_GT(SlotBox(*button, BUTTON_STATE_NORMAL, Is(ArgbColor(0xFFFF0000))).Width(), 0);
  EXPECT_GT(SlotBox(*button, BUTTON_STATE_DISABLED, Is(ArgbColor(0xFFFFFFFF))).Width(), 0);
  EXPECT_EQ(SlotBox(*button, BUTTON_STATE_HOVER, Is(ArgbColor(0xFFFF0000))), Rect{});
}

TEST_F(ButtonFamilyTest, ColourSwatchGroupSkipsHiddenAndDisabledMembers) {
  auto* a = Add<CColorButton>(u"CColorButton", 11, Rect{10, 10, 40, 40}, u"");
  auto* hidden = Add<CColorButton>(u"CColorButton", 12, Rect{50, 10, 80, 40}, u"");
  auto* off = Add<CColorButton>(u"CColorButton", 13, Rect{90, 10, 120, 40}, u"");
  auto* other = Add<CColorButton>(u"CColorButton", 14, Rect{130, 10, 160, 40}, u"");
  ASSERT_NE(other, nullptr);
  other->SetGroupName(u"keys");
  for (CColorButton* b : {hidden, off, other}) b->SetControlCheck(1);
  hidden->SetVisible(false);
  off->SetEnabled(false);
  ClickAt(Point{20, 20});
  EXPECT_EQ(a->GetCheck(), 1);
  EXPECT_EQ(hidden->GetCheck(), 1);
  EXPECT_EQ(off->GetCheck(), 1);
  EXPECT_EQ(other->GetCheck(), 1);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{11, NOTIFY_PRESSED, 0, 0}, {11, NOTIFY_CLICKED, 0, 0}}));
  EXPECT_EQ(std::u16string(a->GetClassNameW()), u"ColorButton");

  // The checked swatch keeps its pressed slot under the pointer: the fill's outline stays F5F5F5.
  a->SetColor(GdiColor::FromRgb(200, 0, 0));
  Settle();
  MoveTo(Point{20, 20});
  Settle();
  EXPECT_EQ(a->GetState(), BUTTON_STATE_HOVER);
  EXPECT_TRUE(Near(Headless::PresentedPixel(hwnd_, 12, 20), SlotPixel(*a, BUTTON_STATE_PRESSED, 2, 10), 2));
  EXPECT_TRUE(Near(Headless::PresentedPixel(hwnd_, 20, 20), ArgbColor(0xFFC80000), 2));
}

TEST_F(ButtonFamilyTest, ColourSwatchBorderAndOutlines) {
  auto* swatch = Add<CColorButton>(u"CColorButton", 11, Rect{10, 10, 40, 40}, u"");
  swatch->SetColor(GdiColor::FromRgb(0, 0, 200));
  Settle();
  EXPECT_EQ(SlotPixel(*swatch, 0, 15, 15), ArgbColor(0xFF0000C8));
  EXPECT_EQ(SlotPixel(*swatch, 0, 1, 15), ArgbColor(0xFE202020));   // the window's fill shows at the edge
  EXPECT_EQ(SlotPixel(*swatch, 1, 2, 15), ArgbColor(0xFFF5F5F5));   // hover outline
  EXPECT_EQ(SlotPixel(*swatch, 3, 2, 15), ArgbColor(0xFF808080));   // disabled outline
  swatch->SetVisibleBorder(true);
  Settle();
  EXPECT_EQ(SlotPixel(*swatch, 1, 0, 15), ArgbColor(0xFFEBEBEB));
  EXPECT_EQ(SlotPixel(*swatch, 1, 2, 15), ArgbColor(0xFF050505));
  EXPECT_EQ(SlotPixel(*swatch, 1, 3, 15), ArgbColor(0xFF0000C8));
}

TEST_F(ButtonFamilyTest, ImageButtonBalloonFollowsHover) {
  auto* button = Add<CImageButton>(u"CImageButton", 6, kRect, u"Import");
  ASSERT_NE(button, nullptr);
  MoveTo(kInside);
  EXPECT_EQ(Balloon(), nullptr);  // no mode, no balloon
  MoveTo(Point{5, 5});
  button->SetAlrBladderMode(2);
  MoveTo(kInside);
  ASSERT_TRUE(BalloonShown());
  EXPECT_EQ(Balloon()->GetText(), u"Import");
  EXPECT_EQ(Balloon()->GetType(), 2);
  const Point anchor = Screen(kRect.left, kRect.top + kRect.Height() / 2);
  EXPECT_EQ(Balloon()->GetAnchor().x, anchor.x);
  EXPECT_EQ(Balloon()->GetAnchor().y, anchor.y);
  Headless::ButtonDown(Headless::Button::Left);
  Headless::Pump();
  EXPECT_FALSE(BalloonShown());  // pressed is another state
}

TEST_F(ButtonFamilyTest, HelpBalloonBelongsToItsOwner) {
  auto* help = Add<CHelpButton>(u"CHelpButton", 8, Rect{10, 10, 30, 30}, u"Hold to repeat");
  ASSERT_NE(help, nullptr);
  MoveTo(Point{20, 20});
  ASSERT_TRUE(BalloonShown());
  EXPECT_EQ(Balloon()->GetText(), u"Hold to repeat");
  EXPECT_EQ(Balloon()->GetAnchor().x, Screen(10, 35).x);
  EXPECT_EQ(Balloon()->GetAnchor().y, Screen(10, 35).y);
  EXPECT_EQ(Balloon()->GetType(), 2);
  MoveTo(Point{200, 150});
  EXPECT_FALSE(BalloonShown());

  MoveTo(Point{20, 20});
  dialog_->GetPaintManager().ShowAirBladder(true, 99);  // another control takes the balloon
  MoveTo(Point{200, 150});
  EXPECT_TRUE(BalloonShown());
  EXPECT_TRUE(dialog_->notes.empty());
}

TEST_F(ButtonFamilyTest, IconButtonsKeptDownUncheckTheirGroup) {
  auto* first = Add<CIconButton>(u"CIconButton", 21, Rect{10, 10, 40, 40}, u"");
  auto* second = Add<CIconButton>(u"CIconButton", 22, Rect{50, 10, 80, 40}, u"");
  ASSERT_NE(second, nullptr);
  ClickAt(Point{20, 20});
  EXPECT_EQ(first->GetCheck(), 0);  // plain buttons until the down state is on
  first->SetDownState(true);
  second->SetDownState(true);
  ClickAt(Point{20, 20});
  ClickAt(Point{60, 20});
  EXPECT_EQ(first->GetCheck(), 0);
  EXPECT_EQ(second->GetCheck(), 1);
  EXPECT_EQ(dialog_->notes.size(), 6U);  // pressed and clicked three times
  second->SetTips(u"Pen");
  EXPECT_EQ(second->GetTooltip(), u"Pen");
  second->SetShowTips(false);
  EXPECT_EQ(second->GetTooltip(), u"");
}

TEST_F(ButtonFamilyTest, SwitchReportsItsNewState) {
  auto* sw = Add<CSwitchButton>(u"CSwitchButton", 9, Rect{10, 10, 50, 30}, u"ignored");
  ASSERT_NE(sw, nullptr);
  EXPECT_EQ(sw->GetTitle(), u"");
  ClickAt(Point{20, 20});
  ClickAt(Point{20, 20});
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{9, NOTIFY_CLICKED, 0, 1}, {9, NOTIFY_CLICKED, 0, 0}}));
  EXPECT_NE(SlotPixel(*sw, 0, 10, 10), SlotPixel(*sw, 4, 10, 10));  // the knob moved
}

TEST_F(ButtonFamilyTest, TimerButtonClicksItselfAfterTenSeconds) {
  auto* button = Add<CTimerButton>(u"CTimerButton", 30, kRect, u"Retry");
  ASSERT_NE(button, nullptr);
  button->SetEnabled(false);
  button->SetRun(true);
  EXPECT_FALSE(button->IsRun());
  button->SetEnabled(true);
  button->SetRun(true);
  EXPECT_EQ(button->GetSecondsLeft(), 10);
  Headless::RunFor(9500);
  EXPECT_TRUE(button->IsRun());
  EXPECT_EQ(button->GetSecondsLeft(), 1);
  EXPECT_TRUE(dialog_->notes.empty());
  Headless::RunFor(600);
  EXPECT_FALSE(button->IsRun());
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{30, NOTIFY_CLICKED, 0, 0}}));
  Headless::RunFor(11000);
  EXPECT_EQ(dialog_->notes.size(), 1U);  // stopped for good

  button->SetRun(true);
  Headless::RunFor(3000);
  button->SetRun(false);
  Headless::RunFor(11000);
  EXPECT_EQ(dialog_->notes.size(), 1U);
}

}  // namespace
}  // namespace cataloguetest
