#include "backend/ShownImage.h"

#include <cairo.h>

#include <cstring>

#include "backend/RectMath.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

std::uint32_t Scale(std::uint32_t pixel, std::uint32_t alpha) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t channel = (pixel >> shift) & 0xFF;
    out |= ((channel * alpha + 127) / 255) << shift;
  }
  return out;
}

bool MatchesKey(std::uint32_t pixel, GdiColor key) {
  if ((pixel >> 24) != 0xFF) return false;  // only opaque pixels carry an exact colour
  return ((pixel >> 16) & 0xFF) == key.Red() && ((pixel >> 8) & 0xFF) == key.Green() && (pixel & 0xFF) == key.Blue();
}

bool Same(const PixelRule& a, const PixelRule& b) {
  return a.transparency == b.transparency && a.attributes.flags == b.attributes.flags &&
         a.attributes.key == b.attributes.key && a.attributes.alpha == b.attributes.alpha;
}

// A layered window without a key or a constant alpha below 255 shows its pixels as they are.
bool Untouched(const PixelRule& rule) {
  const LayeredAttributes& a = rule.attributes;
  return (a.flags & LWA_COLORKEY) == 0 && ((a.flags & LWA_ALPHA) == 0 || a.alpha == 255);
}

void ConvertRow(const std::uint32_t* from, std::uint32_t* to, int count, const PixelRule& rule) {
  if (rule.transparency == Transparency::Opaque) {
    for (int x = 0; x < count; ++x) to[x] = from[x] | 0xFF000000u;  // an ordinary window shows no alpha
    return;
  }
  if (Untouched(rule)) {
    std::memcpy(to, from, static_cast<std::size_t>(count) * 4);
    return;
  }
  const LayeredAttributes& a = rule.attributes;
  for (int x = 0; x < count; ++x) {
    std::uint32_t pixel = from[x];
    if ((a.flags & LWA_COLORKEY) != 0 && MatchesKey(pixel, a.key)) {
      pixel = 0;
    } else if ((a.flags & LWA_ALPHA) != 0) {
      pixel = Scale(pixel, a.alpha);
    }
    to[x] = pixel;
  }
}

}  // namespace

Rect ShownImage::Update(cairo_surface_t* surface, const PixelRule& rule, const Rect* damage) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const Rect all{0, 0, width, height};
  Rect area = damage != nullptr ? Intersect(*damage, all) : all;
  if (image_.width != width || image_.height != height || !Same(rule, rule_)) {
    image_.width = width;
    image_.height = height;
    image_.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    rule_ = rule;
    area = all;
  }
  if (IsEmpty(area)) return Rect{};
  Convert(cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface), area);
  return area;
}

void ShownImage::Convert(const unsigned char* data, int stride, const Rect& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    std::uint32_t* to = image_.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width);
    ConvertRow(from + area.left, to + area.left, area.Width(), rule_);
  }
}

}  // namespace ZephUI::Backend
