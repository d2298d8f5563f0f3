// Window surfaces and their presentation: the surface is made at the client
// size on demand, and presenting copies it once into the image the backend
// shows, applying what a layered window asks for (or forcing opacity).
#pragma once

#include "backend/NativeWindow.h"
#include "backend/WindowRecord.h"
#include "zephui/WindowTypes.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI::Backend {

/// How a presented window treats the alpha of its surface.
enum class Transparency { Opaque, PerPixel };

/// Surface access and presentation.
class Presenter {
 public:
  /// A new reference to the window's surface, made at the client size when missing or outgrown; null for no window.
  static cairo_surface_t* SurfaceReference(HWND hwnd);
  /// Shows the window's surface through its native window; on the owning thread.
  static bool Present(HWND hwnd);
  /// The image to show for a surface.
  static PresentedImage Compose(cairo_surface_t* surface, Transparency transparency, const LayeredAttributes& attributes);
};

}  // namespace ZephUI::Backend
