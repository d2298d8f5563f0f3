#include "controls/EditLayout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <string>

#include "core/FontContext.h"
#include "core/RenderCairo.h"
#include "zephui/Text.h"

namespace ZephUI {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

int Pixels(int pangoUnits) { return PANGO_PIXELS(pangoUnits); }

void SetSource(cairo_t* cr, ArgbColor colour) {
  cairo_set_source_rgba(cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0,
                        colour.Alpha() / 255.0);
}

// Pango colours are 16 bits a channel.
guint16 Channel(std::uint8_t value) { return static_cast<guint16>(value * 257); }

int Scaled(int pixels, double scale) { return std::max(static_cast<int>(pixels * scale + 0.5), 1); }

}  // namespace

struct EditLayout::Pango {
  ~Pango() {
    if (layout == nullptr) return;
    auto lock = FontContext::Instance().Lock();
    g_object_unref(layout);
  }
  PangoLayout* layout = nullptr;
};

EditLayout::EditLayout() : pango_(std::make_unique<Pango>()) {}

EditLayout::~EditLayout() = default;

// Splits the text into code points once, so that every later question is a lookup.
void EditLayout::Set(std::u16string_view text, const Font& font, char16_t mask, EditLines lines, int wrapWidth,
                     const std::vector<TextRun>& runs, double scale, ParagraphAlign align) {
  units_.clear();
  bytes_.clear();
  std::string shown;
  const std::string maskUtf8 = mask != 0 ? ToUtf8(std::u16string_view(&mask, 1)) : std::string();
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
    units_.push_back(static_cast<int>(i));
    bytes_.push_back(static_cast<int>(shown.size()));
    shown += mask != 0 ? maskUtf8 : ToUtf8(text.substr(i, width));
    i += width;
  }
  units_.push_back(static_cast<int>(text.size()));
  bytes_.push_back(static_cast<int>(shown.size()));

  auto lock = FontContext::Instance().Lock();
  FontContext& context = FontContext::Instance();
  if (pango_->layout == nullptr) pango_->layout = pango_layout_new(context.Context());
  PangoLayout* layout = pango_->layout;
  const std::string family = context.MappedFamily(font.Face()).value_or(ToUtf8(font.Face()));
  const FontContext::DescriptionPtr description =
      FontContext::Describe(family, Scaled(font.PixelSize(), scale), font.Style());
  pango_layout_set_font_description(layout, description.get());
  pango_layout_set_text(layout, shown.c_str(), static_cast<int>(shown.size()));
  pango_layout_set_single_paragraph_mode(layout, lines == EditLines::Single);
  const bool wraps = lines == EditLines::Multi && wrapWidth > 0;
  pango_layout_set_width(layout, wraps ? wrapWidth * PANGO_SCALE : -1);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  pango_layout_set_alignment(layout, align == ParagraphAlign::Centre  ? PANGO_ALIGN_CENTER
                                     : align == ParagraphAlign::Right ? PANGO_ALIGN_RIGHT
                                                                      : PANGO_ALIGN_LEFT);

  PangoAttrList* attributes = pango_attr_list_new();
  const auto add = [&](PangoAttribute* attribute, int from, int to) {
    attribute->start_index = static_cast<guint>(ByteOf(from));
    attribute->end_index = static_cast<guint>(ByteOf(to));
    pango_attr_list_insert(attributes, attribute);
  };
  if (HasStyle(font.Style(), FontStyle::Underline)) {
    add(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), 0, units_.back());
  }
  for (const TextRun& run : runs) {
    if (run.colour.Alpha() != 0) {
      add(pango_attr_foreground_new(Channel(run.colour.Red()), Channel(run.colour.Green()), Channel(run.colour.Blue())),
          run.from, run.to);
    }
    if (run.pixelSize > 0) {
      add(pango_attr_size_new_absolute(Scaled(run.pixelSize, scale) * PANGO_SCALE), run.from, run.to);
    }
    if (run.bold == RunWeight::Bold) add(pango_attr_weight_new(PANGO_WEIGHT_BOLD), run.from, run.to);
  }
  pango_layout_set_attributes(layout, attributes);
  pango_attr_list_unref(attributes);

  gint count = 0;
  const PangoLogAttr* logAttrs = pango_layout_get_log_attrs_readonly(layout, &count);
  cursorStop_.assign(units_.size(), 1);
  wordStart_.assign(units_.size(), 0);
  wordEnd_.assign(units_.size(), 0);
  for (std::size_t k = 0; k < units_.size() && k < static_cast<std::size_t>(count); ++k) {
    cursorStop_[k] = logAttrs[k].is_cursor_position ? 1 : 0;
    wordStart_[k] = logAttrs[k].is_word_start ? 1 : 0;
    wordEnd_[k] = logAttrs[k].is_word_end ? 1 : 0;
  }
  cursorStop_.front() = 1;
  cursorStop_.back() = 1;
}

