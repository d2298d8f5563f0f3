// Mouse and keyboard input as windows receive it: double clicks, the wheel,
// keys and typed text, pointer tracking, the cursor and caption moves.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Cursor.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Input : public HeadlessFixture {
 protected:
  std::vector<UINT> Presses(HWND w) { return Procedure(w).Sequence({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}); }
};

TEST_F(Input, ASecondPressSoonAndCloseIsADoubleClickAndAThirdStartsOver) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::ClickClient(w, 50, 50);
  Headless::AdvanceClock(GetDoubleClickTime());
  Headless::ClickClient(w, 52, 48);
  Headless::ClickClient(w, 52, 48);
  Headless::Pump();
  EXPECT_EQ(Presses(w), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(Input, APressTooLateOrTooFarIsNoDoubleClick) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::ClickClient(w, 50, 50);
  Headless::AdvanceClock(GetDoubleClickTime() + 1);
  Headless::ClickClient(w, 50, 50);
  Headless::ClickClient(w, 53, 50);
  SetDoubleClickTime(100);
  Headless::AdvanceClock(150);
  Headless::ClickClient(w, 53, 50);
  Headless::Pump();
  EXPECT_EQ(Presses(w), (std::vector<UINT>(4, WM_LBUTTONDOWN)));
}

TEST_F(Input, AClassWithoutDoubleClicksGetsPlainPresses) {
  RegisterWindowClass(u"NoDoubleClicks", 0);
  RecordingProcedure procedure;
  const HWND w = CreateWindowEx(0, u"NoDoubleClicks", u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, &procedure);
  Headless::ClickClient(w, 10, 10);
  Headless::ClickClient(w, 10, 10);
  Headless::Pump();
  EXPECT_EQ(procedure.Sequence({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
  DestroyWindow(w);
}

TEST_F(Input, MouseMessagesCarryClientPointsAndHeldButtons) {
  const HWND w = MakeWindow(100, 50, 200, 200);
  Headless::MoveMouseToClient(w, 30, 40);
  Headless::ButtonDown(Headless::Button::Right);
  Headless::MoveMouseToClient(w, 31, 40);
  Headless::ButtonUp(Headless::Button::Right);
  Headless::Pump();
  const auto down = Procedure(w).Last(WM_RBUTTONDOWN);
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 30);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);
  EXPECT_EQ(down->wParam, MK_RBUTTON);
  EXPECT_EQ(Procedure(w).Last(WM_MOUSEMOVE)->wParam, MK_RBUTTON);
  EXPECT_EQ(Procedure(w).Last(WM_RBUTTONUP)->wParam, 0u);
}

TEST_F(Input, RepeatedMovesToTheSamePointAreDropped) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::MoveMouseToClient(w, 10, 10);
  Headless::MoveMouseToClient(w, 10, 10);
  Headless::MoveMouseToClient(w, 11, 10);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_MOUSEMOVE), 2);
}

TEST_F(Input, TheWheelCarriesItsDeltaAndTheScreenPoint) {
  const HWND w = MakeWindow(100, 100, 200, 200);
  Headless::MoveMouseToClient(w, 10, 20);
  Headless::KeyDown(VK_CONTROL);
  Headless::Wheel(-240);
  Headless::KeyUp(VK_CONTROL);
  Headless::Pump();
  const auto wheel = Procedure(w).Last(WM_MOUSEWHEEL);
  ASSERT_TRUE(wheel.has_value());
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel->wParam), -240);
  EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel->wParam), MK_CONTROL);
  EXPECT_EQ(GET_X_LPARAM(wheel->lParam), 110);
  EXPECT_EQ(GET_Y_LPARAM(wheel->lParam), 120);
}

TEST_F(Input, KeysCarryVirtualKeyCodesAndTranslateIntoTypedCharacters) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::KeyDown(VK_SHIFT);
  Headless::PressKey('A');
  Headless::Pump();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  Headless::KeyUp(VK_SHIFT);
  Headless::PressKey('A');
  Headless::PressKey('7');
  Headless::Pump();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const Seen& s : Procedure(w).All()) {
    if (s.message == WM_KEYDOWN || s.message == WM_CHAR || s.message == WM_KEYUP) keys.emplace_back(s.message, s.wParam);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected{
      {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'A'}, {WM_KEYUP, 'A'}, {WM_KEYUP, VK_SHIFT},
      {WM_KEYDOWN, 'A'},     {WM_CHAR, 'a'},    {WM_KEYUP, 'A'}, {WM_KEYDOWN, '7'}, {WM_CHAR, '7'}, {WM_KEYUP, '7'}};
  EXPECT_EQ(keys, expected);
}

TEST_F(Input, AHeldKeyRepeatsWithThePreviousStateBitSet) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::KeyDown(VK_RIGHT);
  Headless::KeyDown(VK_RIGHT);
  Headless::KeyUp(VK_RIGHT);
  Headless::Pump();
  std::vector<LPARAM> flags;
  for (const Seen& s : Procedure(w).All()) {
    if (s.message == WM_KEYDOWN || s.message == WM_KEYUP) flags.push_back(s.lParam & (3LL << 30));
  }
  EXPECT_EQ(flags, (std::vector<LPARAM>{0, 1LL << 30, 3LL << 30}));
}

