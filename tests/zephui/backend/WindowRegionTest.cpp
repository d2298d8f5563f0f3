// Round window regions on the headless backend: which pixels a clipped
// window keeps, the clip following resizes, and who may have one.
#include "tests/zephui/backend/HeadlessFixture.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class WindowRegions : public HeadlessFixture {
 protected:
  // True when the region is the same seen from all four corners.
  static bool Symmetric(HWND hwnd, int width, int height) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool inside = WindowRegionContains(hwnd, Point{x, y});
        if (inside != WindowRegionContains(hwnd, Point{width - 1 - x, y}) ||
            inside != WindowRegionContains(hwnd, Point{x, height - 1 - y})) {
          return false;
        }
      }
    }
    return true;
  }
};

TEST_F(WindowRegions, ARoundRegionCutsOnlyTheCornersAlongTheCircle) {
  const HWND w = MakeWindow(100, 100, 200, 100);
  ASSERT_TRUE(SetWindowRoundRegion(w, 40));
  EXPECT_EQ(GetWindowRoundRegion(w), 40);
  for (Point corner : {Point{0, 0}, Point{199, 0}, Point{0, 99}, Point{199, 99}}) {
    EXPECT_FALSE(WindowRegionContains(w, corner)) << corner.x << "," << corner.y;
  }
  for (Point edge : {Point{100, 0}, Point{0, 50}, Point{199, 50}, Point{100, 99}, Point{20, 0}}) {
    EXPECT_TRUE(WindowRegionContains(w, edge)) << edge.x << "," << edge.y;
  }
  // On the diagonal the circle of radius 20 passes 5.86 pixels in from the corner.
  EXPECT_FALSE(WindowRegionContains(w, Point{5, 5}));
  EXPECT_TRUE(WindowRegionContains(w, Point{6, 6}));
  EXPECT_FALSE(WindowRegionContains(w, Point{200, 50}));
  EXPECT_TRUE(Symmetric(w, 200, 100));
}

TEST_F(WindowRegions, TheRegionFollowsTheWindowSizeUntilCleared) {
  const HWND w = MakeWindow(100, 100, 200, 100);
  SetWindowRoundRegion(w, 40);
  MoveWindow(w, 100, 100, 400, 300);
  EXPECT_FALSE(WindowRegionContains(w, Point{399, 299}));
  EXPECT_FALSE(WindowRegionContains(w, Point{399, 0}));
  EXPECT_TRUE(WindowRegionContains(w, Point{199, 99}));  // the old corner
  EXPECT_TRUE(Symmetric(w, 400, 300));

  EXPECT_TRUE(ClearWindowRegion(w));
  EXPECT_EQ(GetWindowRoundRegion(w), 0);
  EXPECT_TRUE(WindowRegionContains(w, Point{399, 299}));
  EXPECT_FALSE(WindowRegionContains(w, Point{400, 299}));
}

TEST_F(WindowRegions, ADiameterBeyondTheShorterSideRoundsTheEndsFully) {
  const HWND w = MakeWindow(0, 0, 120, 40);
  SetWindowRoundRegion(w, 500);
  EXPECT_TRUE(WindowRegionContains(w, Point{0, 20}));   // the middle of each end survives
  EXPECT_TRUE(WindowRegionContains(w, Point{60, 0}));
  EXPECT_FALSE(WindowRegionContains(w, Point{3, 3}));
  EXPECT_FALSE(WindowRegionContains(w, Point{116, 36}));
  EXPECT_TRUE(Symmetric(w, 120, 40));
}

TEST_F(WindowRegions, TheCutCornersBelongToTheWindowBelow) {
  const HWND below = MakeWindow(100, 100, 200, 200);
  const HWND popup = MakeWindow(100, 100, 200, 200);
  SetWindowRoundRegion(popup, 60);
  EXPECT_EQ(WindowFromPoint(Point{102, 102}), below);
  EXPECT_EQ(WindowFromPoint(Point{298, 298}), below);
  EXPECT_EQ(WindowFromPoint(Point{200, 102}), popup);
  ClearWindowRegion(popup);
  EXPECT_EQ(WindowFromPoint(Point{102, 102}), popup);
}

TEST_F(WindowRegions, OnlyLiveTopLevelWindowsTakeARegion) {
  const HWND top = MakeWindow(0, 0, 100, 100);
  const HWND child = MakeWindow(10, 10, 30, 30, WS_CHILD | WS_VISIBLE, top);
  EXPECT_FALSE(SetWindowRoundRegion(child, 10));
  EXPECT_EQ(GetWindowRoundRegion(child), 0);
  EXPECT_TRUE(WindowRegionContains(child, Point{0, 0}));
  SetWindowRoundRegion(top, 30);
  DestroyWindow(top);
  EXPECT_EQ(GetWindowRoundRegion(top), 0);
  EXPECT_FALSE(SetWindowRoundRegion(top, 30));
  EXPECT_FALSE(WindowRegionContains(top, Point{50, 50}));
}

}  // namespace
}  // namespace zephuitest
