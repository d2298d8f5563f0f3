#include "core/FontText.h"

#include <algorithm>

#include "core/FontContext.h"
#include "zephui/Text.h"

namespace ZephUI {
namespace {

constexpr TextFormat kEllipsis = TextFormat::EndEllipsis | TextFormat::WordEllipsis;

bool Ellipsized(TextFormat format) {
  return static_cast<std::uint32_t>(format & kEllipsis) != 0 && !HasFlag(format, TextFormat::WordBreak);
}

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

bool Wraps(TextFormat format) {
  return HasFlag(format, TextFormat::WordBreak) && !HasFlag(format, TextFormat::SingleLine);
}

// Only these flags change a layout; the rest is applied when it is drawn.
// Call with the font context's lock held.
FontLayoutKey MakeKey(const Font& font, TextFormat format, int width, std::u16string_view text) {
  FontContext& context = FontContext::Instance();
  const bool bounded = width > 0 && (Wraps(format) || Ellipsized(format));
  TextFormat layoutFlags = format & (TextFormat::SingleLine | TextFormat::WordBreak | kEllipsis);
  if (bounded) layoutFlags = layoutFlags | (format & (TextFormat::Center | TextFormat::Right));
  FontLayoutKey key;
  key.text = ToUtf8(text);
  // One line means line feeds are spaces, not glyphs of some fallback font that change the line height.
  if (HasFlag(format, TextFormat::SingleLine)) std::replace_if(key.text.begin(), key.text.end(), IsLineBreak, ' ');
  key.family = context.MappedFamily(font.Face()).value_or(ToUtf8(font.Face()));
  key.pixelSize = font.PixelSize();
  key.style = static_cast<std::uint32_t>(font.Style());
  key.width = bounded ? width : -1;
  key.format = static_cast<std::uint32_t>(layoutFlags);
  return key;
}

void ApplyUnderline(PangoLayout* layout, FontStyle style) {
  if (!HasStyle(style, FontStyle::Underline)) return;
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  pango_layout_set_attributes(layout, attributes);
  pango_attr_list_unref(attributes);
}

void ApplyBounds(PangoLayout* layout, const FontLayoutKey& key) {
  const auto format = static_cast<TextFormat>(key.format);
  pango_layout_set_single_paragraph_mode(layout, HasFlag(format, TextFormat::SingleLine));
  if (key.width <= 0) return;
  pango_layout_set_width(layout, key.width * PANGO_SCALE);
  if (Wraps(format)) pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  if (Ellipsized(format)) pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  if (HasFlag(format, TextFormat::Center)) pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  if (HasFlag(format, TextFormat::Right)) pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
}

FontLayoutStore::LayoutPtr MakeLayout(const FontLayoutKey& key) {
  FontLayoutStore::LayoutPtr layout(pango_layout_new(FontContext::Instance().Context()));
  const FontContext::DescriptionPtr description =
      FontContext::Describe(key.family, key.pixelSize, static_cast<FontStyle>(key.style));
  pango_layout_set_font_description(layout.get(), description.get());
  pango_layout_set_text(layout.get(), key.text.c_str(), static_cast<int>(key.text.size()));
  ApplyUnderline(layout.get(), static_cast<FontStyle>(key.style));
  ApplyBounds(layout.get(), key);
  return layout;
}

// Call with the font context's lock held.
PangoLayout* AcquireLayout(const FontLayoutKey& key) {
  FontLayoutStore& store = FontContext::Instance().Layouts();
  if (PangoLayout* cached = store.Find(key)) return cached;
  return store.Insert(key, MakeLayout(key));
}

int Offset(int outer, int inner, bool centre, bool far) {
  if (centre) return (outer - inner) / 2;
  return far ? outer - inner : 0;
}

}  // namespace

Size FontText::Measure(const Font& font, TextFormat format, int width, std::u16string_view text) {
  auto lock = FontContext::Instance().Lock();
  const FontLayoutKey key = MakeKey(font, format, width, text);
  PangoRectangle logical{};
  pango_layout_get_pixel_extents(AcquireLayout(key), nullptr, &logical);
  return Size{logical.width, logical.height};
}

void FontText::Draw(cairo_t* cr, const Rect& rect, std::u16string_view text, ArgbColor colour, const Font& font,
                    TextFormat format) {
  if (text.empty() || colour.Alpha() == 0) return;
  auto lock = FontContext::Instance().Lock();
  const FontLayoutKey key = MakeKey(font, format, rect.Width(), text);
  PangoLayout* layout = AcquireLayout(key);
  PangoRectangle logical{};
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  // A bounded layout aligns its own lines inside the width.
  const int x = key.width > 0 ? rect.left
                              : rect.left - logical.x + Offset(rect.Width(), logical.width, HasFlag(format, TextFormat::Center),
                                                               HasFlag(format, TextFormat::Right));
  const int y = rect.top - logical.y +
                Offset(rect.Height(), logical.height, HasFlag(format, TextFormat::VCenter), HasFlag(format, TextFormat::Bottom));
  cairo_save(cr);
  if (!HasFlag(format, TextFormat::NoClip)) {
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(cr);
  }
  cairo_set_source_rgba(cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, colour.Alpha() / 255.0);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

}  // namespace ZephUI
