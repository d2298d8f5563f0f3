// What a backend reports about its windows: raw pointer, key and window-manager
// events. They are queued to the thread that owns the window and turned into
// window messages there, when that thread retrieves them.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// The kinds of native events.
enum class NativeEventKind {
  PointerMove,    ///< pointer moved over `hwnd` (or anywhere while a grab is held)
  ButtonDown,     ///< mouse button pressed
  ButtonUp,       ///< mouse button released
  Wheel,          ///< wheel turned by `wheelDelta`
  PointerLeft,    ///< pointer left `hwnd`
  KeyDown,        ///< key pressed; `vk` is side-specific for modifiers (VK_LSHIFT, ...)
  KeyUp,          ///< key released
  Text,           ///< text committed without a key press (input method)
  Activated,      ///< the window system gave `hwnd` the input focus
  Deactivated,    ///< the input focus left every window of this process
  Configured,     ///< the window manager moved or sized `hwnd` to `rect` (screen pixels)
  CloseRequested, ///< the window manager asks `hwnd` to close
  Minimized,      ///< the window manager minimised `hwnd`
  Restored,       ///< the window manager restored `hwnd` from minimised
  Exposed,        ///< part `rect` (client pixels) of `hwnd` must be drawn again
  CompositionChanged,  ///< a compositing manager started or stopped; sent to each top-level `hwnd`
};

/// Mouse buttons of native events.
enum class NativeButton { Left, Right, Middle };

/// One native event.
struct NativeEvent {
  NativeEventKind kind = NativeEventKind::PointerMove;  ///< what happened
  HWND hwnd = nullptr;          ///< window it concerns; for keys, null means "the focus window"
  Point screen;                 ///< pointer position in screen pixels (pointer kinds)
  NativeButton button = NativeButton::Left;  ///< ButtonDown, ButtonUp
  std::int32_t wheelDelta = 0;  ///< Wheel: multiples of 120, positive away from the user
  std::uint32_t vk = 0;         ///< KeyDown, KeyUp: virtual-key code
  std::uint32_t scanCode = 0;   ///< KeyDown, KeyUp: hardware scan code, 8 bits
  std::u16string text;          ///< KeyDown: text the key types; Text: the committed text
  Rect rect;                    ///< Configured, Exposed
  std::uint64_t timeMs = 0;     ///< when it happened on the backend clock; stamped on delivery when 0
};

}  // namespace ZephUI::Backend
