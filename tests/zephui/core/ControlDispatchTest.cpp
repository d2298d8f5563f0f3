// Mouse, wheel and key events travelling down the control tree.
#include "tests/zephui/core/ControlHost.h"
#include "zephui/Cursor.h"
#include "zephui/Headless.h"
#include "zephui/MScroll.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ControlDispatch : public ControlFixture {
 protected:
  // A panel at (10, 10, 210, 160) with one child at (20, 20, 120, 80).
  void SetUp() override {
    ControlFixture::SetUp();
    Host& host = MakeHost();
    panel_ = host.AddPanel(5, Rect{10, 10, 210, 160});
    child_ = static_cast<ColourControl*>(
        panel_->AddChild(std::make_unique<ColourControl>(panel_, 6, Rect{20, 20, 120, 80}), 1));
  }

  void Click(int x, int y) {
    Headless::MoveMouseToClient(host_->hwnd, x + 1, y);  // a move first, as a real pointer makes
    Headless::ClickClient(host_->hwnd, x, y);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // the next click is not a double click
  }

  ColourPanel* panel_ = nullptr;
  ColourControl* child_ = nullptr;
};

TEST_F(ControlDispatch, HiddenOrUnresponsiveControlsAndTheirChildrenTakeNoInput) {
  for (int round = 0; round < 2; ++round) {
    if (round == 0) panel_->SetVisible(false);
    if (round == 1) {
      panel_->SetVisible(true);
      panel_->SetRresponse(false);
    }
    Click(50, 50);
    Headless::Wheel(120);
    Headless::PressKey('A');
    Headless::Pump();
    EXPECT_EQ(child_->log.moves, 0) << round;
    EXPECT_EQ(child_->log.downs, 0) << round;
    EXPECT_TRUE(child_->log.scrolls.empty()) << round;
    EXPECT_EQ(child_->log.keys, 0) << round;
  }
  panel_->SetRresponse(true);
  child_->SetVisible(false);
  Click(50, 50);
  EXPECT_EQ(child_->log.downs, 0);
  child_->SetVisible(true);
  Click(50, 50);
  EXPECT_EQ(child_->log.downs, 1);
}

TEST_F(ControlDispatch, APressThatLeavesAChildKeepsTheMovesOnIt) {
  auto* sibling = static_cast<ColourControl*>(
      panel_->AddChild(std::make_unique<ColourControl>(panel_, 8, Rect{130, 90, 200, 150}), 1));
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::Pump();
  const int siblingMoves = sibling->log.moves;  // every child is offered every move
  Headless::ButtonDown(Headless::Button::Left);
  Headless::MoveMouseToClient(host_->hwnd, 180, 140);  // over the sibling
  Headless::Pump();
  EXPECT_EQ(child_->log.lastMove, (Point{180, 140}));
  EXPECT_EQ(sibling->log.moves, siblingMoves);
  EXPECT_EQ(panel_->GetHoverChild(), child_);
  Headless::ButtonUp(Headless::Button::Left);
  Headless::MoveMouseToClient(host_->hwnd, 190, 145);
  Headless::Pump();
  EXPECT_EQ(child_->log.ups, 1);
  EXPECT_EQ(sibling->log.lastMove, (Point{190, 145}));
  EXPECT_EQ(panel_->GetHoverChild(), sibling);
}

TEST_F(ControlDispatch, ScrollBarIdsTakeWindowPointsWhileSiblingsTakeContentPoints) {
  // 300 pixels of overflow, scrolled to the end.
  panel_->SetVirtualSize(0, 450);
  MScroll* bar = panel_->GetScrollVertical();
  ASSERT_TRUE(bar->IsVisible());
  bar->SetScrollPos(bar->GetScrollRange());
  ASSERT_EQ(panel_->GetVerticalOffset(), 300);
  auto* content = static_cast<ColourControl*>(
      panel_->AddChild(std::make_unique<ColourControl>(panel_, 7, Rect{20, 310, 120, 360}), 1));
  auto* windowPoints = static_cast<ColourControl*>(
      panel_->AddChild(std::make_unique<ColourControl>(panel_, SCROLLBAR_HORIZONTAL_ID, Rect{20, 20, 120, 60}), 1));
  Headless::MoveMouseToClient(host_->hwnd, 50, 40);
  Headless::Pump();
  EXPECT_EQ(content->log.lastMove, (Point{50, 340}));
  EXPECT_EQ(windowPoints->log.lastMove, (Point{50, 40}));
  Click(50, 40);
  EXPECT_EQ(windowPoints->log.lastDown, (Point{50, 40}));
  EXPECT_EQ(content->log.downs, 0);  // the later child in list order takes the press
}

