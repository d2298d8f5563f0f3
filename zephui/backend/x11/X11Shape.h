// Window shapes through the SHAPE extension: the bounding shape clips a
// window to its round region (and pointer input with it), an empty input
// shape lets the pointer through a click-through window. Without the
// extension windows stay rectangular. Called with the connection lock held.
#pragma once

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Shapes of X windows.
class X11Shape {
 public:
  /// Clips the window (of the size) to its round region with corners `diameter` across; 0 makes it rectangular.
  static void SetRound(X11Connection& connection, Window window, int width, int height, int diameter);
  /// Lets pointer input pass through the window to what lies below, or not.
  static void SetClickThrough(X11Connection& connection, Window window, bool through);
};

}  // namespace ZephUI::Backend
