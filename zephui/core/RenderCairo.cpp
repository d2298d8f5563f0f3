#include "core/RenderCairo.h"

#include <utility>

#include "core/ImageFrames.h"
#include "core/RenderContextState.h"

namespace ZephUI {

cairo_t* RenderCairo::Context(RenderContext& context) { return context.state_->cr; }

cairo_surface_t* RenderCairo::Surface(const Image& image) {
  const auto& surfaces = image.frames_->surfaces;
  const int index = image.active_.load(std::memory_order_relaxed);
  return surfaces[static_cast<std::size_t>(index)].get();
}

std::unique_ptr<Image> RenderCairo::MakeImage(std::vector<SurfacePtr> frames) {
  if (frames.empty()) return nullptr;
  const int width = cairo_image_surface_get_width(frames.front().get());
  const int height = cairo_image_surface_get_height(frames.front().get());
  for (const auto& frame : frames) {
    if (!frame || cairo_surface_status(frame.get()) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_format(frame.get()) != CAIRO_FORMAT_ARGB32 ||
        cairo_image_surface_get_width(frame.get()) != width || cairo_image_surface_get_height(frame.get()) != height) {
      return nullptr;
    }
  }
  auto holder = std::make_unique<Image::Frames>();
  holder->surfaces = std::move(frames);
  return std::unique_ptr<Image>(new Image(std::move(holder)));
}

RenderContext RenderCairo::WrapContext(cairo_t* cr) {
  return RenderContext(std::make_unique<RenderContext::State>(cairo_reference(cr)));
}

RenderContext RenderCairo::ForSurface(cairo_surface_t* surface) {
  cairo_t* cr = cairo_create(surface);
  RenderContext context = WrapContext(cr);
  cairo_destroy(cr);
  return context;
}

RenderCairo::SurfacePtr RenderCairo::NewSurface(int width, int height) {
  // cairo's own limit; beyond it creation fails anyway, and the stride must fit an int.
  constexpr int kMaxSide = 32767;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return surface;
}

RenderCairo::SurfacePtr RenderCairo::ToArgb32(SurfacePtr surface) {
  if (!surface || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  if (cairo_image_surface_get_format(surface.get()) == CAIRO_FORMAT_ARGB32) return surface;
  SurfacePtr converted =
      NewSurface(cairo_image_surface_get_width(surface.get()), cairo_image_surface_get_height(surface.get()));
  if (!converted) return nullptr;
  cairo_t* cr = cairo_create(converted.get());
  cairo_set_source_surface(cr, surface.get(), 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(converted.get());
  return converted;
}

}  // namespace ZephUI
