#include "zephui/WindowSurface.h"

#include <cairo.h>

#include "backend/Presenter.h"

namespace ZephUI {

WindowSurface::WindowSurface(HWND hwnd) : surface_(Backend::Presenter::SurfaceReference(hwnd)) {}

WindowSurface::~WindowSurface() {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

int WindowSurface::Width() const { return surface_ != nullptr ? cairo_image_surface_get_width(surface_) : 0; }

int WindowSurface::Height() const { return surface_ != nullptr ? cairo_image_surface_get_height(surface_) : 0; }

std::uint32_t* WindowSurface::Pixels() const {
  if (surface_ == nullptr) return nullptr;
  cairo_surface_flush(surface_);
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

int WindowSurface::Stride() const { return surface_ != nullptr ? cairo_image_surface_get_stride(surface_) : 0; }

void WindowSurface::MarkDirty() const {
  if (surface_ != nullptr) cairo_surface_mark_dirty(surface_);
}

}  // namespace ZephUI
