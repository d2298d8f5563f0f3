// Measuring and drawing text with Pango through the cached layouts.
#pragma once

#include <cairo.h>

#include <string_view>

#include "zephui/Color.h"
#include "zephui/Font.h"
#include "zephui/Rect.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Text layout, measuring and drawing; safe to call from any thread.
class FontText {
 public:
  /// The logical size of `text` laid out with `format`; `width` bounds wrapping and ellipsis when positive.
  static Size Measure(const Font& font, TextFormat format, int width, std::u16string_view text);
  /// Draws `text` inside `rect` with the colour, font and placement flags.
  static void Draw(cairo_t* cr, const Rect& rect, std::u16string_view text, ArgbColor colour, const Font& font,
                   TextFormat format);
};

}  // namespace ZephUI
