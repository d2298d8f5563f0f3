// Mouse capture, enabling and the keyboard focus.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class FocusAndCapture : public HeadlessFixture {
 protected:
  static LPARAM HandleOf(HWND hwnd) { return static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(hwnd)); }
};

TEST_F(FocusAndCapture, CaptureRoutesTheMouseOutsideTheWindowUntilReleased) {
  const HWND a = MakeWindow(0, 0, 100, 100);
  const HWND b = MakeWindow(200, 0, 100, 100);
  Procedure(a).On(WM_LBUTTONDOWN, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    SetCapture(hwnd);
    return 0;
  });
  Procedure(a).On(WM_LBUTTONUP, [](HWND, WPARAM, LPARAM) -> LRESULT {
    ReleaseCapture();
    return 0;
  });
  Headless::MoveMouse(Point{10, 10});
  Headless::ButtonDown(Headless::Button::Left);
  Headless::MoveMouse(Point{250, 50});
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  const auto move = Procedure(a).Last(WM_MOUSEMOVE);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(GET_X_LPARAM(move->lParam), 250);
  EXPECT_EQ(GET_Y_LPARAM(move->lParam), 50);
  EXPECT_EQ(move->wParam & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(Procedure(a).Sequence({WM_LBUTTONUP, WM_CAPTURECHANGED}), (std::vector<UINT>{WM_LBUTTONUP, WM_CAPTURECHANGED}));
  EXPECT_EQ(Procedure(a).Last(WM_CAPTURECHANGED)->lParam, 0);
  EXPECT_EQ(Procedure(b).Count(WM_MOUSEMOVE), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  Headless::MoveMouse(Point{260, 50});
  Headless::Pump();
  EXPECT_EQ(Procedure(b).Count(WM_MOUSEMOVE), 1);
}

TEST_F(FocusAndCapture, TakingTheCaptureTellsTheWindowThatHadIt) {
  const HWND a = MakeWindow(0, 0, 100, 100);
  const HWND b = MakeWindow(200, 0, 100, 100);
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  ASSERT_EQ(Procedure(a).Count(WM_CAPTURECHANGED), 1);
  EXPECT_EQ(Procedure(a).Last(WM_CAPTURECHANGED)->lParam, HandleOf(b));
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FocusAndCapture, ADisabledWindowTakesNoInputAndLosesTheFocus) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  ASSERT_EQ(GetFocus(), w);
  EXPECT_EQ(EnableWindow(w, InputState::Disabled), InputState::Enabled);
  EXPECT_EQ(Procedure(w).Last(WM_ENABLE)->wParam, 0u);
  EXPECT_EQ(Procedure(w).Count(WM_KILLFOCUS), 1);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(w), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  Procedure(w).Clear();
  Headless::ClickClient(w, 10, 10);
  Headless::Wheel(120);
  Headless::PressKey('A');
  Headless::Pump();
  EXPECT_TRUE(Procedure(w).Sequence({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN,
                                     WM_SYSKEYDOWN, WM_SETCURSOR, WM_NCHITTEST}).empty());

  EXPECT_EQ(EnableWindow(w, InputState::Enabled), InputState::Disabled);
  Headless::ClickClient(w, 12, 10);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_LBUTTONDOWN), 1);
}

TEST_F(FocusAndCapture, DisablingTheCaptureWindowReleasesTheCapture) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  SetCapture(w);
  EnableWindow(w, InputState::Disabled);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Procedure(w).Count(WM_CAPTURECHANGED), 1);
}

TEST_F(FocusAndCapture, HidingAFocusedChildGivesTheFocusToItsParent) {
  const HWND top = MakeWindow(0, 0, 200, 200);
  const HWND child = MakeWindow(10, 10, 50, 50, WS_CHILD | WS_VISIBLE, top);
  EXPECT_EQ(SetFocus(child), top);
  ASSERT_EQ(GetFocus(), child);
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(GetFocus(), top);
  EXPECT_EQ(Procedure(child).Last(WM_KILLFOCUS)->wParam, reinterpret_cast<WPARAM>(top));
  EXPECT_EQ(Procedure(top).Last(WM_SETFOCUS)->wParam, reinterpret_cast<WPARAM>(child));
}

TEST_F(FocusAndCapture, HidingTheActiveWindowActivatesAndFocusesTheNextOne) {
  const HWND first = MakeWindow(0, 0, 200, 200);
  const HWND second = MakeWindow(300, 0, 200, 200);
  ASSERT_EQ(GetActiveWindow(), second);
  ShowWindow(second, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), first);
  EXPECT_FALSE(IsWindowVisible(second));
}

TEST_F(FocusAndCapture, KeysGoToTheFocusWindow) {
  const HWND top = MakeWindow(0, 0, 200, 200);
  const HWND child = MakeWindow(10, 10, 50, 50, WS_CHILD | WS_VISIBLE, top);
  SetFocus(child);
  Headless::PressKey(VK_RETURN);
  Headless::Pump();
  EXPECT_EQ(Procedure(child).Last(WM_KEYDOWN)->wParam, VK_RETURN);
  EXPECT_EQ(Procedure(top).Count(WM_KEYDOWN), 0);
}

}  // namespace
}  // namespace zephuitest
