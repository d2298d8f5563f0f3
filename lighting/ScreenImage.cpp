#include "lighting/ScreenImage.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// First source pixel of output pixel `index` when `source` pixels shrink to `target`.
int SpanStart(int index, int source, int target) {
  return static_cast<int>(static_cast<std::int64_t>(index) * source / target);
}

// One past the last source pixel; at least one pixel, so enlarging repeats pixels.
int SpanEnd(int index, int source, int target) {
  return std::max(SpanStart(index + 1, source, target), SpanStart(index, source, target) + 1);
}

}  // namespace

ScreenImage::ScreenImage(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kOpaque) {}

ZephUI::ArgbColor ScreenImage::Pixel(int x, int y) const {
  return ZephUI::ArgbColor(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                   static_cast<std::size_t>(x)]);
}

void ScreenImage::SetPixel(int x, int y, ZephUI::ArgbColor colour) {
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
      colour.Value();
}

void ScreenImage::FillRect(int x0, int y0, int x1, int y1, ZephUI::ArgbColor colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) SetPixel(x, y, colour);
  }
}

void ScreenImage::ShrinkFrom(const ScreenImage& source) {
  ShrinkFrom(source.pixels_.data(), source.width_, source.height_, static_cast<std::size_t>(source.width_));
}

void ScreenImage::ShrinkFrom(const std::uint32_t* pixels, int width, int height, std::size_t stride) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  if (width == width_ && height == height_) {
    CopyFrom(pixels, stride);
    return;
  }
  for (int y = 0; y < height_; ++y) {
    const int y0 = SpanStart(y, height, height_);
    const int y1 = SpanEnd(y, height, height_);
    for (int x = 0; x < width_; ++x) {
      const int x0 = SpanStart(x, width, width_);
      const int x1 = SpanEnd(x, width, width_);
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
          AverageBlock(pixels, stride, x0, x1, y0, y1);
    }
  }
}

void ScreenImage::CopyFrom(const std::uint32_t* pixels, std::size_t stride) {
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
    std::uint32_t* target = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    for (int x = 0; x < width_; ++x) target[x] = kOpaque | row[x];
  }
}

std::uint32_t ScreenImage::AverageBlock(const std::uint32_t* pixels, std::size_t stride, int x0, int x1, int y0,
                                        int y1) const {
  std::uint64_t red = 0;
  std::uint64_t green = 0;
  std::uint64_t blue = 0;
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
    for (int x = x0; x < x1; ++x) {
      red += (row[x] >> 16) & 0xFFu;
      green += (row[x] >> 8) & 0xFFu;
      blue += row[x] & 0xFFu;
    }
  }
  const std::uint64_t count = static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
  const auto average = [count](std::uint64_t sum) { return static_cast<std::uint32_t>((sum + count / 2) / count); };
  return kOpaque | (average(red) << 16) | (average(green) << 8) | average(blue);
}
