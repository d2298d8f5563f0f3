// The pixels of a drop shadow: a rounded rectangle whose edge fades out over
// the sharpness width, or a nine-slice picture.
#pragma once

#include <cstdint>

#include "zephui/Color.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/WindowSurface.h"

namespace ZephUI {

/// What a computed shadow looks like, in the shadow window's client pixels.
struct ShadowShape {
  Rect core;              ///< fully dark part: the dialog grown by the shadow size
  int radius = 0;         ///< corner radius of the core (the dialog's round region)
  int sharpness = 0;      ///< width over which the edge fades out
  int darkness = 0;       ///< peak alpha
  GdiColor colour;        ///< shadow colour
};

/// Draws shadows into a window surface (which it clears first).
class ShadowPicture {
 public:
  ShadowPicture() = delete;
  /// Fills the surface with the soft shadow of `shape`.
  static void DrawSoft(const WindowSurface& surface, const ShadowShape& shape);
  /// Stretches `image` over the surface as a nine-slice frame with the borders of `corner`.
  static void DrawImage(const WindowSurface& surface, const Image& image, const Rect& corner);
  /// The alpha at distance `distance` outside the core (0 or less: inside).
  static std::uint8_t Falloff(double distance, int sharpness, int darkness);
};

}  // namespace ZephUI
