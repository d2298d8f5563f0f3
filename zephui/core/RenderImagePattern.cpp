#include "core/RenderImagePattern.h"

#include <algorithm>

#include "core/RenderCairo.h"
#include "zephui/Image.h"

namespace ZephUI {

RenderImagePattern::RenderImagePattern(const Image& image, const Rect& source, const Rect& dest) {
  if (source.Width() <= 0 || source.Height() <= 0 || dest.Width() <= 0 || dest.Height() <= 0) return;
  const Rect part{std::max(source.left, 0), std::max(source.top, 0), std::min(source.right, image.Width()),
                  std::min(source.bottom, image.Height())};
  if (part.Width() <= 0 || part.Height() <= 0) return;
  // A part cut by the image's edge keeps its scale: the destination shrinks with it.
  const double scaleX = static_cast<double>(dest.Width()) / source.Width();
  const double scaleY = static_cast<double>(dest.Height()) / source.Height();
  x_ = dest.left + (part.left - source.left) * scaleX;
  y_ = dest.top + (part.top - source.top) * scaleY;
  width_ = part.Width() * scaleX;
  height_ = part.Height() * scaleY;
  // A sub-surface with padded edges keeps stretched edges from sampling the pixels next to the part.
  cairo_surface_t* sub = cairo_surface_create_for_rectangle(RenderCairo::Surface(image), part.left, part.top,
                                                           part.Width(), part.Height());
  pattern_ = cairo_pattern_create_for_surface(sub);
  cairo_surface_destroy(sub);
  cairo_pattern_set_extend(pattern_, CAIRO_EXTEND_PAD);
  const bool unscaled = part.Width() == width_ && part.Height() == height_;
  cairo_pattern_set_filter(pattern_, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, part.Width() / width_, part.Height() / height_);
  cairo_matrix_translate(&matrix, -x_, -y_);
  cairo_pattern_set_matrix(pattern_, &matrix);
}

RenderImagePattern::~RenderImagePattern() {
  if (pattern_ != nullptr) cairo_pattern_destroy(pattern_);
}

void RenderImagePattern::AddArea(cairo_t* cr) const { cairo_rectangle(cr, x_, y_, width_, height_); }

void RenderImagePattern::Paint(cairo_t* cr, cairo_operator_t op, double alpha) const {
  if (!Valid()) return;
  cairo_save(cr);
  AddArea(cr);
  cairo_clip(cr);
  cairo_set_operator(cr, op);
  cairo_set_source(cr, pattern_);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

}  // namespace ZephUI
