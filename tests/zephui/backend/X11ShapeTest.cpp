// Window shapes under X11: a round region clips what the screen shows and
// where clicks land, following resizes; a click-through window lets clicks
// reach the window below it until it stops being one.
#include "tests/zephui/backend/X11Fixture.h"

#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr std::uint32_t kBelow = 0x3060C0;
constexpr std::uint32_t kAbove = 0xC06030;

class X11Shapes : public X11Fixture {
 protected:
  void Click(int x, int y) {
    XTestFakeMotionEvent(client_, 0, x, y, CurrentTime);
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }

  // A window that is clicked but neither activated nor raised, so the stacking stays as made.
  HWND MakeBelow() {
    const HWND below = MakePainted(Rect{100, 100, 400, 400}, kBelow);
    Procedure(below).On(WM_MOUSEACTIVATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return MA_NOACTIVATE; });
    return below;
  }

  // Clicks and returns which window got the press.
  HWND ClickTarget(int x, int y, HWND a, HWND b) {
    const int before = Procedure(a).Count(WM_LBUTTONUP) + Procedure(b).Count(WM_LBUTTONUP);
    const int pressedA = Procedure(a).Count(WM_LBUTTONDOWN);
    Click(x, y);
    if (!PumpUntil([&] { return Procedure(a).Count(WM_LBUTTONUP) + Procedure(b).Count(WM_LBUTTONUP) > before; })) return nullptr;
    return Procedure(a).Count(WM_LBUTTONDOWN) > pressedA ? a : b;
  }
};

TEST_F(X11Shapes, ARoundRegionClipsTheWindowOnScreenAndFollowsResizes) {
  const HWND w = MakePainted(Rect{300, 200, 500, 350}, kAbove);
  const std::uint32_t uncovered = [this] { return ScreenPixel(300, 200); }();
  ASSERT_EQ(uncovered, kAbove);
  ASSERT_TRUE(SetWindowRoundRegion(w, 40));
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(300, 200) != kAbove; }));
  EXPECT_NE(ScreenPixel(499, 349), kAbove);
  EXPECT_EQ(ScreenPixel(320, 200), kAbove);
  EXPECT_EQ(ScreenPixel(400, 275), kAbove);

  MoveWindow(w, 300, 200, 300, 200);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(499, 349) == kAbove; }));  // the old corner is inside now
  EXPECT_NE(ScreenPixel(599, 399), kAbove);
  EXPECT_NE(ScreenPixel(599, 200), kAbove);

  ClearWindowRegion(w);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(599, 399) == kAbove; }));
}

TEST_F(X11Shapes, AClickOnACutCornerReachesTheWindowBelow) {
  const HWND below = MakeBelow();
  const HWND above = MakePainted(Rect{150, 150, 350, 350}, kAbove);
  SetWindowRoundRegion(above, 60);
  EXPECT_EQ(ClickTarget(151, 151, above, below), below);
  EXPECT_EQ(ClickTarget(250, 250, above, below), above);
}

TEST_F(X11Shapes, AClickThroughWindowPassesClicksOnUntilItStopsBeingOne) {
  const HWND below = MakeBelow();
  const HWND above = MakePainted(Rect{150, 150, 350, 350}, kAbove, WS_EX_TRANSPARENT);
  ASSERT_EQ(ScreenPixel(250, 250), kAbove);  // it does cover the point
  EXPECT_EQ(ClickTarget(250, 250, above, below), below);

  SetWindowExStyle(above, 0);
  InvalidateRect(above, nullptr);
  UpdateWindow(above);  // the next frame brings the native window up to date
  EXPECT_EQ(ClickTarget(250, 250, above, below), above);
}

}  // namespace
}  // namespace zephuitest
