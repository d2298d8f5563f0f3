#include "backend/TrayPicture.h"

#include <cairo.h>

#include <cstring>

#include "zephui/MRender.h"

namespace ZephUI::Backend {
namespace {

// Panels ask for 16 to 24 pixels; larger ones serve high-density screens.
constexpr int kSides[] = {16, 22, 24, 32, 48, 64};

std::uint8_t Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
  return static_cast<std::uint8_t>(alpha == 0 ? 0 : (channel * 255 + alpha / 2) / alpha);
}

}  // namespace

TrayPicture::TrayPicture(const std::filesystem::path& path) {
  const auto image = MRender::LoadIconFromFile(path);
  if (!image) return;
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image->Width(), image->Height());
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return;
  }
  cairo_surface_flush(surface_);
  const auto* from = reinterpret_cast<const std::uint8_t*>(image->Pixels());
  std::uint8_t* to = cairo_image_surface_get_data(surface_);
  const int rowBytes = image->Width() * 4;
  for (int y = 0; y < image->Height(); ++y) {
    std::memcpy(to + y * cairo_image_surface_get_stride(surface_), from + y * image->Stride(), rowBytes);
  }
  cairo_surface_mark_dirty(surface_);
}

TrayPicture::~TrayPicture() {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

std::vector<TrayPixmap> TrayPicture::Pixmaps() const {
  std::vector<TrayPixmap> pixmaps;
  if (Empty()) return pixmaps;
  for (int side : kSides) pixmaps.push_back(Scaled(side));
  return pixmaps;
}

void TrayPicture::Paint(cairo_t* cr, int width, int height) const {
  if (Empty() || width <= 0 || height <= 0) return;
  cairo_save(cr);
  cairo_scale(cr, static_cast<double>(width) / cairo_image_surface_get_width(surface_),
              static_cast<double>(height) / cairo_image_surface_get_height(surface_));
  cairo_set_source_surface(cr, surface_, 0, 0);
  // Padding keeps the edges as opaque as the picture's own instead of fading into nothing.
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(surface_), cairo_image_surface_get_height(surface_));
  cairo_fill(cr);
  cairo_restore(cr);
}

TrayPixmap TrayPicture::Scaled(int side) const {
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
  cairo_t* cr = cairo_create(target);
  Paint(cr, side, side);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  TrayPixmap pixmap{side, side, std::vector<std::uint8_t>(static_cast<std::size_t>(side) * side * 4)};
  const std::uint8_t* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  std::uint8_t* out = pixmap.argb.data();
  for (int y = 0; y < side; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    for (int x = 0; x < side; ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t a = p >> 24;
      *out++ = static_cast<std::uint8_t>(a);
      *out++ = Unpremultiply((p >> 16) & 0xFF, a);
      *out++ = Unpremultiply((p >> 8) & 0xFF, a);
      *out++ = Unpremultiply(p & 0xFF, a);
    }
  }
  cairo_surface_destroy(target);
  return pixmap;
}

}  // namespace ZephUI::Backend
