// A small picture of the screen in X's pixel form (0x00RRGGBB in a 32-bit
// word), with the box-averaging shrink both scaling steps of the screen
// light use on the client side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "zephui/Color.h"

class ScreenImage {
 public:
  /// An opaque black image of the given size (each side at least 1).
  ScreenImage(int width, int height);

  /// Width in pixels.
  int Width() const { return width_; }
  /// Height in pixels.
  int Height() const { return height_; }
  /// True when (x, y) lies inside the image.
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  /// The pixel at (x, y), which must lie inside the image.
  ZephUI::ArgbColor Pixel(int x, int y) const;
  /// Sets the pixel at (x, y), which must lie inside the image.
  void SetPixel(int x, int y, ZephUI::ArgbColor colour);
  /// Fills the rectangle [x0, x1) × [y0, y1), clipped to the image.
  void FillRect(int x0, int y0, int x1, int y1, ZephUI::ArgbColor colour);

  /// Shrinks a source picture into this image: each pixel becomes the average of its block of the source.
  void ShrinkFrom(const ScreenImage& source);
  /// As above from raw rows of 0x??RRGGBB words, `stride` words apart; the top byte is ignored.
  void ShrinkFrom(const std::uint32_t* pixels, int width, int height, std::size_t stride);

 private:
  void CopyFrom(const std::uint32_t* pixels, std::size_t stride);
  std::uint32_t AverageBlock(const std::uint32_t* pixels, std::size_t stride, int x0, int x1, int y0,
                             int y1) const;

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};
