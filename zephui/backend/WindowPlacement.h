// Showing, hiding, minimising, maximising, moving and sizing windows, and the
// interactive move started by a press on the caption.
#pragma once

#include <cstdint>

#include "backend/NativeWindow.h"
#include "backend/WindowState.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Whether a core-run move goes on after this pointer event.
enum class MoveStep { Follow, Finish };

/// Placement of windows; every function runs on the owning thread.
class WindowPlacement {
 public:
  /// ShowWindow; returns whether the window was visible before.
  static bool Show(HWND hwnd, int command);
  /// SetWindowPos.
  static bool SetPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags);
  /// Takes the rectangle the window manager gave the window (screen pixels).
  static void AcceptNativeGeometry(HWND hwnd, const Rect& screen);
  /// Takes a minimise (Minimized) or restore (Shown) done by the window manager.
  static void AcceptNativeShow(HWND hwnd, NativeShow state);
  /// Starts moving the top-level window with the pointer, which is down at `screen`.
  static void BeginMove(HWND hwnd, Point screen);
  /// Moves the window of the core-run move to follow the pointer; Finish also ends the move.
  static void ContinueMove(Point screen, MoveStep step);

 private:
  static void ShowIfHidden(HWND hwnd);
  static bool Hide(HWND hwnd);
  static void Minimize(HWND hwnd);
  static void Unminimize(HWND hwnd);
  static void Maximize(HWND hwnd);
  static void Restore(HWND hwnd);
  static void ActivateShown(HWND hwnd);
  static void ApplyZOrder(HWND hwnd, HWND insertAfter);
  static void SendPositionChanged(HWND hwnd, const Rect& before, std::uint32_t flags);
  static Rect ClampedSize(HWND hwnd, Rect rect);
  static bool StartMoving(const MoveLoop& loop, Point screen);
};

}  // namespace ZephUI::Backend
