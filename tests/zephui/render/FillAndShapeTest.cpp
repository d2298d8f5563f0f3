// Fills, colour conventions, outlines, gradients and placement.
#include <gtest/gtest.h>

#include "tests/zephui/render/RenderProbe.h"
#include "zephui/MRender.h"

namespace {

using renderprobe::Near;
using renderprobe::Opaque;
using ZephUI::ArgbColor;
using ZephUI::GdiColor;
using ZephUI::HAlign;
using ZephUI::Image;
using ZephUI::MRender;
using ZephUI::Point;
using ZephUI::Rect;
using ZephUI::RenderContext;
using ZephUI::VAlign;

TEST(Fill, SolidRectTakesGdiColoursWithRedInTheLowByte) {
  auto dest = Image::Create(4, 4);
  RenderContext context(*dest);
  MRender::FillSolidRect(context, 1, 1, 2, 2, GdiColor(0x00332211u));
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(1, 1), Opaque(0x112233)));
  EXPECT_TRUE(Near(dest->PixelAt(2, 2), Opaque(0x112233)));
  EXPECT_TRUE(Near(dest->PixelAt(3, 3), ArgbColor()));
  EXPECT_TRUE(Near(dest->PixelAt(0, 1), ArgbColor()));
}

TEST(Fill, DrawColorWithAlphaZeroDrawsNothingAndOtherwiseBlends) {
  auto dest = renderprobe::Solid(2, 1, Opaque(0x0000FF));
  RenderContext context(*dest);
  MRender::DrawColor(context, Rect{0, 0, 1, 1}, ArgbColor(0x00FF0000u));
  MRender::DrawColor(context, Rect{1, 0, 2, 1}, ArgbColor(0x80FF0000u));
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(0, 0), Opaque(0x0000FF)));
  EXPECT_TRUE(Near(dest->PixelAt(1, 0), Opaque(0x80007F), 1));
}

TEST(Fill, CheckAlphaColorLiftsOnlyPureBlack) {
  EXPECT_EQ(MRender::CheckAlphaColor(ArgbColor(0xFF000000u)), ArgbColor(0xFF000001u));
  EXPECT_EQ(MRender::CheckAlphaColor(ArgbColor(0x00000000u)), ArgbColor(0x00000001u));
  EXPECT_EQ(MRender::CheckAlphaColor(ArgbColor(0xFF010000u)), ArgbColor(0xFF010000u));
  EXPECT_EQ(MRender::CheckAlphaColor(GdiColor(0)), GdiColor(1));
  EXPECT_EQ(MRender::CheckAlphaColor(GdiColor(0x00000100u)), GdiColor(0x00000100u));
}

TEST(Gradient, EndsExactlyOnBothColoursInEitherDirection) {
  const GdiColor from = GdiColor::FromRgb(200, 0, 10);
  const GdiColor to = GdiColor::FromRgb(0, 100, 250);
  for (const auto direction : {ZephUI::GradientDirection::Horizontal, ZephUI::GradientDirection::Vertical}) {
    auto dest = Image::Create(10, 10);
    RenderContext context(*dest);
    MRender::DrawGradient(context, Rect{0, 0, 10, 10}, from, to, direction, 0);
    context.Flush();
    EXPECT_TRUE(Near(dest->PixelAt(0, 0), ZephUI::ToArgb(from)));
    EXPECT_TRUE(Near(dest->PixelAt(9, 9), ZephUI::ToArgb(to)));
    const bool horizontal = direction == ZephUI::GradientDirection::Horizontal;
    // Across the gradient the colour does not change.
    EXPECT_TRUE(Near(dest->PixelAt(horizontal ? 0 : 9, horizontal ? 9 : 0), ZephUI::ToArgb(from)));
  }
}

TEST(Gradient, StepsGiveThatManyBands) {
  auto dest = Image::Create(8, 1);
  RenderContext context(*dest);
  MRender::DrawGradient(context, Rect{0, 0, 8, 1}, GdiColor::FromRgb(0, 0, 0), GdiColor::FromRgb(200, 0, 0),
                        ZephUI::GradientDirection::Horizontal, 2);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(3, 0), Opaque(0x000000)));
  EXPECT_TRUE(Near(dest->PixelAt(4, 0), Opaque(0xC80000)));
}

