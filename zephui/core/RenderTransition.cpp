#include "core/RenderTransition.h"

#include <algorithm>

#include "core/RenderCairo.h"
#include "core/RenderImagePattern.h"

namespace ZephUI {
namespace {

// One alpha byte per line, as a 1-pixel-thin A8 surface that is stretched across the other direction.
RenderCairo::SurfacePtr MakeMask(const std::vector<std::uint8_t>& alphas, RenderTransition::Lines lines) {
  const int count = static_cast<int>(alphas.size());
  const bool rows = lines == RenderTransition::Lines::Rows;
  RenderCairo::SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, rows ? 1 : count, rows ? count : 1));
  if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(mask.get());
  unsigned char* data = cairo_image_surface_get_data(mask.get());
  const int stride = cairo_image_surface_get_stride(mask.get());
  for (int i = 0; i < count; ++i) {
    data[rows ? i * stride : i] = alphas[static_cast<std::size_t>(i)];
  }
  cairo_surface_mark_dirty(mask.get());
  return mask;
}

}  // namespace

std::vector<std::uint8_t> RenderTransition::LineAlphas(int count, int startPercent, int endPercent) {
  const int a = std::clamp(startPercent, 0, 100);
  const int b = std::clamp(endPercent, 0, 100);
  const int e = 255 - std::min(a, b) * 255 / 100;
  const int f = (100 - std::max(a, b)) * 255 / 100;
  const double g = count > 0 ? static_cast<double>(e - f) / count : 0.0;
  std::vector<std::uint8_t> alphas;
  alphas.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    const double alpha = a < b ? e - i * g : f + i * g;
    alphas.push_back(static_cast<std::uint8_t>(std::clamp(static_cast<int>(alpha), 0, 255)));
  }
  return alphas;
}

namespace {

// Paints the current source over `destRect` (already the clip), masked line by line.
void PaintMasked(cairo_t* cr, const Rect& destRect, int startPercent, int endPercent, RenderTransition::Lines lines) {
  const int count = lines == RenderTransition::Lines::Rows ? destRect.Height() : destRect.Width();
  const RenderCairo::SurfacePtr mask = MakeMask(RenderTransition::LineAlphas(count, startPercent, endPercent), lines);
  if (!mask) return;
  cairo_pattern_t* maskPattern = cairo_pattern_create_for_surface(mask.get());
  cairo_pattern_set_extend(maskPattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(maskPattern, CAIRO_FILTER_NEAREST);
  cairo_matrix_t matrix;
  cairo_matrix_init_translate(&matrix, -destRect.left, -destRect.top);
  cairo_pattern_set_matrix(maskPattern, &matrix);
  cairo_mask(cr, maskPattern);
  cairo_pattern_destroy(maskPattern);
}

}  // namespace

void RenderTransition::Draw(cairo_t* cr, const Image& source, const Rect& destRect, const Rect& sourceRect,
                            int startPercent, int endPercent, Lines lines) {
  const RenderImagePattern image(source, sourceRect, destRect);
  if (!image.Valid()) return;
  cairo_save(cr);
  image.AddArea(cr);
  cairo_clip(cr);
  cairo_set_source(cr, image.Pattern());
  PaintMasked(cr, destRect, startPercent, endPercent, lines);
  cairo_restore(cr);
}

void RenderTransition::DrawColour(cairo_t* cr, GdiColor colour, const Rect& destRect, int startPercent,
                                  int endPercent, Lines lines) {
  if (destRect.Width() <= 0 || destRect.Height() <= 0) return;
  cairo_save(cr);
  cairo_rectangle(cr, destRect.left, destRect.top, destRect.Width(), destRect.Height());
  cairo_clip(cr);
  cairo_set_source_rgb(cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0);
  PaintMasked(cr, destRect, startPercent, endPercent, lines);
  cairo_restore(cr);
}

}  // namespace ZephUI
