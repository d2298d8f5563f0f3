// Keeping one of our windows right below another on screen (the drop shadow
// below its dialog). Under a window manager the other window sits inside a
// frame the manager restacks as it likes, so the kept window is stacked below
// that frame and put back after every change among the root's children.
// Called with the connection lock held.
#pragma once

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Stacking of one window below another.
class X11Stacking {
 public:
  /// Keeps `window` right below `sibling` (or below its frame) from now on.
  static void KeepBelow(X11Connection& connection, Window window, Window sibling);
  /// Ends what KeepBelow started for `window`.
  static void Release(X11Connection& connection, Window window);
  /// Handles a configure, map or reparent notice among the root's children and of our windows.
  static void Follow(X11Connection& connection, const XEvent& event);

 private:
  static Window FrameOf(X11Connection& connection, Window window);
  static void Restack(X11Connection& connection, Window window, X11WindowInfo& info);
};

}  // namespace ZephUI::Backend