Size EditLayout::Extent() const {
  if (pango_->layout == nullptr) return Size{};
  auto lock = FontContext::Instance().Lock();
  PangoRectangle logical{};
  pango_layout_get_pixel_extents(pango_->layout, nullptr, &logical);
  return Size{logical.width, logical.height};
}

Rect EditLayout::CaretRect(int index) const {
  if (pango_->layout == nullptr) return Rect{};
  auto lock = FontContext::Instance().Lock();
  PangoRectangle strong{};
  pango_layout_get_cursor_pos(pango_->layout, ByteOf(index), &strong, nullptr);
  const int x = Pixels(strong.x);
  const int y = Pixels(strong.y);
  return Rect{x, y, x + 1, y + std::max(Pixels(strong.height), 1)};
}

int EditLayout::IndexAt(Point point) const {
  if (pango_->layout == nullptr) return 0;
  int byte = 0;
  int trailing = 0;
  {
    auto lock = FontContext::Instance().Lock();
    pango_layout_xy_to_index(pango_->layout, point.x * PANGO_SCALE, point.y * PANGO_SCALE, &byte, &trailing);
  }
  return UnitAfterTrailing(byte, trailing);
}

int EditLayout::MoveVisually(int index, int direction) const {
  if (pango_->layout == nullptr) return index;
  int byte = 0;
  int trailing = 0;
  {
    auto lock = FontContext::Instance().Lock();
    pango_layout_move_cursor_visually(pango_->layout, TRUE, ByteOf(index), 0, direction, &byte, &trailing);
  }
  if (byte < 0 || byte == G_MAXINT) return index;  // already at that edge of the line
  return UnitAfterTrailing(byte, trailing);
}

int EditLayout::StepCharacter(int index, int direction) const {
  const int last = static_cast<int>(units_.size()) - 1;
  int point = PointOf(index);
  if (direction > 0) {
    do ++point; while (point < last && cursorStop_[static_cast<std::size_t>(point)] == 0);
  } else if (UnitOf(point) == index) {
    do --point; while (point > 0 && cursorStop_[static_cast<std::size_t>(point)] == 0);
  }
  return UnitOf(std::clamp(point, 0, last));
}

int EditLayout::StepWord(int index, int direction) const {
  const int last = static_cast<int>(units_.size()) - 1;
  int point = PointOf(index);
  if (direction > 0) {
    do ++point; while (point < last && wordStart_[static_cast<std::size_t>(point)] == 0);
  } else {
    do --point; while (point > 0 && wordStart_[static_cast<std::size_t>(point)] == 0);
  }
  return UnitOf(std::clamp(point, 0, last));
}

std::pair<int, int> EditLayout::WordAround(int index) const {
  const int last = static_cast<int>(units_.size()) - 1;
  int start = PointOf(index);
  int end = start;
  while (start > 0 && wordStart_[static_cast<std::size_t>(start)] == 0) --start;
  while (end < last && wordEnd_[static_cast<std::size_t>(end)] == 0) ++end;
  return {UnitOf(start), UnitOf(end)};
}

int EditLayout::LineEdge(int index, bool toEnd) const {
  if (pango_->layout == nullptr) return index;
  int byte = 0;
  {
    auto lock = FontContext::Instance().Lock();
    int line = 0;
    int x = 0;
    pango_layout_index_to_line_x(pango_->layout, ByteOf(index), FALSE, &line, &x);
    const PangoLayoutLine* row = pango_layout_get_line_readonly(pango_->layout, line);
    if (row == nullptr) return index;
    byte = row->start_index + (toEnd ? row->length : 0);
  }
  return UnitOfByte(byte);
}

