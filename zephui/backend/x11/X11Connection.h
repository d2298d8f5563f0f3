// The one X display connection of the process and everything that belongs to
// it: the ARGB visual, atoms, input method, cursors and what the event reader
// needs to know about each of our X windows. One lock guards all of it, and
// every Xlib call is made under it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <type_traits>

#include "backend/NativeWindow.h"
#include "zephui/Cursor.h"
#include "zephui/WindowTypes.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "backend/x11/X11Atoms.h"
#include "backend/x11/X11Extensions.h"

namespace ZephUI::Backend {

class X11WindowPresenter;

/// What the event reader needs about one of our X windows.
struct X11WindowInfo {
  HWND hwnd = nullptr;             ///< our handle
  XIC inputContext = nullptr;      ///< input method context, made at the window's first key or input spot
  bool contextTried = false;       ///< `inputContext` was asked for once (it may have stayed null)
  GC gc = nullptr;                 ///< graphics context for presenting
  bool overrideRedirect = false;   ///< placed and stacked by us alone
  bool child = false;              ///< a child window
  bool mapped = false;             ///< MapNotify seen, UnmapNotify not since
  bool focusWanted = false;        ///< focus asked for before the window was mapped
  X11WindowPresenter* presenter = nullptr;  ///< shows the window's images; owned by the window
  int width = 0;                   ///< size last given to the window
  int height = 0;                  ///< size last given to the window
  int regionDiameter = 0;          ///< corners of the round region; 0 when rectangular
  bool clickThrough = false;       ///< pointer input passes through (WS_EX_TRANSPARENT)
  bool alphaShaped = false;        ///< clipped to the opaque part of its last image (no compositor)
  Window stackBelow = 0;           ///< our window this one is kept right below; 0 when none
  Window stackFrame = 0;           ///< outermost ancestor of `stackBelow` (its frame); 0 until found
};

/// The display connection and its shared state.
class X11Connection {
 public:
  /// Opens the display named by DISPLAY; null when none opens.
  static std::unique_ptr<X11Connection> Open();
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  /// Runs `f(*this)` under the connection lock; once the display is lost, returns a default value instead.
  template <typename F>
  auto With(F&& f) {
    using Result = decltype(f(*this));
    std::lock_guard lock(mutex_);
    if (Lost()) {
      if constexpr (std::is_void_v<Result>) {
        return;
      } else {
        return Result{};
      }
    }
    // Round trips inside `f` may have queued events that no poll will see.
    struct Check {
      X11Connection& connection;
      ~Check() { connection.SignalQueuedEvents(); }
    } check{*this};
    return f(*this);
  }

  /// Runs `f(*this)` under the connection lock even after the display is lost, to free what Xlib keeps on our side.
  template <typename F>
  void Free(F&& f) {
    std::lock_guard lock(mutex_);
    f(*this);
  }

  /// The font cursor for a shape, made on first use; under the lock.
  Cursor FontCursor(CursorType shape);
  /// The X window of one of our windows; 0 when none. Under the lock.
  Window WindowOf(HWND hwnd) const;
  /// Whether the window manager moves windows for us (_NET_WM_MOVERESIZE); under the lock.
  bool WindowManagerMoves();
  /// Whether a window manager runs (owns the WM_Sn selection); under the lock.
  bool WindowManagerRuns();
  /// True once the connection to the server broke; no Xlib call is made after that.
  static bool Lost();
  /// The X error code of the last failed request since the last call, then 0; under the lock.
  static int TakeLastError();
  /// Makes `pendingFd` readable when Xlib holds events read from the socket; under the lock.
  void SignalQueuedEvents();
  /// Makes `pendingFd` unreadable again.
  void ClearQueuedSignal();

  Display* display = nullptr;      ///< the connection
  int screen = 0;                  ///< default screen
  Window root = 0;                 ///< its root window
  Visual* visual = nullptr;        ///< 32-bit ARGB visual, or the default one
  int depth = 0;                   ///< depth of `visual`
  Colormap colormap = 0;           ///< colormap for `visual`
  XIM inputMethod = nullptr;       ///< input method, opened at the first key or input spot; null: Latin-1 lookup
  bool inputMethodTried = false;   ///< opening `inputMethod` was tried
  X11Atoms atoms;                  ///< interned atoms
  X11Extensions extensions;        ///< extensions the server offers
  std::map<Window, X11WindowInfo> windows;  ///< our windows
  bool compositing = false;        ///< a compositing manager owns _NET_WM_CM_Sn
  bool rootWatched = false;        ///< the root's children are followed (a window is kept below another)
  int pendingFd = -1;              ///< eventfd, readable while events wait inside Xlib

 private:
  X11Connection() = default;

  std::mutex mutex_;
  std::map<CursorType, Cursor> cursors_;
};

}  // namespace ZephUI::Backend
