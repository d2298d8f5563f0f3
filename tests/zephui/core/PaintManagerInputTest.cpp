// Window input through the paint manager: Tab navigation, presses on the
// background, capture, focus on press, leave and deactivation.
#include <algorithm>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ManagerInput : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    MakeHost(300, 200);
  }
  PaintManager& Manager() { return *host_->manager; }

  void Press(std::initializer_list<std::uint32_t> held, std::uint32_t key) {
    for (std::uint32_t vk : held) Headless::KeyDown(vk);
    Headless::PressKey(key);
    for (std::uint32_t vk : held) Headless::KeyUp(vk);
    host_->PumpTranslated();
  }

  static long Tabs(const ColourControl* control) {
    return std::count(control->log.keyCodes.begin(), control->log.keyCodes.end(), VK_TAB);
  }

  Rect WindowRect() const {
    Rect rect;
    GetWindowRect(host_->hwnd, rect);
    return rect;
  }

  void DragFrom(int x, int y) {
    Headless::MoveMouseToClient(host_->hwnd, x, y);
    Headless::ButtonDown(Headless::Button::Left);
    Headless::Pump();
    Headless::MoveMouse(Point{100 + x + 30, 100 + y + 20});
    Headless::ButtonUp(Headless::Button::Left);
    Headless::Pump();
  }
};

TEST_F(ManagerInput, TabAndShiftTabVisitTheFocusableControlsInListOrder) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 50, 30});
  ColourControl* disabled = host_->AddColour(2, Rect{60, 10, 100, 30});
  ColourControl* c = host_->AddColour(3, Rect{110, 10, 150, 30});
  ColourControl* hidden = host_->AddColour(4, Rect{160, 10, 200, 30});
  host_->AddColour(5, Rect{210, 10, 250, 30});  // no tab stop
  for (ColourControl* control : {a, disabled, c, hidden}) control->SetTabStop(true);
  disabled->SetEnabled(false);
  hidden->SetVisible(false);

  Press({}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), a);
  EXPECT_TRUE(a->IsFocused());
  Press({}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), c);
  EXPECT_FALSE(a->IsFocused());
  Press({}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), a);  // wraps
  Press({VK_SHIFT}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), c);
  EXPECT_EQ(Tabs(a) + Tabs(c), 0);  // consumed: no control saw a Tab
}

TEST_F(ManagerInput, TabWithCtrlOrAltIsNotConsumedAndTabWithNothingFocusableClearsFocus) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 50, 30});
  a->SetTabStop(true);
  Press({}, VK_TAB);
  ASSERT_EQ(Manager().GetFocusControl(), a);
  Press({VK_CONTROL}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), a);
  EXPECT_EQ(Tabs(a), 1);  // it reached the controls
  Press({VK_MENU}, VK_TAB);
  EXPECT_EQ(Tabs(a), 2);
  a->SetTabStop(false);
  Press({}, VK_TAB);
  EXPECT_EQ(Manager().GetFocusControl(), nullptr);
  EXPECT_FALSE(a->IsFocused());
}

TEST_F(ManagerInput, APressOnTheBackgroundMovesTheWindowOnlyWithWindowDragOn) {
  host_->AddColour(1, Rect{10, 10, 50, 30});
  const Rect before = WindowRect();
  DragFrom(200, 150);
  const Rect moved = WindowRect();
  EXPECT_EQ(moved.left, before.left + 30);
  EXPECT_EQ(moved.top, before.top + 20);
  Manager().EnableWndDrag(false);
  DragFrom(200, 150);
  EXPECT_EQ(WindowRect(), moved);
}

TEST_F(ManagerInput, APressedControlHasFocusAndCaptureUntilRelease) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 60, 40});
  ColourControl* b = host_->AddColour(2, Rect{100, 10, 150, 40});
  const Rect before = WindowRect();
  Headless::MoveMouseToClient(host_->hwnd, 20, 20);
  Headless::ButtonDown(Headless::Button::Left);
  Headless::Pump();
  EXPECT_TRUE(Manager().IsCaptured());
  EXPECT_EQ(GetCapture(), host_->hwnd);
  EXPECT_EQ(Manager().GetFocusControl(), a);
  EXPECT_TRUE(a->IsFocused());
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  EXPECT_FALSE(Manager().IsCaptured());
  EXPECT_EQ(a->log.ups, 1);
  Headless::MoveMouseToClient(host_->hwnd, 120, 20);
  Headless::ClickClient(host_->hwnd, 120, 20);
  Headless::Pump();
  EXPECT_EQ(Manager().GetFocusControl(), b);
  EXPECT_FALSE(a->IsFocused());
  EXPECT_EQ(WindowRect(), before);  // a handled press never moves the window
}

TEST_F(ManagerInput, LeavingTheWindowTellsTheHoverControlAndForgetsIt) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 60, 40});
  Headless::MoveMouseToClient(host_->hwnd, 20, 20);
  Headless::Pump();
  ASSERT_EQ(Manager().GetHoverControl(), a);
  Headless::MoveMouse(Point{900, 900});
  Headless::Pump();
  EXPECT_EQ(Manager().GetHoverControl(), nullptr);
  EXPECT_EQ(a->log.lastMove, (Point{-1, -1}));
}

TEST_F(ManagerInput, LosingActivationDuringAPressReleasesItOnTheControl) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 60, 40});
  Headless::MoveMouseToClient(host_->hwnd, 20, 20);
  Headless::ButtonDown(Headless::Button::Left);
  Headless::Pump();
  Headless::ActivateOtherProgram();
  Headless::Pump();
  EXPECT_EQ(a->log.ups, 1);
  EXPECT_EQ(Manager().GetHoverControl(), nullptr);
  EXPECT_FALSE(Manager().IsCaptured());
}

// Back by keyboard (Alt+Tab, the tray) with the pointer resting on a button:
// the first click must reach the button, and the window must not move.
TEST_F(ManagerInput, AClickInPlaceAfterReactivationReachesTheControlUnderThePointer) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 60, 40});
  const Rect before = WindowRect();
  Headless::MoveMouseToClient(host_->hwnd, 20, 20);
  Headless::Pump();
  Headless::ActivateOtherProgram();
  Headless::Pump();
  ASSERT_EQ(Manager().GetHoverControl(), nullptr);
  SetActiveWindow(host_->hwnd);
  Headless::Pump();
  EXPECT_EQ(Manager().GetHoverControl(), a);

  Headless::ActivateOtherProgram();
  Headless::Pump();
  ASSERT_EQ(Manager().GetHoverControl(), nullptr);
  Headless::ButtonDown(Headless::Button::Left);  // the press itself activates the window
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  EXPECT_EQ(a->log.downs, 1);
  EXPECT_EQ(a->log.ups, 1);
  EXPECT_EQ(WindowRect(), before);
}

TEST_F(ManagerInput, KeysGoToTheHoverControlFirstThenToTheOthersInOrder) {
  ColourControl* a = host_->AddColour(1, Rect{10, 10, 60, 40});
  ColourControl* b = host_->AddColour(2, Rect{100, 10, 150, 40});
  Headless::MoveMouseToClient(host_->hwnd, 120, 20);
  Headless::Pump();
  Headless::PressKey('Q');
  Headless::Pump();
  EXPECT_EQ(b->log.keys, 1);
  EXPECT_EQ(a->log.keys, 0);
  b->answer = 0;
  Headless::PressKey('Q');
  Headless::Pump();
  EXPECT_EQ(b->log.keys, 2);
  EXPECT_EQ(a->log.keys, 1);
}

}  // namespace
}  // namespace controltest
