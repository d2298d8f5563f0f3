// The drawing surface of a window: one premultiplied ARGB32 cairo image
// surface of the client size, kept by the window system. Paint code composes
// the whole window in it and calls PresentWindow to show it in one copy.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

/// cairo's surface type, declared as cairo declares it so this header needs no cairo include.
typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI {

/// A counted reference to a window's surface; stays usable after the window is resized or destroyed.
class ZEPHUI_API WindowSurface {
 public:
  /// Takes a reference to the surface of `hwnd`, making it at the client size when needed; empty for no window.
  explicit WindowSurface(HWND hwnd);
  /// Drops the reference.
  ~WindowSurface();
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  /// True when a surface was obtained.
  bool IsValid() const { return surface_ != nullptr; }
  /// The cairo surface (CAIRO_FORMAT_ARGB32); null when empty.
  cairo_surface_t* Get() const { return surface_; }
  /// Width in pixels.
  int Width() const;
  /// Height in pixels.
  int Height() const;
  /// Pointer to the first pixel (flushes cairo first); call MarkDirty after writing.
  std::uint32_t* Pixels() const;
  /// Bytes per row.
  int Stride() const;
  /// Tells cairo that the pixels were written directly.
  void MarkDirty() const;

 private:
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace ZephUI
