#include "zephui/RenderContext.h"

#include <cairo.h>

#include <cmath>
#include <utility>

#include "core/RenderCairo.h"
#include "core/RenderContextState.h"
#include "zephui/Image.h"

namespace ZephUI {

RenderContext::RenderContext(Image& target)
    : state_(std::make_unique<State>(cairo_create(RenderCairo::Surface(target)))) {}

RenderContext::RenderContext(std::unique_ptr<State> state) : state_(std::move(state)) {}

RenderContext::~RenderContext() { Flush(); }

RenderContext::RenderContext(RenderContext&& other) noexcept = default;

RenderContext& RenderContext::operator=(RenderContext&& other) noexcept {
  if (this != &other) {
    Flush();
    state_ = std::move(other.state_);
  }
  return *this;
}

int RenderContext::Width() const {
  return state_ ? cairo_image_surface_get_width(cairo_get_target(state_->cr)) : 0;
}

int RenderContext::Height() const {
  return state_ ? cairo_image_surface_get_height(cairo_get_target(state_->cr)) : 0;
}

void RenderContext::Save() { cairo_save(state_->cr); }

void RenderContext::Restore() { cairo_restore(state_->cr); }

void RenderContext::ClipRect(const Rect& rect) {
  cairo_rectangle(state_->cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_clip(state_->cr);
}

Rect RenderContext::ClipBounds() const {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  cairo_clip_extents(state_->cr, &x1, &y1, &x2, &y2);
  return Rect{static_cast<std::int32_t>(std::floor(x1)), static_cast<std::int32_t>(std::floor(y1)),
              static_cast<std::int32_t>(std::ceil(x2)), static_cast<std::int32_t>(std::ceil(y2))};
}

void RenderContext::Translate(int dx, int dy) { cairo_translate(state_->cr, dx, dy); }

void RenderContext::Flush() {
  if (state_) cairo_surface_flush(cairo_get_target(state_->cr));
}

}  // namespace ZephUI
