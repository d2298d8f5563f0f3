// MWindow::CenterWindow and BringToTop.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/windows/ProbeWindow.h"
#include "zephui/Headless.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kScreen{0, 0, 1600, 900};
constexpr Rect kWorkArea{0, 30, 1600, 860};  // a panel above and one below

class Placement : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    Headless::SetScreen(kScreen, kWorkArea);
  }

  static Rect WindowRect(HWND hwnd) {
    Rect rect;
    GetWindowRect(hwnd, rect);
    return rect;
  }

  static bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  }
};

TEST_F(Placement, WithoutOwnerTheWindowIsCentredOnTheWorkArea) {
  ProbeWindow window;
  window.Create(nullptr, u"W", WS_POPUP, 0, Rect{0, 0, 400, 300});
  window.CenterWindow();
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{600, 295, 1000, 595}));
}

TEST_F(Placement, AVisibleOwnerIsTheReferenceAndAnExplicitWindowWins) {
  const HWND owner = MakeWindow(100, 100, 600, 400);
  const HWND other = MakeWindow(900, 300, 200, 200);
  ProbeWindow window;
  window.Create(owner, u"W", WS_POPUP, 0, Rect{0, 0, 200, 100});
  window.CenterWindow();
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{300, 250, 500, 350}));
  window.CenterWindow(other);
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{900, 350, 1100, 450}));
}

TEST_F(Placement, AHiddenOrMinimisedOwnerFallsBackToTheWorkArea) {
  const HWND owner = MakeWindow(0, 40, 300, 300, WS_POPUP);
  ProbeWindow window;
  window.Create(owner, u"W", WS_POPUP, 0, Rect{0, 0, 400, 300});
  window.CenterWindow();
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{600, 295, 1000, 595}));
  ShowWindow(owner, SW_SHOWMINIMIZED);
  window.MoveWindow(0, 0, 400, 300);
  window.CenterWindow();
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{600, 295, 1000, 595}));
}

TEST_F(Placement, AWindowThatFitsNeverEndsUpPartlyOutsideTheWorkArea) {
  const HWND owner = MakeWindow(0, 0, 100, 100);
  ProbeWindow window;
  window.Create(owner, u"W", WS_POPUP, 0, Rect{0, 0, 500, 400});
  const Rect owners[] = {{-200, -150, 100, 100}, {1500, 800, 1700, 1000}, {-50, 500, 250, 700},
                         {1400, 0, 1600, 100},   {0, 30, 1600, 860},     {700, 820, 800, 900}};
  for (const Rect& o : owners) {
    MoveWindow(owner, o.left, o.top, o.Width(), o.Height());
    window.CenterWindow();
    const Rect placed = WindowRect(window.GetSafeHwnd());
    EXPECT_TRUE(Inside(placed, kWorkArea)) << o.left << "," << o.top;
    EXPECT_EQ(placed.Width(), 500);
    EXPECT_EQ(placed.Height(), 400);
  }
}

TEST_F(Placement, AWindowLargerThanTheWorkAreaKeepsItsTopLeftCornerInside) {
  ProbeWindow window;
  window.Create(nullptr, u"W", WS_POPUP, 0, Rect{0, 0, 1800, 1000});
  window.CenterWindow();
  const Rect placed = WindowRect(window.GetSafeHwnd());
  EXPECT_EQ(placed.left, kWorkArea.left);
  EXPECT_EQ(placed.top, kWorkArea.top);
}

TEST_F(Placement, OnTwoMonitorsTheWindowStaysOnTheMonitorOfItsReference) {
  const Rect left{0, 0, 1600, 900};
  const Rect leftWork{0, 30, 1600, 900};
  const Rect right{1600, 0, 3520, 1080};
  const Rect rightWork{1600, 0, 3520, 1040};
  Headless::SetMonitors({{left, leftWork, true}, {right, rightWork, false}});
  const HWND owner = MakeWindow(3300, 900, 200, 100);  // near the right monitor's lower right corner
  ProbeWindow window;
  window.Create(owner, u"W", WS_POPUP, 0, Rect{0, 0, 400, 300});
  window.CenterWindow();
  EXPECT_EQ(WindowRect(window.GetSafeHwnd()), (Rect{3120, 740, 3520, 1040}));

  ProbeWindow alone;
  alone.Create(nullptr, u"A", WS_POPUP, 0, Rect{2000, 100, 2400, 400});  // on the right monitor
  alone.CenterWindow();
  EXPECT_EQ(WindowRect(alone.GetSafeHwnd()), (Rect{2360, 370, 2760, 670}));
}

TEST_F(Placement, AChildIsCentredInItsParentsClientArea) {
  const HWND parent = MakeWindow(300, 200, 400, 300);
  ProbeWindow child;
  child.Create(parent, u"C", WS_CHILD | WS_VISIBLE, 0, Rect{0, 0, 100, 50});
  child.CenterWindow();
  EXPECT_EQ(WindowRect(child.GetSafeHwnd()), (Rect{450, 325, 550, 375}));  // screen pixels
}

TEST_F(Placement, BringToTopRestoresShowsRaisesAndActivates) {
  ProbeWindow window;
  const HWND hwnd = window.Create(nullptr, u"W", WS_POPUP | WS_VISIBLE, 0, Rect{0, 0, 100, 100});
  const HWND other = MakeWindow(50, 50, 100, 100);
  ASSERT_EQ(GetActiveWindow(), other);
  window.BringToTop();
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetTopLevelWindows().front(), hwnd);

  ShowWindow(hwnd, SW_SHOWMINIMIZED);
  window.BringToTop();
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_EQ(GetActiveWindow(), hwnd);

  ShowWindow(hwnd, SW_HIDE);
  window.BringToTop();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(GetActiveWindow(), hwnd);
}

}  // namespace
}  // namespace zephuitest