int EditLayout::StepLine(int index, int direction) const {
  if (pango_->layout == nullptr) return index;
  int byte = 0;
  int trailing = 0;
  {
    auto lock = FontContext::Instance().Lock();
    int line = 0;
    int x = 0;
    pango_layout_index_to_line_x(pango_->layout, ByteOf(index), FALSE, &line, &x);
    const int target = line + direction;
    if (target < 0 || target >= pango_layout_get_line_count(pango_->layout)) return index;
    const PangoLayoutLine* row = pango_layout_get_line_readonly(pango_->layout, target);
    pango_layout_line_x_to_index(const_cast<PangoLayoutLine*>(row), x, &byte, &trailing);
  }
  return UnitAfterTrailing(byte, trailing);
}

std::vector<TextLine> EditLayout::Lines() const {
  std::vector<TextLine> lines;
  if (pango_->layout == nullptr) return lines;
  auto lock = FontContext::Instance().Lock();
  PangoLayoutIter* rows = pango_layout_get_iter(pango_->layout);
  do {
    const PangoLayoutLine* row = pango_layout_iter_get_line_readonly(rows);
    int top = 0;
    int bottom = 0;
    pango_layout_iter_get_line_yrange(rows, &top, &bottom);
    const int start = UnitOfByte(row->start_index);
    const int end = UnitOfByte(row->start_index + row->length);
    lines.push_back(TextLine{start, end - start, Pixels(top), Pixels(bottom) - Pixels(top)});
  } while (pango_layout_iter_next_line(rows));
  pango_layout_iter_free(rows);
  return lines;
}

void EditLayout::Draw(RenderContext& target, Point origin, ArgbColor ink, int from, int to,
                      ArgbColor selection) const {
  if (pango_->layout == nullptr) return;
  cairo_t* cr = RenderCairo::Context(target);
  auto lock = FontContext::Instance().Lock();
  cairo_save(cr);
  if (from < to && selection.Alpha() != 0) {
    SetSource(cr, selection);
    PangoLayoutIter* rows = pango_layout_get_iter(pango_->layout);
    do {
      int top = 0;
      int bottom = 0;
      pango_layout_iter_get_line_yrange(rows, &top, &bottom);
      PangoLayoutLine* row = pango_layout_iter_get_line_readonly(rows);
      int* ranges = nullptr;
      int count = 0;
      pango_layout_line_get_x_ranges(row, ByteOf(from), ByteOf(to), &ranges, &count);
      for (int i = 0; i < count; ++i) {
        cairo_rectangle(cr, origin.x + Pixels(ranges[2 * i]), origin.y + Pixels(top),
                        Pixels(ranges[2 * i + 1]) - Pixels(ranges[2 * i]), Pixels(bottom) - Pixels(top));
      }
      g_free(ranges);
    } while (pango_layout_iter_next_line(rows));
    pango_layout_iter_free(rows);
    cairo_fill(cr);
  }
  SetSource(cr, ink);
  cairo_move_to(cr, origin.x, origin.y);
  pango_cairo_show_layout(cr, pango_->layout);
  cairo_restore(cr);
}

int EditLayout::PointOf(int index) const {
  const auto it = std::upper_bound(units_.begin(), units_.end(), index);
  return std::max(static_cast<int>(it - units_.begin()) - 1, 0);
}

int EditLayout::UnitOf(int point) const {
  return units_[static_cast<std::size_t>(std::clamp(point, 0, static_cast<int>(units_.size()) - 1))];
}

int EditLayout::ByteOf(int index) const {
  return bytes_[static_cast<std::size_t>(PointOf(std::clamp(index, 0, units_.back())))];
}

int EditLayout::UnitOfByte(int byte) const {
  const auto it = std::upper_bound(bytes_.begin(), bytes_.end(), byte);
  return UnitOf(static_cast<int>(it - bytes_.begin()) - 1);
}

int EditLayout::UnitAfterTrailing(int byte, int trailing) const {
  const int last = static_cast<int>(units_.size()) - 1;
  const auto it = std::upper_bound(bytes_.begin(), bytes_.end(), byte);
  int point = static_cast<int>(it - bytes_.begin()) - 1 + std::max(trailing, 0);
  while (point < last && cursorStop_[static_cast<std::size_t>(point)] == 0) ++point;
  return UnitOf(std::clamp(point, 0, last));
}

}  // namespace ZephUI
