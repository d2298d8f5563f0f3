// Window shapes through the SHAPE extension: the bounding shape clips a
// window to its round region (and pointer input with it), an empty input
// shape lets the pointer through a click-through window. Without the
// extension windows stay rectangular. Without a compositor, the bounding shape
// also cuts the see-through parts of a layered window's image, which would
// otherwise show black. Called with the connection lock held.
#pragma once

#include <vector>

#include "backend/NativeWindow.h"
#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Shapes of X windows.
class X11Shape {
 public:
  /// Clips the window (of the size) to its round region with corners `diameter` across; 0 makes it rectangular.
  static void SetRound(X11Connection& connection, Window window, int width, int height, int diameter);
  /// The parts of `image` at least half opaque, as y-x banded rectangles.
  static std::vector<XRectangle> OpaqueBands(const PixelView& image);
  /// True when every pixel of `area` of `image` is at least half opaque.
  static bool AllOpaque(const PixelView& image, const Rect& area);
  /// Clips the window (of the size) to `bands` of OpaqueBands; bands covering all of it make it rectangular.
  static void SetBands(X11Connection& connection, Window window, int width, int height, const std::vector<XRectangle>& bands);
  /// Lets pointer input pass through the window to what lies below, or not.
  static void SetClickThrough(X11Connection& connection, Window window, bool through);
};

}  // namespace ZephUI::Backend
