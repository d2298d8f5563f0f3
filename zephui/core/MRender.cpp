#include "zephui/MRender.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/FontText.h"
#include "core/ImageBmpWriter.h"
#include "core/ImageDecoder.h"
#include "core/RenderCairo.h"
#include "core/RenderImagePattern.h"
#include "core/RenderTransition.h"

namespace ZephUI {
namespace {

void SetColour(cairo_t* cr, ArgbColor colour) {
  cairo_set_source_rgba(cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, colour.Alpha() / 255.0);
}

void FillRect(cairo_t* cr, const Rect& rect, ArgbColor colour) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  cairo_save(cr);
  SetColour(cr, colour);
  cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_fill(cr);
  cairo_restore(cr);
}

cairo_operator_t OperatorFor(BlitMode mode) {
  return mode == BlitMode::Copy ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER;
}

void CopySurface(cairo_t* cr, cairo_surface_t* source, const Rect& destRect, int srcX, int srcY, BlitMode mode) {
  if (destRect.Width() <= 0 || destRect.Height() <= 0) return;
  cairo_save(cr);
  cairo_rectangle(cr, destRect.left, destRect.top, destRect.Width(), destRect.Height());
  cairo_clip(cr);
  cairo_set_operator(cr, OperatorFor(mode));
  cairo_set_source_surface(cr, source, destRect.left - srcX, destRect.top - srcY);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
}

// Band `step` of `steps`: the first band is `from`, the last exactly `to`.
GdiColor Blend(GdiColor from, GdiColor to, int step, int steps) {
  const double share = steps > 1 ? static_cast<double>(step) / (steps - 1) : 0.0;
  const auto mix = [share](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * share));
  };
  return GdiColor::FromRgb(mix(from.Red(), to.Red()), mix(from.Green(), to.Green()), mix(from.Blue(), to.Blue()));
}

// One quarter of an ellipse around (cx, cy), clockwise from `fromAngle`.
void AddCorner(cairo_t* cr, double cx, double cy, double rx, double ry, double fromAngle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, fromAngle, fromAngle + std::numbers::pi / 2);
  cairo_restore(cr);
}

void AddRoundRect(cairo_t* cr, double x, double y, double w, double h, double rx, double ry) {
  const double pi = std::numbers::pi;
  cairo_new_sub_path(cr);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, x, y, w, h);
    return;
  }
  AddCorner(cr, x + w - rx, y + ry, rx, ry, -pi / 2);
  AddCorner(cr, x + w - rx, y + h - ry, rx, ry, 0);
  AddCorner(cr, x + rx, y + h - ry, rx, ry, pi / 2);
  AddCorner(cr, x + rx, y + ry, rx, ry, pi);
  cairo_close_path(cr);
}

int AlignOffset(int outer, int inner, bool centre, bool far) {
  if (centre) return (outer - inner) / 2;
  return far ? outer - inner : 0;
}

}  // namespace

std::unique_ptr<Image> MRender::LoadImageFromFile(const std::filesystem::path& path) {
  const auto bytes = ImageDecoder::ReadFile(path);
  return bytes ? ImageDecoder::Decode(*bytes, ImageDecoder::Kind::Picture) : nullptr;
}

std::unique_ptr<Image> MRender::LoadImageFromMemory(std::span<const std::uint8_t> bytes) {
  return ImageDecoder::Decode(bytes, ImageDecoder::Kind::Picture);
}

std::unique_ptr<Image> MRender::LoadIconFromFile(const std::filesystem::path& path) {
  const auto bytes = ImageDecoder::ReadFile(path);
  return bytes ? ImageDecoder::Decode(*bytes, ImageDecoder::Kind::Icon) : nullptr;
}

std::unique_ptr<Image> MRender::CreateARGB32Bitmap(int width, int height) { return Image::Create(width, height); }

bool MRender::SaveBitmapToFile(const Image& bitmap, const std::filesystem::path& path) {
  return ImageBmpWriter::Write(bitmap, path);
}

void MRender::BitBlt(RenderContext& dest, const Rect& destRect, const Image& source, int srcX, int srcY, BlitMode mode) {
  CopySurface(RenderCairo::Context(dest), RenderCairo::Surface(source), destRect, srcX, srcY, mode);
}

void MRender::BitBlt(RenderContext& dest, const Rect& destRect, RenderContext& source, int srcX, int srcY,
                     BlitMode mode) {
  source.Flush();
  CopySurface(RenderCairo::Context(dest), cairo_get_target(RenderCairo::Context(source)), destRect, srcX, srcY, mode);
}

