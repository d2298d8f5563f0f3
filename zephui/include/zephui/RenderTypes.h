// Small value types shared by the drawing routines and the controls that call
// them. Points are the window system's (WindowTypes.h).
#pragma once

#include <cstdint>

#include "zephui/WindowTypes.h"

namespace ZephUI {

/// A width and a height in pixels.
struct Size {
  std::int32_t width = 0;   ///< horizontal extent
  std::int32_t height = 0;  ///< vertical extent

  /// Equal when both extents are.
  constexpr bool operator==(const Size&) const = default;
};

/// Horizontal alignment of an inner box; the values are the ones controls store.
enum class HAlign : std::int32_t {
  Left = 0,    ///< flush with the left edge
  Center = 1,  ///< centred
  Right = 2,   ///< flush with the right edge
};

/// Vertical alignment of an inner box; the values are the ones controls store.
enum class VAlign : std::int32_t {
  Top = 0,     ///< flush with the top edge
  Center = 4,  ///< centred
  Bottom = 8,  ///< flush with the bottom edge
};

/// Text placement and wrapping flags; the values follow the classic text-drawing flags.
enum class TextFormat : std::uint32_t {
  Left = 0x0,              ///< lines start at the left edge
  Top = 0x0,               ///< the block starts at the top edge
  Center = 0x1,            ///< lines centred horizontally
  Right = 0x2,             ///< lines end at the right edge
  VCenter = 0x4,           ///< the block centred vertically
  Bottom = 0x8,            ///< the block ends at the bottom edge
  WordBreak = 0x10,        ///< wrap at word boundaries to the rectangle's width
  SingleLine = 0x20,       ///< one line; line feeds do not break it
  NoClip = 0x100,          ///< draw outside the rectangle as well
  EndEllipsis = 0x8000,    ///< shorten a line that does not fit with a trailing ellipsis
  WordEllipsis = 0x40000,  ///< treated like EndEllipsis
};

/// Combines two text formats.
constexpr TextFormat operator|(TextFormat a, TextFormat b) {
  return static_cast<TextFormat>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

/// The flags present in both formats.
constexpr TextFormat operator&(TextFormat a, TextFormat b) {
  return static_cast<TextFormat>(static_cast<std::uint32_t>(a) & static_cast<std::uint32_t>(b));
}

/// True when every flag of `flag` is set in `format` (and `flag` is not empty).
constexpr bool HasFlag(TextFormat format, TextFormat flag) {
  return static_cast<std::uint32_t>(flag) != 0 && (format & flag) == flag;
}

/// Whether a shape is filled before its outline is drawn.
enum class ShapeFill {
  None,    ///< outline only
  Filled,  ///< fill with the fill colour, then the outline
};

/// Direction in which a gradient runs from its first to its second colour.
enum class GradientDirection {
  Horizontal,  ///< left to right
  Vertical,    ///< top to bottom
};

/// How copied pixels combine with the destination.
enum class BlitMode {
  Copy,   ///< replace the destination pixels, alpha included
  Blend,  ///< draw over the destination honouring the source alpha
};

}  // namespace ZephUI
