// Giving a window the input focus and asking where it is; called with the
// connection lock held.
#pragma once

#include <optional>

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

/// Input focus of X windows.
class X11Painter {
 public:
  /// Gives a mapped window the input focus (and asks the window manager to activate a managed one).
  static void Focus(X11Connection& connection, Window window);
  /// Asks the window manager to activate (and so deiconify) a managed window.
  static void Activate(X11Connection& connection, Window window);
  /// The window with the input focus now; none while a focus request of ours waits for its window's MapNotify.
  static std::optional<Window> FocusedWindow(X11Connection& connection);
};

}  // namespace ZephUI::Backend
