// A window-sized rectangle with its four corners rounded by a circle, as
// popups clip themselves; both backends use it, X11 to build the window's
// shape and headless to answer which pixels the window keeps.
#pragma once

#include <vector>

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// A rounded rectangle in window pixels: a pixel belongs to it when its centre lies inside.
class RoundRegion {
 public:
  /// The rectangle (0, 0, width, height) with corners `diameter` across (at most its shorter side).
  RoundRegion(int width, int height, int diameter);

  /// Pixels the corners cut off at each end of row `y`; 0 outside the corner rows.
  int Inset(int y) const;
  /// True when the pixel belongs to the region.
  bool Contains(Point pixel) const;
  /// The region as rectangles top to bottom, rows with equal insets merged (Y-X banded).
  std::vector<Rect> Bands() const;

 private:
  int width_;
  int height_;
  double radius_;
};

}  // namespace ZephUI::Backend