TEST_F(Input, KeysWithAltHeldArriveAsSystemKeys) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::KeyDown(VK_MENU);
  Headless::PressKey('X');
  Headless::KeyUp(VK_MENU);
  Headless::Pump();
  const auto down = Procedure(w).Last(WM_SYSKEYDOWN);
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(down->wParam, static_cast<WPARAM>('X'));
  EXPECT_NE(down->lParam & (1 << 29), 0);
  EXPECT_EQ(Procedure(w).Last(WM_SYSCHAR)->wParam, static_cast<WPARAM>('x'));
  EXPECT_EQ(Procedure(w).Count(WM_KEYDOWN), 0);
}

TEST_F(Input, CommittedTextArrivesAsOneCharacterPerUtf16Unit) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::TypeText(u"\u00e9\U0001F600");
  Headless::Pump();
  std::u16string typed;
  for (const Seen& s : Procedure(w).All()) {
    if (s.message == WM_CHAR) typed.push_back(static_cast<char16_t>(s.wParam));
  }
  EXPECT_EQ(typed, u"\u00e9\U0001F600");
}

TEST_F(Input, TrackingReportsHoverOnceAndLeaveOnce) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  MakeWindow(200, 0, 100, 100);
  Headless::MoveMouseToClient(w, 50, 50);
  Headless::Pump();
  ASSERT_TRUE(TrackMouseEvent(w, TME_LEAVE | TME_HOVER, 400));
  Headless::RunFor(399);
  EXPECT_EQ(Procedure(w).Count(WM_MOUSEHOVER), 0);
  Headless::RunFor(1);
  ASSERT_EQ(Procedure(w).Count(WM_MOUSEHOVER), 1);
  EXPECT_EQ(GET_X_LPARAM(Procedure(w).Last(WM_MOUSEHOVER)->lParam), 50);
  Headless::RunFor(1000);
  EXPECT_EQ(Procedure(w).Count(WM_MOUSEHOVER), 1);
  Headless::MoveMouse(Point{250, 50});
  Headless::MoveMouse(Point{260, 50});
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_MOUSELEAVE), 1);
}

TEST_F(Input, TrackingAWindowThePointerIsNotOverReportsLeaveAtOnce) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  Headless::MoveMouse(Point{500, 500});
  Headless::Pump();
  TrackMouseEvent(w, TME_LEAVE);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_MOUSELEAVE), 1);
}

TEST_F(Input, TheCursorSetForAWindowShowsWhileThePointerIsOverIt) {
  const HWND hand = MakeWindow(0, 0, 100, 100);
  const HWND plain = MakeWindow(200, 0, 100, 100);
  Procedure(hand).On(WM_SETCURSOR, [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
    if (LOWORD(static_cast<WPARAM>(lParam)) != HTCLIENT) return 0;
    SetCursor(LoadCursor(CursorType::Hand));
    return 1;
  });
  Procedure(plain).On(WM_SETCURSOR, [](HWND, WPARAM, LPARAM) -> LRESULT {
    SetCursor(LoadCursor(CursorType::Arrow));
    return 1;
  });
  Headless::MoveMouseToClient(hand, 10, 10);
  Headless::Pump();
  EXPECT_EQ(Headless::CurrentCursor(), CursorType::Hand);
  EXPECT_EQ(GetCursorType(GetCursor()), CursorType::Hand);
  Headless::MoveMouseToClient(plain, 10, 10);
  Headless::Pump();
  EXPECT_EQ(Headless::CurrentCursor(), CursorType::Arrow);
}

TEST_F(Input, APressOnTheCaptionMovesTheWindowWithThePointer) {
  const HWND w = MakeWindow(100, 100, 200, 150);
  Procedure(w).On(WM_NCHITTEST, [](HWND, WPARAM, LPARAM) { return HTCAPTION; });
  Headless::MoveMouse(Point{110, 110});
  Headless::ButtonDown(Headless::Button::Left);
  Headless::MoveMouse(Point{140, 130});
  Headless::MoveMouse(Point{170, 150});
  Headless::ButtonUp(Headless::Button::Left);
  Headless::MoveMouse(Point{400, 400});
  Headless::Pump();
  Rect rect;
  GetWindowRect(w, rect);
  EXPECT_EQ(rect, (Rect{160, 140, 360, 290}));
  EXPECT_EQ(GET_X_LPARAM(Procedure(w).Last(WM_MOVE)->lParam), 160);
  EXPECT_EQ(Procedure(w).Count(WM_LBUTTONDOWN), 0);
  EXPECT_EQ(Procedure(w).Last(WM_NCLBUTTONDOWN)->wParam, static_cast<WPARAM>(HTCAPTION));
}

}  // namespace
}  // namespace zephuitest
