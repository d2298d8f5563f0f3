// A user's click for the main window's x11 tests: the pointer arrives first
// and the window sees the move, so the press lands on the control it hovers
// (the tab strip, for one, selects the tab it saw the pointer over).
// Include it after the library's headers: X's headers define None and Always.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>

#include "tests/zephui/backend/PumpUntil.h"

namespace zephuitest {

/// Moves the pointer to screen point x, y, lets the move be handled, then presses and releases button 1.
inline void ClickAt(Display* display, int x, int y) {
  XTestFakeMotionEvent(display, 0, x, y, CurrentTime);
  XSync(display, False);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
  PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

}  // namespace zephuitest
