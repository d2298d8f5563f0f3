#include "backend/ShownFrame.h"

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

Rect ShownFrame::Take(cairo_surface_t* surface, const PixelRule& rule, const Rect* damage) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  data_ = cairo_image_surface_get_data(surface);
  stride_ = cairo_image_surface_get_stride(surface);
  const Rect all{0, 0, width, height};
  if (width_ != width || height_ != height || !Same(rule, rule_)) {
    width_ = width;
    height_ = height;
    rule_ = rule;
    return all;
  }
  return damage != nullptr ? Intersect(*damage, all) : all;
}

void ShownFrame::Drop() { data_ = nullptr; }

void ShownFrame::Convert(const Rect& area, std::uint32_t* target, std::ptrdiff_t stride) const {
  if (data_ == nullptr) return;
  const Rect part = Intersect(area, Rect{0, 0, width_, height_});
  if (IsEmpty(part)) return;
  for (int y = part.top; y < part.bottom; ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
    ConvertRow(from + part.left, target + static_cast<std::ptrdiff_t>(y) * stride + part.left, part.Width(), rule_);
  }
}

}  // namespace ZephUI::Backend
