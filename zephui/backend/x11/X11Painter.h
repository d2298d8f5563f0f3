// Drawing a window's kept image to the screen and giving a window the input
// focus; both called with the connection lock held.
#pragma once

#include <optional>

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Screen updates of X windows.
class X11Painter {
 public:
  /// Copies part of the window's kept image to the window (client pixels).
  static void PutBacking(X11Connection& connection, Window window, const X11WindowInfo& info, const Rect& area);
  /// Gives a mapped window the input focus (and asks the window manager to activate a managed one).
  static void Focus(X11Connection& connection, Window window);
  /// The window with the input focus now; none while a focus request of ours waits for its window's MapNotify.
  static std::optional<Window> FocusedWindow(X11Connection& connection);
};

}  // namespace ZephUI::Backend
