// Nine-slice copies and strip frames, checked pixel by pixel.
#include <gtest/gtest.h>

#include <array>

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

// Nine regions, one colour each, row by row: top-left, top, top-right, left, centre, ...
constexpr std::array<ArgbColor, 9> kRegions{Opaque(0xFF0000), Opaque(0x00FF00), Opaque(0x0000FF),
                                            Opaque(0xFFFF00), Opaque(0xFFFFFF), Opaque(0x00FFFF),
                                            Opaque(0xFF00FF), Opaque(0x808080), Opaque(0x101010)};

// Column or row band of `v` in a span cut at `first` and `second`.
int Band(int v, int first, int second) { return v < first ? 0 : (v < second ? 1 : 2); }

// A picture of the nine regions with the given border sizes.
std::unique_ptr<Image> Bordered(int width, int height, int left, int top, int right, int bottom) {
  return renderprobe::Painted(width, height, [=](int x, int y) {
    return kRegions[Band(y, top, height - bottom) * 3 + Band(x, left, width - right)];
  });
}

// Every pixel of `dest` inside `area` shows the region its position maps to; outside stays transparent.
void ExpectRegions(const Image& dest, const Rect& area, int left, int top, int right, int bottom) {
  for (int y = 0; y < dest.Height(); ++y) {
    for (int x = 0; x < dest.Width(); ++x) {
      const ArgbColor expected =
          area.Contains(x, y) ? kRegions[Band(y, area.top + top, area.bottom - bottom) * 3 +
                                         Band(x, area.left + left, area.right - right)]
                              : ArgbColor();
      ASSERT_TRUE(Near(dest.PixelAt(x, y), expected, 1)) << "at " << x << "," << y;
    }
  }
}

TEST(NineSlice, CornersStayUnscaledWhileEdgesAndCentreStretch) {
  const auto source = Bordered(9, 9, 3, 3, 3, 3);
  auto dest = Image::Create(24, 16);
  RenderContext context(*dest);
  MRender::DrawImageFrame(context, *source, Rect{2, 1, 22, 15}, 0, 0, 9, 9, 3);
  context.Flush();
  ExpectRegions(*dest, Rect{2, 1, 22, 15}, 3, 3, 3, 3);
}

TEST(NineSlice, ShrinkingEdgesKeepTheirOwnColours) {
  // Edges longer than the target shrink; the corners still come out whole.
  const auto source = Bordered(30, 30, 4, 4, 4, 4);
  auto dest = Image::Create(12, 12);
  RenderContext context(*dest);
  MRender::DrawImageFrame(context, *source, Rect{0, 0, 12, 12}, 0, 0, 30, 30, 4);
  context.Flush();
  ExpectRegions(*dest, Rect{0, 0, 12, 12}, 4, 4, 4, 4);
}

TEST(NineSlice, SourceOffsetSelectsAStripFrameWithoutBleedingFromItsNeighbours) {
  // Frame 1 of a two-frame strip; frame 0 is solid black and must not leak into the edges.
  const auto frame = Bordered(9, 9, 3, 3, 3, 3);
  const auto strip = renderprobe::Painted(18, 9, [&frame](int x, int y) {
    return x < 9 ? Opaque(0x000000) : frame->PixelAt(x - 9, y);
  });
  auto dest = Image::Create(20, 20);
  RenderContext context(*dest);
  const Rect part = strip->StripFrameRect(1, 2);
  MRender::DrawImageFrame(context, *strip, Rect{0, 0, 20, 20}, part.left, part.top, part.Width(), part.Height(), 3);
  context.Flush();
  ExpectRegions(*dest, Rect{0, 0, 20, 20}, 3, 3, 3, 3);
}

TEST(NineSlice, FourMarginsSizeColumnsAndRowsSeparately) {
  const auto source = Bordered(12, 10, 2, 1, 4, 3);
  auto dest = Image::Create(20, 14);
  RenderContext context(*dest);
  MRender::DrawImageFrameMID(context, *source, Rect{1, 1, 19, 13}, 0, 0, 12, 10, 2, 1, 4, 3);
  context.Flush();
  ExpectRegions(*dest, Rect{1, 1, 19, 13}, 2, 1, 4, 3);
}

TEST(NineSlice, OverlappingCornersFollowTheDrawingOrder) {
  // A 4x4 target with 3-pixel corners: later pieces cover earlier ones
  // (top-left, bottom-left, top-right, bottom-right in that order).
  const auto source = Bordered(9, 9, 3, 3, 3, 3);
  auto dest = Image::Create(4, 4);
  RenderContext context(*dest);
  MRender::DrawImageFrame(context, *source, Rect{0, 0, 4, 4}, 0, 0, 9, 9, 3);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(0, 0), kRegions[0]));
  EXPECT_TRUE(Near(dest->PixelAt(0, 3), kRegions[6]));
  EXPECT_TRUE(Near(dest->PixelAt(3, 0), kRegions[2]));
  EXPECT_TRUE(Near(dest->PixelAt(1, 1), kRegions[8]));
  EXPECT_TRUE(Near(dest->PixelAt(3, 3), kRegions[8]));
}

TEST(ImageStrip, FrameRectsFollowTheIntegerFrameWidth) {
  auto strip = Image::Create(10, 3);
  EXPECT_EQ(strip->StripFrameRect(0, 3), (Rect{0, 0, 3, 3}));
  EXPECT_EQ(strip->StripFrameRect(2, 3), (Rect{6, 0, 9, 3}));  // the last column belongs to no frame
  EXPECT_EQ(strip->StripFrameRect(1, 4), (Rect{2, 0, 4, 3}));
}

TEST(ImageStrip, DrawingOneFrameStretchesOnlyThatFrame) {
  constexpr std::array<ArgbColor, 4> kStates{Opaque(0xFF0000), Opaque(0x00FF00), Opaque(0x0000FF), Opaque(0x808080)};
  const auto strip = renderprobe::Painted(16, 4, [&](int x, int) { return kStates[static_cast<std::size_t>(x / 4)]; });
  for (int state = 0; state < 4; ++state) {
    auto dest = Image::Create(9, 9);
    RenderContext context(*dest);
    MRender::DrawImage(context, *strip, Rect{0, 0, 9, 9}, strip->StripFrameRect(state, 4));
    context.Flush();
    for (const auto& [x, y] : {std::pair{0, 0}, {8, 0}, {4, 4}, {0, 8}, {8, 8}}) {
      EXPECT_TRUE(Near(dest->PixelAt(x, y), kStates[static_cast<std::size_t>(state)], 1))
          << "state " << state << " at " << x << "," << y;
    }
  }
}

TEST(ImageCopy, BitBltReplacesPixelsWhileBlendMixesThem) {
  const auto half = renderprobe::Solid(2, 2, ArgbColor(0x80FF0000u));
  auto dest = renderprobe::Solid(4, 2, Opaque(0x0000FF));
  RenderContext context(*dest);
  MRender::BitBlt(context, Rect{0, 0, 2, 2}, *half, 0, 0, ZephUI::BlitMode::Copy);
  MRender::BitBlt(context, Rect{2, 0, 4, 2}, *half, 0, 0, ZephUI::BlitMode::Blend);
  context.Flush();
  EXPECT_TRUE(Near(dest->PixelAt(0, 0), ArgbColor(0x80FF0000u), 2));
  EXPECT_TRUE(Near(dest->PixelAt(3, 1), Opaque(0x80007F), 2));
}

}  // namespace
