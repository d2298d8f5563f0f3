// Alpha transitions: a source blended onto a destination with one constant
// alpha per line, running between two transparency percentages.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Rect.h"

namespace ZephUI {

class Image;

/// Line-by-line alpha blends.
class RenderTransition {
 public:
  /// Whether the lines are rows or columns.
  enum class Lines {
    Rows,     ///< vertical transition
    Columns,  ///< horizontal transition
  };

  /// The alpha of each of `count` lines for transparencies from `startPercent` to `endPercent`.
  static std::vector<std::uint8_t> LineAlphas(int count, int startPercent, int endPercent);
  /// Blends the source part stretched over `destRect`, each line with its alpha.
  static void Draw(cairo_t* cr, const Image& source, const Rect& destRect, const Rect& sourceRect, int startPercent,
                   int endPercent, Lines lines);
  /// Blends an opaque colour over `destRect`, each line with its alpha, as a source image filled with it would.
  static void DrawColour(cairo_t* cr, GdiColor colour, const Rect& destRect, int startPercent, int endPercent,
                         Lines lines);
};

}  // namespace ZephUI
