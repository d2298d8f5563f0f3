// Monitors on the headless desktop: one covering the screen by default,
// several set by a test, and which of them a point or a window belongs to.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kLeft{0, 0, 1920, 1080};
constexpr Rect kLeftWork{0, 0, 1920, 1040};
// Taller, placed higher and made primary.
constexpr Rect kRight{1920, -200, 3200, 824};
constexpr Rect kRightWork{1920, -170, 3200, 824};

class Monitors : public HeadlessFixture {
 protected:
  void UseTwo() {
    Headless::SetMonitors({MonitorInfo{kLeft, kLeftWork, false}, MonitorInfo{kRight, kRightWork, true}});
  }
};

TEST_F(Monitors, OneMonitorCoversTheScreenWithItsWorkArea) {
  Headless::SetScreen(Rect{0, 0, 1600, 900}, Rect{0, 30, 1600, 900});
  const std::vector<MonitorInfo> monitors = GetMonitors();
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_EQ(monitors[0].rect, (Rect{0, 0, 1600, 900}));
  EXPECT_EQ(monitors[0].workArea, (Rect{0, 30, 1600, 900}));
  EXPECT_TRUE(monitors[0].primary);
  const HWND w = MakeWindow(5000, 5000, 100, 100);  // off every monitor
  EXPECT_EQ(GetMonitorWorkArea(w), (Rect{0, 30, 1600, 900}));
  EXPECT_EQ(GetMonitorRectFromPoint(Point{-50, -50}), (Rect{0, 0, 1600, 900}));
}

TEST_F(Monitors, SeveralMonitorsListThePrimaryFirstAndSpanTheScreen) {
  UseTwo();
  const std::vector<MonitorInfo> monitors = GetMonitors();
  ASSERT_EQ(monitors.size(), 2u);
  EXPECT_EQ(monitors[0].rect, kRight);
  EXPECT_TRUE(monitors[0].primary);
  EXPECT_FALSE(monitors[1].primary);
  EXPECT_EQ(GetScreenRect(), (Rect{0, -200, 3200, 1080}));
  EXPECT_EQ(GetWorkArea(), kRightWork);

  Headless::Reset();
  EXPECT_EQ(GetMonitors().size(), 1u);
  EXPECT_EQ(GetScreenRect(), (Rect{0, 0, 1920, 1080}));
}

TEST_F(Monitors, APointBelongsToTheMonitorHoldingItElseToTheNearest) {
  UseTwo();
  EXPECT_EQ(GetMonitorRectFromPoint(Point{100, 100}), kLeft);
  EXPECT_EQ(GetMonitorWorkAreaFromPoint(Point{1919, 1079}), kLeftWork);
  EXPECT_EQ(GetMonitorRectFromPoint(Point{1920, -200}), kRight);
  EXPECT_EQ(GetMonitorWorkAreaFromPoint(Point{3199, 0}), kRightWork);
  // Below the right monitor: 76 pixels from it, 580 from the left one.
  EXPECT_EQ(GetMonitorRectFromPoint(Point{2500, 900}), kRight);
  // Above the left monitor, nearer to it than to the right one's left edge.
  EXPECT_EQ(GetMonitorRectFromPoint(Point{1500, -300}), kLeft);
  EXPECT_EQ(GetMonitorRectFromPoint(Point{-400, 500}), kLeft);
}

TEST_F(Monitors, AWindowBelongsToTheMonitorItOverlapsMost) {
  UseTwo();
  const HWND straddling = MakeWindow(1800, 100, 500, 300);  // 120 columns left, 380 right
  EXPECT_EQ(GetMonitorWorkArea(straddling), kRightWork);
  EXPECT_EQ(GetMonitorRect(straddling), kRight);
  MoveWindow(straddling, 1600, 100, 500, 300);  // 320 left, 180 right
  EXPECT_EQ(GetMonitorWorkArea(straddling), kLeftWork);

  const HWND child = MakeWindow(450, 10, 20, 20, WS_CHILD | WS_VISIBLE, straddling);  // at 2050 on the screen
  EXPECT_EQ(GetMonitorRect(child), kRight);
  EXPECT_EQ(GetMonitorRect(MakeWindow(-900, 2000, 100, 100)), kLeft);  // nothing overlapped: the nearest
  EXPECT_EQ(GetMonitorWorkArea(nullptr), kRightWork);                  // no window: the primary
}

}  // namespace
}  // namespace zephuitest
