// The input method side of the X11 backend (XIM): a text-capable locale for
// the input method to speak, the method itself, one input context per
// top-level window in the best style the method offers, and the spot where
// the method shows what is being composed (the caret of the focused field).
#pragma once

#include <X11/Xlib.h>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class X11Connection;

/// XIM helpers; all calls need the connection's lock.
class X11InputMethod {
 public:
  X11InputMethod() = delete;

  /// Makes LC_CTYPE the user's locale, or C.UTF-8, when it is still "C": input methods speak only real locales.
  /// Called when the connection opens, while the program has one thread: setlocale is not thread-safe.
  static void PrepareLocale();
  /// Opens the user's input method (XMODIFIERS), else Xlib's built-in one; null when none opens.
  static XIM Open(Display* display);
  /// An input context for a top-level window: composition at a spot when offered, else in the method's window.
  static XIC CreateContext(XIM method, Window window);
  /// Opens the method and makes the window's context on first need (reading the method's tables is slow).
  static XIC ContextFor(X11Connection& c, Window window);
  /// Moves the composition spot to a point of the context's window (the baseline left of the caret).
  static void MoveSpot(XIC context, Point point);
};

}  // namespace ZephUI::Backend