TEST(Outline, RectanglePenStaysInsideTheRectangle) {
  auto dest = Image::Create(10, 10);
  RenderContext context(*dest);
  MRender::DrawRectangle(context, Rect{1, 1, 9, 9}, Opaque(0x00FF00), 2);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(1, 1), Opaque(0x00FF00)));
  EXPECT_TRUE(Near(dest->PixelAt(2, 5), Opaque(0x00FF00)));
  EXPECT_TRUE(Near(dest->PixelAt(8, 8), Opaque(0x00FF00)));
  EXPECT_TRUE(Near(dest->PixelAt(3, 3), ArgbColor()));
  EXPECT_TRUE(Near(dest->PixelAt(0, 0), ArgbColor()));
  EXPECT_TRUE(Near(dest->PixelAt(9, 9), ArgbColor()));
}

// A 48x24 rounded outline with a 2-pixel red pen.
std::unique_ptr<Image> RoundBox(int radius, ZephUI::ShapeFill fill) {
  auto dest = Image::Create(48, 24);
  RenderContext context(*dest);
  MRender::DrawRoundRectange(context, 0, 0, 48, 24, radius, Opaque(0xFF0000), 2, fill, Opaque(0x0000FF));
  context.Flush();
  return dest;
}

TEST(Outline, RoundedRectangleCutsItsCornersAndKeepsStraightSides) {
  const auto box = RoundBox(4, ZephUI::ShapeFill::None);  // corner radii 6 by 3
  EXPECT_TRUE(Near(box->PixelAt(0, 0), ArgbColor()));
  EXPECT_TRUE(Near(box->PixelAt(47, 23), ArgbColor()));
  EXPECT_TRUE(Near(box->PixelAt(24, 0), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(24, 1), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(0, 12), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(47, 12), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(24, 23), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(24, 12), ArgbColor()));  // not filled
}

TEST(Outline, RoundedRectangleRadiusDividesTheSize) {
  // Radius 4 gives 6-pixel-wide corners, so (2, 0) lies in the cut; radius 24 gives 1-pixel corners.
  EXPECT_LT(RoundBox(4, ZephUI::ShapeFill::None)->PixelAt(2, 0).Alpha(), 64);
  EXPECT_TRUE(Near(RoundBox(24, ZephUI::ShapeFill::None)->PixelAt(2, 0), Opaque(0xFF0000)));
}

TEST(Outline, RoundedRectangleFillsBeforeItsOutline) {
  const auto box = RoundBox(4, ZephUI::ShapeFill::Filled);
  EXPECT_TRUE(Near(box->PixelAt(24, 12), Opaque(0x0000FF)));
  EXPECT_TRUE(Near(box->PixelAt(24, 0), Opaque(0xFF0000)));
  EXPECT_TRUE(Near(box->PixelAt(0, 0), ArgbColor()));
}

TEST(Placement, OriginPointFollowsTheAlignmentCodes) {
  EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, HAlign::Left, VAlign::Top), (Point{0, 0}));
  EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, HAlign::Center, VAlign::Center), (Point{40, 20}));
  EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, HAlign::Right, VAlign::Bottom), (Point{80, 40}));
  EXPECT_EQ(MRender::GetOriginPoint(101, 51, 20, 10, HAlign::Center, VAlign::Center), (Point{40, 20}));  // truncated
  // Codes outside the table place at the origin.
  EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, static_cast<HAlign>(4), static_cast<VAlign>(1)), (Point{0, 0}));
}

TEST(Placement, RectangleFormIsAbsoluteAndTwoPixelsLower) {
  const Rect outer{10, 20, 110, 70};
  EXPECT_EQ(MRender::GetOriginPoint(outer, 20, 10, HAlign::Center, VAlign::Center), (Point{50, 42}));
  EXPECT_EQ(MRender::GetOriginPoint(outer, 20, 10, HAlign::Left, VAlign::Top), (Point{10, 22}));
  EXPECT_EQ(MRender::GetOriginPoint(outer, 20, 10, HAlign::Right, VAlign::Bottom), (Point{90, 62}));
}

}  // namespace
