// Activation, stacking and popups that close when they lose activation.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Activation : public HeadlessFixture {
 protected:
  // A popup owned by `owner` that closes itself when deactivated, like a drop-down list.
  HWND MakePopup(HWND owner, int x, int y) {
    const HWND popup = MakeWindow(x, y, 80, 80, WS_POPUP | WS_VISIBLE, owner, WS_EX_TOOLWINDOW);
    Procedure(popup).On(WM_ACTIVATE, [](HWND hwnd, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (LOWORD(wParam) == WA_INACTIVE) PostMessage(hwnd, WM_CLOSE, 0, 0);
      return DefWindowProc(hwnd, WM_ACTIVATE, wParam, lParam);
    });
    return popup;
  }
};

TEST_F(Activation, ShowingAWindowDeactivatesTheOtherInOrder) {
  const HWND a = MakeWindow(0, 0, 100, 100);
  Procedure(a).Clear();
  const HWND b = MakeWindow(200, 0, 100, 100);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(Procedure(a).Sequence({WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}),
            (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}));
  EXPECT_EQ(LOWORD(Procedure(a).Last(WM_ACTIVATE)->wParam), WA_INACTIVE);
  EXPECT_EQ(Procedure(a).Last(WM_ACTIVATE)->lParam, reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(Procedure(b).Sequence({WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(LOWORD(Procedure(b).Last(WM_ACTIVATE)->wParam), WA_ACTIVE);
}

TEST_F(Activation, AClickActivatesBeforeThePressArrives) {
  const HWND a = MakeWindow(0, 0, 100, 100);
  MakeWindow(200, 0, 100, 100);
  Headless::MoveMouseToClient(a, 5, 5);
  Headless::Pump();
  Procedure(a).Clear();
  Headless::ButtonDown(Headless::Button::Left);
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Procedure(a).Sequence({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN}),
            (std::vector<UINT>{WM_MOUSEACTIVATE, WM_ACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN}));
  EXPECT_EQ(LOWORD(Procedure(a).Last(WM_ACTIVATE)->wParam), WA_CLICKACTIVE);
}

TEST_F(Activation, ActivateAndEatActivatesWithoutDeliveringThePress) {
  const HWND a = MakeWindow(0, 0, 100, 100);
  MakeWindow(200, 0, 100, 100);
  Procedure(a).On(WM_MOUSEACTIVATE, [](HWND, WPARAM, LPARAM) { return MA_ACTIVATEANDEAT; });
  Headless::ClickClient(a, 5, 5);
  Headless::Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Procedure(a).Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Procedure(a).Count(WM_LBUTTONUP), 1);
}

TEST_F(Activation, APopupClosesWhenItsOwnerIsClicked) {
  const HWND owner = MakeWindow(0, 0, 300, 300);
  const HWND popup = MakePopup(owner, 50, 50);
  ASSERT_EQ(GetActiveWindow(), popup);
  Headless::ClickClient(owner, 250, 250);
  Headless::Pump();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(Procedure(owner).Count(WM_LBUTTONDOWN), 1);
}

TEST_F(Activation, APopupClosesWhenAnotherProgramIsActivated) {
  const HWND owner = MakeWindow(0, 0, 300, 300);
  const HWND popup = MakePopup(owner, 50, 50);
  Headless::KeyDown(VK_MENU);
  Headless::ActivateOtherProgram();
  Headless::Pump();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_GE(GetKeyState(VK_MENU), 0);  // keys held while leaving are forgotten
  Headless::KeyUp(VK_MENU);
}

TEST_F(Activation, OwnedWindowsStayAboveTheirOwnerAndTakeTheClicksThere) {
  const HWND owner = MakeWindow(0, 0, 300, 300);
  const HWND popup = MakeWindow(50, 50, 100, 100, WS_POPUP | WS_VISIBLE, owner);
  BringWindowToTop(owner);
  EXPECT_EQ(WindowFromPoint(Point{60, 60}), popup);
  const HWND other = MakeWindow(40, 40, 50, 50);
  EXPECT_EQ(WindowFromPoint(Point{60, 60}), other);
  EXPECT_EQ(GetTopLevelWindows().front(), other);
  SetForegroundWindow(owner);
  EXPECT_EQ(WindowFromPoint(Point{60, 60}), popup);
  Headless::ClickClient(popup, 15, 15);
  Headless::Pump();
  EXPECT_EQ(Procedure(popup).Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(Procedure(owner).Count(WM_LBUTTONDOWN), 0);
}

TEST_F(Activation, TopmostWindowsStayInFront) {
  const HWND topmost = MakeWindow(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, nullptr, WS_EX_TOPMOST);
  MakeWindow(0, 0, 100, 100);
  EXPECT_EQ(WindowFromPoint(Point{50, 50}), topmost);
  SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindowExStyle(topmost) & WS_EX_TOPMOST, 0u);
}

TEST_F(Activation, AClickOnAWindowDisabledByADialogBringsTheDialogForward) {
  const HWND owner = MakeWindow(0, 0, 300, 300);
  const HWND dialog = MakeWindow(500, 0, 100, 100, WS_POPUP | WS_VISIBLE, owner);
  EnableWindow(owner, InputState::Disabled);
  const HWND other = MakeWindow(700, 0, 100, 100);
  ASSERT_EQ(GetActiveWindow(), other);
  Headless::ClickClient(owner, 10, 10);
  Headless::Pump();
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(Procedure(owner).Count(WM_LBUTTONDOWN), 0);
}

TEST_F(Activation, ANeverActivatedWindowTakesClicksWithoutActivation) {
  const HWND main = MakeWindow(0, 0, 300, 300);
  const HWND tip = MakeWindow(400, 0, 100, 100, WS_POPUP | WS_VISIBLE, main, WS_EX_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), main);
  Headless::ClickClient(tip, 5, 5);
  Headless::Pump();
  EXPECT_EQ(Procedure(tip).Count(WM_LBUTTONDOWN), 1);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(SetFocus(tip), nullptr);
  EXPECT_EQ(GetFocus(), main);
}

}  // namespace
}  // namespace zephuitest
