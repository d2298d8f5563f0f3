#include "lighting/ScreenImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using ZephUI::ArgbColor;

ArgbColor Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return ArgbColor::FromArgb(0xFF, r, g, b); }

// Each result pixel is the rounded mean of its block, channel by channel.
TEST(ScreenImageShrink, AveragesEachBlockPerChannel) {
  const std::vector<std::uint32_t> source = {
      0x000000, 0x010203, 0x102030, 0x102030,  //
      0x010203, 0x010203, 0x102030, 0x0E1E2E,  //
  };
  ScreenImage image(2, 1);
  image.ShrinkFrom(source.data(), 4, 2, 4);
  EXPECT_EQ(image.Pixel(0, 0), Rgb(0x01, 0x02, 0x02));  // 3/4 -> 1, 6/4 -> 2, 9/4 -> 2
  EXPECT_EQ(image.Pixel(1, 0), Rgb(0x10, 0x20, 0x30));  // (0x10 * 3 + 0x0E) / 4 = 15.5 -> 16
}

// Shrinking uses every source pixel exactly once (5 into 2: [0, 2) and [2, 5));
// enlarging repeats pixels.
TEST(ScreenImageShrink, BlocksCoverEverySourcePixelOnce) {
  const std::vector<std::uint32_t> source = {0x0A0000, 0x140000, 0x1E0000, 0x280000, 0x320000};
  ScreenImage shrunk(2, 1);
  shrunk.ShrinkFrom(source.data(), 5, 1, 5);
  EXPECT_EQ(shrunk.Pixel(0, 0), Rgb(15, 0, 0));
  EXPECT_EQ(shrunk.Pixel(1, 0), Rgb(40, 0, 0));

  ScreenImage enlarged(4, 2);
  enlarged.ShrinkFrom(source.data(), 2, 1, 5);
  EXPECT_EQ(enlarged.Pixel(1, 1), Rgb(10, 0, 0));
  EXPECT_EQ(enlarged.Pixel(2, 1), Rgb(20, 0, 0));
}

// X images pad their rows, and leave the top byte of depth-24 pixels
// undefined: neither may leak into the (always opaque) picture.
TEST(ScreenImageShrink, IgnoresRowPaddingAndTheTopByte) {
  const std::vector<std::uint32_t> source = {
      0x00000010, 0x7F000010, 0xFFFFFFFF,  //
      0x00000010, 0x00000010, 0xFFFFFFFF,  //
  };
  ScreenImage shrunk(1, 1);
  shrunk.ShrinkFrom(source.data(), 2, 2, 3);
  EXPECT_EQ(shrunk.Pixel(0, 0), Rgb(0, 0, 0x10));

  ScreenImage copied(2, 2);
  copied.ShrinkFrom(source.data(), 2, 2, 3);
  EXPECT_EQ(copied.Pixel(1, 0), Rgb(0, 0, 0x10));
  EXPECT_EQ(copied.Pixel(1, 1), Rgb(0, 0, 0x10));
}

}  // namespace
