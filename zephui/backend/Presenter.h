// Window surfaces and their presentation: the surface is made at the client
// size on demand, and presenting hands the part that changed to the native
// window, which converts it (applying what a layered window asks for, or
// forcing opacity) straight into the image it shows. A hidden window gives
// its surface and shown images back until it is shown and composed again.
#pragma once

#include "backend/NativeWindow.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI::Backend {

/// Surface access and presentation.
class Presenter {
 public:
  /// A new reference to the window's surface, made at the client size when missing or outgrown; null for no window.
  static cairo_surface_t* SurfaceReference(HWND hwnd);
  /// Shows `damage` (client pixels; null: all) of the window's surface through its native window; on the owning thread.
  static bool Present(HWND hwnd, const Rect* damage);
  /// Frees what the native window keeps only to present quickly (a window that has stopped changing); on the owning thread.
  static void ReleaseSpare(HWND hwnd);
  /// Frees the surface and what was last presented of a window just hidden; its next paint composes it whole.
  static void Release(HWND hwnd);
};

}  // namespace ZephUI::Backend