void MRender::FillSolidRect(RenderContext& dest, const Rect& rect, GdiColor colour) {
  FillRect(RenderCairo::Context(dest), rect, ToArgb(colour));
}

void MRender::FillSolidRect(RenderContext& dest, int x, int y, int width, int height, GdiColor colour) {
  FillSolidRect(dest, Rect{x, y, x + width, y + height}, colour);
}

void MRender::DrawColor(RenderContext& dest, const Rect& rect, ArgbColor colour) {
  if (colour.Alpha() == 0) return;
  FillRect(RenderCairo::Context(dest), rect, colour);
}

void MRender::DrawGradient(RenderContext& dest, const Rect& rect, GdiColor from, GdiColor to,
                           GradientDirection direction, int steps) {
  const bool horizontal = direction == GradientDirection::Horizontal;
  const int extent = horizontal ? rect.Width() : rect.Height();
  if (extent <= 0 || rect.Width() <= 0 || rect.Height() <= 0) return;
  const int bands = steps <= 0 || steps > extent ? extent : steps;
  cairo_t* cr = RenderCairo::Context(dest);
  for (int band = 0; band < bands; ++band) {
    const int start = band * extent / bands;
    const int end = (band + 1) * extent / bands;
    const Rect part = horizontal ? Rect{rect.left + start, rect.top, rect.left + end, rect.bottom}
                                 : Rect{rect.left, rect.top + start, rect.right, rect.top + end};
    FillRect(cr, part, ToArgb(Blend(from, to, band, bands)));
  }
}

