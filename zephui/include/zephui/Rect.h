// Rectangles in client pixels: signed 32-bit edges, right and bottom exclusive.
#pragma once

#include <cstdint>

namespace ZephUI {

/// A rectangle; right and bottom are exclusive.
struct Rect {
  std::int32_t left = 0;    ///< left edge
  std::int32_t top = 0;     ///< top edge
  std::int32_t right = 0;   ///< right edge, exclusive
  std::int32_t bottom = 0;  ///< bottom edge, exclusive

  /// Width; negative for an inverted rectangle.
  constexpr std::int32_t Width() const { return right - left; }
  /// Height; negative for an inverted rectangle.
  constexpr std::int32_t Height() const { return bottom - top; }
  /// True when the point lies inside.
  constexpr bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  /// Equal when every edge is.
  constexpr bool operator==(const Rect&) const = default;
};

}  // namespace ZephUI
