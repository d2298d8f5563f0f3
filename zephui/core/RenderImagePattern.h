// A cairo source that maps one part of an image onto a destination rectangle.
#pragma once

#include <cairo.h>

#include "zephui/Rect.h"

namespace ZephUI {

class Image;

/// The source for drawing `source` of an image stretched over a destination; empty when nothing would show.
class RenderImagePattern {
 public:
  /// Places the part of `image` (clipped to the image) over `dest`.
  RenderImagePattern(const Image& image, const Rect& source, const Rect& dest);
  ~RenderImagePattern();
  RenderImagePattern(const RenderImagePattern&) = delete;
  RenderImagePattern& operator=(const RenderImagePattern&) = delete;

  /// False when the part or the destination is empty.
  bool Valid() const { return pattern_ != nullptr; }
  /// Adds the covered destination area to the current path.
  void AddArea(cairo_t* cr) const;
  /// Paints the covered area with the given operator and constant alpha.
  void Paint(cairo_t* cr, cairo_operator_t op, double alpha) const;
  /// The pattern to set as source.
  cairo_pattern_t* Pattern() const { return pattern_; }

 private:
  cairo_pattern_t* pattern_ = nullptr;
  double x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

}  // namespace ZephUI