void MRender::DrawRectangle(RenderContext& dest, const Rect& rect, ArgbColor pen, int penWidth) {
  if (penWidth <= 0 || rect.Width() <= 0 || rect.Height() <= 0) return;
  cairo_t* cr = RenderCairo::Context(dest);
  if (rect.Width() <= 2 * penWidth || rect.Height() <= 2 * penWidth) {
    FillRect(cr, rect, pen);
    return;
  }
  const double half = penWidth / 2.0;
  cairo_save(cr);
  SetColour(cr, pen);
  cairo_set_line_width(cr, penWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_rectangle(cr, rect.left + half, rect.top + half, rect.Width() - penWidth, rect.Height() - penWidth);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void MRender::DrawRoundRectange(RenderContext& dest, int x, int y, int width, int height, int radius, ArgbColor pen,
                                int penWidth, ShapeFill fill, ArgbColor fillColour) {
  if (width <= 0 || height <= 0) return;
  // The pen runs inside the box, so neighbouring outlines never overlap.
  const double half = std::max(penWidth, 0) / 2.0;
  const double w = std::max(width - 2 * half, 0.0);
  const double h = std::max(height - 2 * half, 0.0);
  const double rx = radius > 0 ? std::min(static_cast<double>(width) / radius / 2, w / 2) : 0;
  const double ry = radius > 0 ? std::min(static_cast<double>(height) / radius / 2, h / 2) : 0;
  cairo_t* cr = RenderCairo::Context(dest);
  cairo_save(cr);
  cairo_new_path(cr);
  AddRoundRect(cr, x + half, y + half, w, h, rx, ry);
  if (fill == ShapeFill::Filled) {
    SetColour(cr, fillColour);
    cairo_fill_preserve(cr);
  }
  if (penWidth > 0) {
    SetColour(cr, pen);
    cairo_set_line_width(cr, penWidth);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_restore(cr);
}

void MRender::DrawImage(RenderContext& dest, const Image& image, int x, int y) {
  DrawImage(dest, image, Rect{x, y, x + image.Width(), y + image.Height()},
            Rect{0, 0, image.Width(), image.Height()});
}

void MRender::DrawImage(RenderContext& dest, const Image& image, const Rect& destRect, const Rect& source,
                        std::uint8_t alpha) {
  if (alpha == 0) return;
  RenderImagePattern(image, source, destRect).Paint(RenderCairo::Context(dest), CAIRO_OPERATOR_OVER, alpha / 255.0);
}

void MRender::DrawImageFrame(RenderContext& dest, const Image& image, const Rect& destRect, int srcX, int srcY,
                             int srcWidth, int srcHeight, int corner) {
  DrawImageFrameMID(dest, image, destRect, srcX, srcY, srcWidth, srcHeight, corner, corner, corner, corner);
}

void MRender::DrawImageFrameMID(RenderContext& dest, const Image& image, const Rect& destRect, int srcX, int srcY,
                                int srcWidth, int srcHeight, int left, int top, int right, int bottom) {
  const int sx = srcX, sy = srcY, sr = srcX + srcWidth, sb = srcY + srcHeight;
  const int l = destRect.left, t = destRect.top, r = destRect.right, b = destRect.bottom;
  struct Piece {
    Rect source;
    Rect dest;
  };
  // Corners unscaled, edges and centre stretched, in the order skins are drawn with.
  const std::array<Piece, 9> pieces{{
      {{sx, sy, sx + left, sy + top}, {l, t, l + left, t + top}},
      {{sx, sy + top, sx + left, sb - bottom}, {l, t + top, l + left, b - bottom}},
      {{sx, sb - bottom, sx + left, sb}, {l, b - bottom, l + left, b}},
      {{sx + left, sy, sr - right, sy + top}, {l + left, t, r - right, t + top}},
      {{sr - right, sy, sr, sy + top}, {r - right, t, r, t + top}},
      {{sr - right, sy + top, sr, sb - bottom}, {r - right, t + top, r, b - bottom}},
      {{sr - right, sb - bottom, sr, sb}, {r - right, b - bottom, r, b}},
      {{sx + left, sb - bottom, sr - right, sb}, {l + left, b - bottom, r - right, b}},
      {{sx + left, sy + top, sr - right, sb - bottom}, {l + left, t + top, r - right, b - bottom}},
  }};
  for (const Piece& piece : pieces) DrawImage(dest, image, piece.dest, piece.source);
}

void MRender::DrawVerticalTransition(RenderContext& dest, const Image& source, const Rect& destRect,
                                     const Rect& sourceRect, int startPercent, int endPercent) {
  RenderTransition::Draw(RenderCairo::Context(dest), source, destRect, sourceRect, startPercent, endPercent,
                         RenderTransition::Lines::Rows);
}

void MRender::DrawHorizontalTransition(RenderContext& dest, const Image& source, const Rect& destRect,
                                       const Rect& sourceRect, int startPercent, int endPercent) {
  RenderTransition::Draw(RenderCairo::Context(dest), source, destRect, sourceRect, startPercent, endPercent,
                         RenderTransition::Lines::Columns);
}

void MRender::DrawRightBottomTransition(RenderContext& dest, const Rect& rect, int size, GdiColor colour) {
  if (size <= 0 || rect.Width() <= 0 || rect.Height() <= 0) return;
  cairo_t* cr = RenderCairo::Context(dest);
  cairo_pattern_t* fade = cairo_pattern_create_radial(rect.right, rect.bottom, 0, rect.right, rect.bottom, size);
  cairo_pattern_add_color_stop_rgba(fade, 0, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, 0);
  cairo_save(cr);
  cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_set_source(cr, fade);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(fade);
}

ArgbColor MRender::CheckAlphaColor(ArgbColor colour) {
  return (colour.Value() & 0x00FFFFFFu) == 0 ? ArgbColor(colour.Value() + 1) : colour;
}

GdiColor MRender::CheckAlphaColor(GdiColor colour) {
  return colour.Value() == 0 ? GdiColor(1) : colour;
}

void MRender::DrawTextW(RenderContext& dest, const Rect& rect, std::u16string_view text, ArgbColor colour,
                        const Font& font, TextFormat format) {
  FontText::Draw(RenderCairo::Context(dest), rect, text, colour, font, format);
}

Size MRender::GetTextBounds(const Font& font, std::u16string_view text) {
  return FontText::Measure(font, TextFormat::Left, 0, text);
}

Size MRender::GetTextBounds(const Font& font, TextFormat format, int width, std::u16string_view text) {
  return FontText::Measure(font, format, width, text);
}

Point MRender::GetOriginPoint(int outerWidth, int outerHeight, int innerWidth, int innerHeight, HAlign hAlign,
                              VAlign vAlign) {
  return Point{AlignOffset(outerWidth, innerWidth, hAlign == HAlign::Center, hAlign == HAlign::Right),
               AlignOffset(outerHeight, innerHeight, vAlign == VAlign::Center, vAlign == VAlign::Bottom)};
}

Point MRender::GetOriginPoint(const Rect& outer, int innerWidth, int innerHeight, HAlign hAlign, VAlign vAlign) {
  const Point offset = GetOriginPoint(outer.Width(), outer.Height(), innerWidth, innerHeight, hAlign, vAlign);
  return Point{outer.left + offset.x, outer.top + offset.y + 2};
}

}  // namespace ZephUI
