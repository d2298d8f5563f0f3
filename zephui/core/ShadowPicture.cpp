#include "core/ShadowPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/RenderCairo.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

void Clear(const WindowSurface& surface) {
  std::uint32_t* pixels = surface.Pixels();
  if (pixels == nullptr) return;
  std::memset(pixels, 0, static_cast<std::size_t>(surface.Stride()) * static_cast<std::size_t>(surface.Height()));
  surface.MarkDirty();
}

// Distance from a pixel centre to a rectangle with rounded corners; 0 inside.
double DistanceOutside(double x, double y, const Rect& core, int radius) {
  const double r = std::min({static_cast<double>(radius), core.Width() / 2.0, core.Height() / 2.0});
  const double dx = std::max({core.left + r - x, 0.0, x - (core.right - r)});
  const double dy = std::max({core.top + r - y, 0.0, y - (core.bottom - r)});
  return std::max(std::hypot(dx, dy) - r, 0.0);
}

std::uint32_t Premultiplied(GdiColor colour, std::uint8_t alpha) {
  const auto scale = [alpha](std::uint8_t c) { return static_cast<std::uint32_t>(c * alpha / 255); };
  return (std::uint32_t{alpha} << 24) | (scale(colour.Red()) << 16) | (scale(colour.Green()) << 8) |
         scale(colour.Blue());
}

}  // namespace

// Smoothstep from the full darkness at the core's edge down to nothing one sharpness width away.
std::uint8_t ShadowPicture::Falloff(double distance, int sharpness, int darkness) {
  if (distance <= 0.0) return static_cast<std::uint8_t>(darkness);
  if (sharpness <= 0 || distance >= sharpness) return 0;
  const double f = 1.0 - distance / sharpness;
  return static_cast<std::uint8_t>(std::lround(darkness * f * f * (3.0 - 2.0 * f)));
}

void ShadowPicture::DrawSoft(const WindowSurface& surface, const ShadowShape& shape) {
  Clear(surface);
  std::uint32_t* pixels = surface.Pixels();
  if (pixels == nullptr || shape.core.Width() <= 0 || shape.core.Height() <= 0) return;
  const int rowWords = surface.Stride() / 4;
  for (int y = 0; y < surface.Height(); ++y) {
    std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * rowWords;
    for (int x = 0; x < surface.Width(); ++x) {
      const double d = DistanceOutside(x + 0.5, y + 0.5, shape.core, shape.radius);
      row[x] = Premultiplied(shape.colour, Falloff(d, shape.sharpness, shape.darkness));
    }
  }
  surface.MarkDirty();
}

void ShadowPicture::DrawImage(const WindowSurface& surface, const Image& image, const Rect& corner) {
  Clear(surface);
  RenderContext context = RenderCairo::ForSurface(surface.Get());
  MRender::DrawImageFrameMID(context, image, Rect{0, 0, surface.Width(), surface.Height()}, 0, 0, image.Width(),
                             image.Height(), corner.left, corner.top, corner.right, corner.bottom);
  context.Flush();
}

}  // namespace ZephUI
