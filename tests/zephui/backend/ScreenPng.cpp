#include "tests/zephui/backend/ScreenPng.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstddef>
#include <cstdint>

namespace zephuitest {

bool WriteScreenPng(Display* display, const std::filesystem::path& path) {
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  cairo_surface_t* shot = cairo_image_surface_create(CAIRO_FORMAT_RGB24, attributes.width, attributes.height);
  unsigned char* data = cairo_image_surface_get_data(shot);
  const int stride = cairo_image_surface_get_stride(shot);
  for (int y = 0; y < attributes.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < attributes.width; ++x) row[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  cairo_surface_mark_dirty(shot);
  const bool written = cairo_surface_write_to_png(shot, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(shot);
  return written;
}

}  // namespace zephuitest
