#include "backend/Presenter.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "backend/NativeAccess.h"
#include "backend/WindowSystem.h"
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

std::uint32_t Transform(std::uint32_t pixel, Transparency transparency, const LayeredAttributes& a) {
  if (transparency == Transparency::Opaque) return pixel | 0xFF000000u;  // an ordinary window shows no alpha
  if ((a.flags & LWA_COLORKEY) != 0 && MatchesKey(pixel, a.key)) return 0;
  if ((a.flags & LWA_ALPHA) != 0 && a.alpha != 255) return Scale(pixel, a.alpha);
  return pixel;
}

}  // namespace

cairo_surface_t* Presenter::SurfaceReference(HWND hwnd) {
  return WindowSystem::Get().Table().With([hwnd](WindowState& state) -> cairo_surface_t* {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return nullptr;
    const int width = std::max(record->rect.Width(), 0);
    const int height = std::max(record->rect.Height(), 0);
    cairo_surface_t* current = record->surface.get();
    if (current == nullptr || cairo_image_surface_get_width(current) != width ||
        cairo_image_surface_get_height(current) != height) {
      record->surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    }
    return cairo_surface_reference(record->surface.get());
  });
}

PresentedImage Presenter::Compose(cairo_surface_t* surface, Transparency transparency, const LayeredAttributes& attributes) {
  cairo_surface_flush(surface);
  PresentedImage image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    std::memcpy(row, data + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(image.width) * 4);
    for (int x = 0; x < image.width; ++x) row[x] = Transform(row[x], transparency, attributes);
  }
  return image;
}

bool Presenter::Present(HWND hwnd) {
  cairo_surface_t* surface = SurfaceReference(hwnd);
  if (surface == nullptr) return false;
  const auto [transparency, attributes] = WindowSystem::Get().Table().With([hwnd](WindowState& state) {
    const WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return std::pair(Transparency::Opaque, LayeredAttributes{});
    const bool layered = (record->exStyle & WS_EX_LAYERED) != 0;
    return std::pair(layered ? Transparency::PerPixel : Transparency::Opaque, record->layered);
  });
  const PresentedImage image = Compose(surface, transparency, attributes);
  cairo_surface_destroy(surface);
  NativeAccess::Apply(hwnd, [&image](NativeWindow& w) { w.Present(image); });
  return true;
}

}  // namespace ZephUI::Backend
