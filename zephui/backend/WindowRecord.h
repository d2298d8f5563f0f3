// Everything the window system knows about one window. Records live in the
// WindowTable and are read and written only under its lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "backend/NativeWindow.h"
#include "zephui/Color.h"
#include "zephui/Rect.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowTypes.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI::Backend {

class ShownFrame;
class ThreadQueue;

/// Releases a cairo surface reference.
struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const;
};

/// A running window timer.
struct WindowTimer {
  std::uintptr_t id = 0;         ///< the application's timer id
  std::uint32_t periodMs = 0;    ///< period
  std::uint64_t dueMs = 0;       ///< next expiry on the backend clock
  std::uint64_t sequence = 0;    ///< creation order, breaks ties between equal expiries
  TIMERPROC proc = nullptr;      ///< callback instead of WM_TIMER, or null
};

/// Constant alpha and colour key applied when a layered window is presented.
struct LayeredAttributes {
  std::uint32_t flags = 0;  ///< LWA_* bits
  GdiColor key;             ///< colour made transparent with LWA_COLORKEY
  std::uint8_t alpha = 255; ///< constant alpha with LWA_ALPHA
};

/// One window.
struct WindowRecord {
  HWND hwnd = nullptr;                       ///< the handle
  std::shared_ptr<ThreadQueue> queue;        ///< queue of the owning thread (shared: the thread and its windows keep it); null for another process's window
  std::uint64_t foreignId = 0;               ///< another process's window: its native id
  WindowProcedure* procedure = nullptr;      ///< used, not owned
  std::u16string className;                  ///< class
  std::u16string title;                      ///< title
  std::uint32_t classStyle = 0;              ///< CS_* bits of the class
  std::uint32_t style = 0;                   ///< WS_* bits
  std::uint32_t exStyle = 0;                 ///< WS_EX_* bits
  int regionDiameter = 0;                    ///< rounded-corner clip of a top-level window, 0 = none
  HWND parent = nullptr;                     ///< parent of a child window
  HWND owner = nullptr;                      ///< owner of a top-level window
  Rect rect;                                 ///< screen pixels, or parent client pixels for a child
  Rect restoreRect;                          ///< rectangle before maximising
  Rect invalid;                              ///< update rectangle (client pixels), empty when none
  Rect painting;                             ///< update rectangle handed to the WM_PAINT being dispatched
  std::map<std::u16string, std::intptr_t> props;  ///< named properties
  std::vector<WindowTimer> timers;           ///< running timers
  std::intptr_t userData = 0;                ///< SetWindowUserData
  LayeredAttributes layered;                 ///< SetLayeredWindowAttributes
  std::unique_ptr<cairo_surface_t, SurfaceRelease> surface;  ///< drawing surface, made on demand
  std::shared_ptr<ShownFrame> shown;         ///< size and pixel rule of the last present, made on the first one
  std::unique_ptr<NativeWindow> native;      ///< backend side; used on the owning thread only
  CursorType appliedCursor = CursorType::Arrow;  ///< cursor last set on the native window
  bool destroying = false;                   ///< DestroyWindow has begun

  /// True for WS_CHILD windows.
  bool IsChild() const;
  /// True while WS_VISIBLE is set.
  bool Visible() const;
  /// True unless WS_DISABLED is set.
  bool Enabled() const;
  /// True while WS_MINIMIZE is set.
  bool Minimized() const;
  /// True while WS_MAXIMIZE is set.
  bool Maximized() const;
  /// Client size as a rectangle at the origin.
  Rect ClientRect() const;
  /// How the window manager is to handle the window, from its current styles and owner.
  WindowRole Role() const;
};

}  // namespace ZephUI::Backend
