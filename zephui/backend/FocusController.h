// Activation, keyboard focus and mouse capture, with the messages that tell
// windows about each change. The table records the new state first, then the
// windows are told, so a handler that asks sees the new state.
#pragma once

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Whether the backend must be asked to move its input focus.
enum class NativeFocus { Request, AlreadyThere };

/// What happens to a window that stops taking input.
enum class Departure { Hidden, Disabled, Destroyed };

/// Activation, focus and capture changes.
class FocusController {
 public:
  /// Makes `top` (a top-level window, or null) the active window; `how` is WA_ACTIVE or WA_CLICKACTIVE.
  static void Activate(HWND top, UINT how, NativeFocus native);
  /// Gives the keyboard focus; returns the previous focus window, or null on failure.
  static HWND SetFocus(HWND hwnd);
  /// Takes the mouse capture; returns the previous capture window.
  static HWND SetCapture(HWND hwnd);
  /// Ends the mouse capture.
  static void ReleaseCapture();
  /// Moves activation, focus, capture and tracking away from a window that stops taking input.
  static void Depart(HWND hwnd, Departure why);
};

}  // namespace ZephUI::Backend
