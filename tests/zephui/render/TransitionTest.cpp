// Alpha transitions: one constant alpha per line between two transparencies.
#include <gtest/gtest.h>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/MRender.h"

namespace {

using renderprobe::Near;
using renderprobe::Opaque;
using ZephUI::ArgbColor;
using ZephUI::Image;
using ZephUI::MRender;
using ZephUI::Rect;
using ZephUI::RenderContext;

// Opaque white blended onto a transparent target: each pixel's alpha is its line's alpha.
std::unique_ptr<Image> Vertical(int height, int start, int end) {
  const auto source = renderprobe::Solid(4, height, Opaque(0xFFFFFF));
  auto dest = Image::Create(4, height);
  RenderContext context(*dest);
  MRender::DrawVerticalTransition(context, *source, Rect{0, 0, 4, height}, Rect{0, 0, 4, height}, start, end);
  context.Flush();
  return dest;
}

TEST(Transition, ZeroToHundredStartsOpaqueAndEndsAlmostTransparent) {
  const auto dest = Vertical(100, 0, 100);
  EXPECT_EQ(dest->PixelAt(0, 0).Alpha(), 255);
  EXPECT_EQ(dest->PixelAt(3, 50).Alpha(), 127);  // 255 - 50 * 2.55, truncated
  EXPECT_EQ(dest->PixelAt(0, 99).Alpha(), 2);    // 255 - 99 * 2.55, truncated
  for (int y = 1; y < 100; ++y) EXPECT_LT(dest->PixelAt(1, y).Alpha(), dest->PixelAt(1, y - 1).Alpha());
}

TEST(Transition, ReversedPercentagesRunTheOtherWay) {
  const auto dest = Vertical(100, 100, 0);
  EXPECT_EQ(dest->PixelAt(0, 0).Alpha(), 0);
  EXPECT_EQ(dest->PixelAt(0, 99).Alpha(), 252);
}

TEST(Transition, EqualPercentagesGiveOneAlphaEverywhere) {
  const auto dest = Vertical(10, 80, 80);
  EXPECT_EQ(dest->PixelAt(0, 0).Alpha(), 51);
  EXPECT_EQ(dest->PixelAt(0, 9).Alpha(), 51);
}

TEST(Transition, ZeroAndZeroIsAPlainCopy) {
  const auto source = renderprobe::Painted(5, 5, [](int x, int y) { return Opaque(0x102030u * (x + 1) + y); });
  auto dest = renderprobe::Solid(5, 5, Opaque(0xFFFFFF));
  RenderContext context(*dest);
  MRender::DrawVerticalTransition(context, *source, Rect{0, 0, 5, 5}, Rect{0, 0, 5, 5}, 0, 0);
  context.Flush();
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_TRUE(Near(dest->PixelAt(x, y), source->PixelAt(x, y))) << x << "," << y;
  }
}

TEST(Transition, HorizontalRunsAcrossColumnsAndBlendsOverTheTarget) {
  const auto source = renderprobe::Solid(10, 2, Opaque(0xFF0000));
  auto dest = renderprobe::Solid(12, 2, Opaque(0x0000FF));
  RenderContext context(*dest);
  MRender::DrawHorizontalTransition(context, *source, Rect{1, 0, 11, 2}, Rect{0, 0, 10, 2}, 0, 100);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(0, 0), Opaque(0x0000FF)));  // outside the rectangle
  EXPECT_TRUE(Near(dest->PixelAt(1, 1), Opaque(0xFF0000)));  // first column opaque
  // Last column: alpha 255 - 9 * 25.5 = 25 of red over blue.
  EXPECT_TRUE(Near(dest->PixelAt(10, 0), Opaque(0x1900E6), 1));
  EXPECT_TRUE(Near(dest->PixelAt(11, 0), Opaque(0x0000FF)));
}

TEST(Transition, CornerFadeIsStrongAtTheBottomRightAndGoneFarAway) {
  auto dest = Image::Create(20, 20);
  RenderContext context(*dest);
  MRender::DrawRightBottomTransition(context, Rect{0, 0, 20, 20}, 10, ZephUI::GdiColor::FromRgb(0, 200, 0));
  context.Flush();
  EXPECT_GT(dest->PixelAt(19, 19).Alpha(), 200);
  EXPECT_NEAR(dest->PixelAt(19, 19).Green(), 200, 2);
  EXPECT_GT(dest->PixelAt(19, 19).Alpha(), dest->PixelAt(15, 15).Alpha());
  EXPECT_EQ(dest->PixelAt(0, 0).Alpha(), 0);
  EXPECT_EQ(dest->PixelAt(19, 5).Alpha(), 0);
}

}  // namespace
