// The shared state of all windows of the process: the records, the stacking
// order, and who is active, focused and capturing. Not thread-safe by itself;
// WindowTable holds it under its one lock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backend/NativeEvent.h"
#include "backend/WindowRecord.h"
#include "zephui/Cursor.h"

namespace ZephUI::Backend {

/// TrackMouseEvent's request.
struct MouseTracking {
  HWND hwnd = nullptr;        ///< tracked window
  std::uint32_t flags = 0;    ///< TME_HOVER and/or TME_LEAVE still pending
  std::uint32_t hoverMs = 400;///< hover time
  Point anchor;               ///< screen point where the pointer last came to rest
  std::uint64_t hoverDueMs = 0; ///< when WM_MOUSEHOVER is due
};

/// The last press, for double-click detection.
struct LastClick {
  HWND hwnd = nullptr;                       ///< window pressed
  NativeButton button = NativeButton::Left;  ///< button pressed
  Point screen;                              ///< where
  std::uint64_t timeMs = 0;                  ///< when
};

/// An interactive window move run by the core (no window manager to do it).
struct MoveLoop {
  HWND hwnd = nullptr;  ///< window being moved
  Point offset;         ///< pointer position minus window origin at the start
  Point start;          ///< where the button went down
  bool pending = true;  ///< the pointer has not moved far enough yet: a release now is a click
};

/// All windows and the input state around them.
class WindowState {
 public:
  std::map<std::uint64_t, std::unique_ptr<WindowRecord>> windows;  ///< by handle value, creation order
  std::vector<HWND> zOrder;                 ///< top-level windows, front first
  std::map<std::u16string, std::uint32_t, std::less<>> classes;  ///< registered classes and their CS_* bits
  HWND active = nullptr;                    ///< active top-level window
  HWND focus = nullptr;                     ///< keyboard focus window
  HWND capture = nullptr;                   ///< mouse capture window
  MouseTracking tracking;                   ///< TrackMouseEvent request
  LastClick lastClick;                      ///< last press
  std::optional<MoveLoop> moveLoop;         ///< core-run window move
  HWND lastMoveWindow = nullptr;            ///< target of the last WM_MOUSEMOVE
  Point lastMovePoint;                      ///< its screen point, to drop repeated moves
  HCURSOR cursor = nullptr;                 ///< SetCursor's current cursor
  Point pointer;                            ///< last known pointer position
  std::uint32_t doubleClickTimeMs = 500;    ///< GetDoubleClickTime
  std::uint64_t nextHandle = 0x10000;       ///< next handle value
  std::uint64_t nextTimerSequence = 1;      ///< next timer creation number

  /// The record of a live window, or null.
  WindowRecord* Find(HWND hwnd) const;
  /// The record of a live window of this process (not another process's), or null.
  WindowRecord* FindLocal(HWND hwnd) const;
  /// A fresh handle.
  HWND NewHandle();
  /// The top-level window containing `hwnd`.
  HWND TopLevelOf(HWND hwnd) const;
  /// True when `hwnd` is `ancestor` or lies below it.
  bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) const;
  /// True when the window and its parents are enabled.
  bool EnabledDeep(HWND hwnd) const;
  /// True when the window and its parents are visible.
  bool VisibleDeep(HWND hwnd) const;
  /// Screen position of the window's client origin.
  Point ClientOrigin(HWND hwnd) const;
  /// The window's rectangle in screen pixels.
  Rect ScreenRect(HWND hwnd) const;
  /// True when the window can become the active window.
  bool Activatable(HWND hwnd) const;
  /// Direct children, first created first.
  std::vector<HWND> ChildrenOf(HWND hwnd) const;
  /// Top-level windows owned directly by `hwnd`, front first.
  std::vector<HWND> OwnedBy(HWND hwnd) const;
  /// Puts the window in front of its band, then its owned windows in front of it; returns all moved, back first.
  std::vector<HWND> Raise(HWND hwnd);
  /// Puts the window behind all others of its band.
  void Lower(HWND hwnd);
  /// Puts the window right behind `sibling`.
  void PlaceBehind(HWND hwnd, HWND sibling);
  /// The deepest visible window at a screen point, skipping click-through windows.
  HWND HitTest(Point screen) const;
  /// True when a screen point lies in a top-level window's rectangle and, with a round region, inside it.
  static bool InsideRegion(const WindowRecord& record, const Rect& screenRect, Point screen);
  /// The window to activate when `leaving` stops being active: its owner, else the frontmost candidate.
  HWND NextToActivate(HWND leaving) const;
  /// The frontmost visible, enabled window owned (at any depth) by `hwnd`.
  HWND EnabledPopupOf(HWND hwnd) const;

 private:
  HWND ChildAt(HWND parent, Point screen) const;
  void InsertInBand(HWND hwnd);
};

}  // namespace ZephUI::Backend