TEST_F(ControlDispatch, TheLastOverlappingChildTakesThePress) {
  auto* over = static_cast<ColourControl*>(
      panel_->AddChild(std::make_unique<ColourControl>(panel_, 8, Rect{60, 40, 160, 100}), 1));
  Click(70, 50);
  EXPECT_EQ(over->log.downs, 1);
  EXPECT_EQ(child_->log.downs, 0);
  over->SetEnabled(false);
  Click(70, 50);
  EXPECT_EQ(child_->log.downs, 1);
}

TEST_F(ControlDispatch, WheelTurnsBecomeStepsOfOneNotchEach) {
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::Pump();
  Headless::Wheel(240);
  Headless::Pump();
  EXPECT_EQ(child_->log.scrolls, (std::vector<int>{0, 0}));
  Headless::Wheel(60);
  Headless::Pump();
  EXPECT_EQ(child_->log.scrolls.size(), 2U);
  Headless::Wheel(-120);
  Headless::Pump();
  EXPECT_EQ(child_->log.scrolls, (std::vector<int>{0, 0, 1}));
}

TEST_F(ControlDispatch, AScrolledPanelMovesItsBarOneRowPerWheelStep) {
  child_->answer = 0;  // the child lets the panel scroll
  panel_->SetVirtualSize(0, 450);
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::Wheel(-240);
  Headless::Pump();
  EXPECT_EQ(panel_->GetScrollVertical()->GetScrollPos(), 20);
  Headless::Wheel(360);
  Headless::Pump();
  EXPECT_EQ(panel_->GetScrollVertical()->GetScrollPos(), 0);  // clamped at the top
}

TEST_F(ControlDispatch, DoubleClicksFollowTheDoubleClickMode) {
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_EQ(child_->log.downs, 2);  // mode off: the second click is a press
  EXPECT_EQ(child_->log.doubleClicks, 0);
  Headless::AdvanceClock(1000);
  child_->SetDblClk(true);
  child_->SetNotifyDblClk(true);
  panel_->SetDblClk(false);
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_EQ(child_->log.downs, 3);
  EXPECT_EQ(child_->log.doubleClicks, 1);
  // The panel passes the child's notification on with the child's id.
  ASSERT_FALSE(host_->face->notes.empty());
  EXPECT_EQ(host_->face->notes.back().id, 6U);
  EXPECT_EQ(host_->face->notes.back().code, NOTIFY_DBLCLICK);
}

TEST_F(ControlDispatch, KeysReachTheFocusedChildAndReportWhenAsked) {
  auto* other = static_cast<ColourControl*>(
      panel_->AddChild(std::make_unique<ColourControl>(panel_, 9, Rect{130, 20, 200, 80}), 1));
  other->SetNotifyKeyDown(true);
  Click(150, 50);  // focuses `other`
  EXPECT_TRUE(other->IsFocused());
  Headless::PressKey('K');
  Headless::Pump();
  EXPECT_EQ(other->log.keys, 1);
  EXPECT_EQ(child_->log.keys, 0);
  ASSERT_FALSE(host_->face->notes.empty());
  EXPECT_EQ(host_->face->notes.back().code, NOTIFY_KEYDOWN);
  EXPECT_EQ(host_->face->notes.back().wParam, static_cast<WPARAM>('K'));
}

TEST_F(ControlDispatch, ANamedCursorShowsOnTheNextMoveAndUnknownNamesKeepIt) {
  child_->SetCursorEx(u"hand");
  child_->SetCursorEx(u"no-such-cursor");
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_EQ(Headless::CurrentCursor(), CursorType::Hand);
}

TEST_F(ControlDispatch, ModifierMaskFollowsTheHeldKeys) {
  const auto maskWith = [](std::initializer_list<std::uint32_t> keys) {
    for (std::uint32_t vk : keys) Headless::KeyDown(vk);
    Headless::Pump();
    const std::uint32_t mask = CurrentModifierMask();
    for (std::uint32_t vk : keys) Headless::KeyUp(vk);
    Headless::Pump();
    return mask;
  };
  EXPECT_EQ(maskWith({}), 0U);
  EXPECT_EQ(maskWith({VK_SHIFT}), 16U);
  EXPECT_EQ(maskWith({VK_CONTROL}), 17U);
  EXPECT_EQ(maskWith({VK_MENU, VK_SHIFT}), 18U);
  EXPECT_EQ(maskWith({VK_MENU, VK_CONTROL}), 19U);
}

}  // namespace
}  // namespace controltest
