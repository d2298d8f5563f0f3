// The font text is drawn in: a face name, a size in pixels and a style.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "zephui/Export.h"

namespace ZephUI {

/// Style bits of a font; the values are the ones controls store (1 bold, 2 italic, 4 underline).
enum class FontStyle : std::uint32_t {
  Regular = 0x0,    ///< no style
  Bold = 0x1,       ///< heavy weight
  Italic = 0x2,     ///< slanted
  Underline = 0x4,  ///< underlined
};

/// Combines two styles.
constexpr FontStyle operator|(FontStyle a, FontStyle b) {
  return static_cast<FontStyle>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

/// True when every bit of `bit` is set in `style` (and `bit` is not empty).
constexpr bool HasStyle(FontStyle style, FontStyle bit) {
  const auto b = static_cast<std::uint32_t>(bit);
  return b != 0 && (static_cast<std::uint32_t>(style) & b) == b;
}

/// A face name (a registered private face or an installed family), a pixel size and a style.
class ZEPHUI_API Font {
 public:
  /// A font of the given face, size in pixels and style.
  Font(std::u16string face, int pixelSize, FontStyle style = FontStyle::Regular)
      : face_(std::move(face)), pixelSize_(pixelSize), style_(style) {}

  /// The global font face and default size (Manager), regular.
  static Font Default();

  /// The face name as given.
  const std::u16string& Face() const { return face_; }
  /// The size in pixels.
  int PixelSize() const { return pixelSize_; }
  /// The style bits.
  FontStyle Style() const { return style_; }

  /// Equal when face, size and style are.
  bool operator==(const Font&) const = default;

 private:
  std::u16string face_;
  int pixelSize_;
  FontStyle style_;
};

}  // namespace ZephUI
