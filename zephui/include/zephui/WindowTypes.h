// The value types of the window system: handles, message parameters and the
// records that travel with some messages. They keep the shapes and widths the
// rest of the program was written against; parameters are 64 bits wide.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/Rect.h"

namespace ZephUI {

/// Opaque window handle; null is "no window". Handles are never reused.
using HWND = struct HWND__*;
/// Opaque application module handle, stored by Manager and never dereferenced.
using HINSTANCE = struct HINSTANCE__*;
/// Opaque cursor handle from LoadCursor; null is "no cursor".
using HCURSOR = struct HCURSOR__*;
/// Message number.
using UINT = std::uint32_t;
/// First message parameter.
using WPARAM = std::uint64_t;
/// Second message parameter.
using LPARAM = std::int64_t;
/// Result of a window procedure.
using LRESULT = std::int64_t;

/// A point in pixels.
struct Point {
  std::int32_t x = 0;  ///< horizontal position
  std::int32_t y = 0;  ///< vertical position
  /// Equal when both coordinates are.
  constexpr bool operator==(const Point&) const = default;
};

/// One message as retrieved from a thread's queue.
struct MSG {
  HWND hwnd = nullptr;    ///< target window; null for thread messages such as WM_QUIT
  UINT message = 0;       ///< message number
  WPARAM wParam = 0;      ///< first parameter
  LPARAM lParam = 0;      ///< second parameter
  std::uint32_t time = 0; ///< GetTickCount() when the message was queued
  Point pt;               ///< cursor position in screen pixels when the message was queued
};

/// Window creation record handed to WM_NCCREATE and WM_CREATE in lParam.
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;     ///< the creation parameter given to CreateWindowEx
  HINSTANCE hInstance = nullptr;      ///< Manager::GetInstance() at creation
  HWND hwndParent = nullptr;          ///< parent (child windows) or owner (top-level windows)
  std::int32_t cy = 0;                ///< height
  std::int32_t cx = 0;                ///< width
  std::int32_t y = 0;                 ///< top, screen pixels or parent client pixels for a child
  std::int32_t x = 0;                 ///< left, screen pixels or parent client pixels for a child
  std::uint32_t style = 0;            ///< WS_* style bits
  std::u16string_view lpszName;       ///< window title
  std::u16string_view lpszClass;      ///< window class name
  std::uint32_t dwExStyle = 0;        ///< WS_EX_* extended style bits
};

/// Position record of WM_WINDOWPOSCHANGING (may be changed by the handler) and WM_WINDOWPOSCHANGED.
struct WINDOWPOS {
  HWND hwnd = nullptr;             ///< the window
  HWND hwndInsertAfter = nullptr;  ///< z-order reference, as given to SetWindowPos
  std::int32_t x = 0;              ///< new left
  std::int32_t y = 0;              ///< new top
  std::int32_t cx = 0;             ///< new width
  std::int32_t cy = 0;             ///< new height
  std::uint32_t flags = 0;         ///< SWP_* flags
};

/// Size limits asked for with WM_GETMINMAXINFO; a handler lowers or raises them.
struct MINMAXINFO {
  Point ptReserved;      ///< unused
  Point ptMaxSize;       ///< size of a maximised window
  Point ptMaxPosition;   ///< position of a maximised window
  Point ptMinTrackSize;  ///< smallest size SetWindowPos gives the window
  Point ptMaxTrackSize;  ///< largest size SetWindowPos gives the window
};

/// Callback that SetTimer may run instead of the window procedure when the timer fires.
using TIMERPROC = void (*)(HWND hwnd, UINT message, std::uintptr_t timerId, std::uint32_t tickCount);

/// Low 16 bits of a value.
constexpr std::uint16_t LOWORD(std::uint64_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
/// Bits 16 to 31 of a value.
constexpr std::uint16_t HIWORD(std::uint64_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
/// Packs two 16-bit values into an lParam, low word first.
constexpr LPARAM MAKELPARAM(std::int32_t low, std::int32_t high) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                             (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
/// Packs two 16-bit values into a wParam, low word first.
constexpr WPARAM MAKEWPARAM(std::int32_t low, std::int32_t high) { return static_cast<WPARAM>(static_cast<std::uint32_t>(MAKELPARAM(low, high))); }
/// Signed x coordinate of a mouse message's lParam.
constexpr std::int32_t GET_X_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(LOWORD(static_cast<std::uint64_t>(lp))); }
/// Signed y coordinate of a mouse message's lParam.
constexpr std::int32_t GET_Y_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(HIWORD(static_cast<std::uint64_t>(lp))); }
/// Signed wheel delta of a WM_MOUSEWHEEL wParam (multiples of WHEEL_DELTA).
constexpr std::int32_t GET_WHEEL_DELTA_WPARAM(WPARAM wp) { return static_cast<std::int16_t>(HIWORD(wp)); }
/// MK_* key flags of a WM_MOUSEWHEEL wParam.
constexpr std::uint32_t GET_KEYSTATE_WPARAM(WPARAM wp) { return LOWORD(wp); }
/// One wheel notch.
inline constexpr std::int32_t WHEEL_DELTA = 120;

}  // namespace ZephUI
