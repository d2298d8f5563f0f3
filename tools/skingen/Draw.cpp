#include "Draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace skingen {

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Panel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill, Rgb line) {
  RoundRect(cr, x, y, w, h, r);
  SetColor(cr, fill);
  cairo_fill(cr);
  // Half-pixel inset puts the 1-px pen exactly on the pixel grid.
  RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, std::max(0.0, r - 0.5));
  SetColor(cr, line);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

bool WritePng(cairo_surface_t* surface, const std::string& path) {
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "skingen: cannot write %s: %s\n", path.c_str(), cairo_status_to_string(status));
    return false;
  }
  return true;
}

namespace {
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::string PngBytes(cairo_surface_t* surface) {
  std::string bytes;
  cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
  return bytes;
}

void UseLegendFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void PromptBackground(cairo_t* cr, int, double w, double h) {
  using namespace palette;
  Panel(cr, 0, 0, w, h, 6, kCaption, kLine);
  cairo_save(cr);
  RoundRect(cr, 0, 0, w, h, 6);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 0, w, 2);
  SetColor(cr, kAccent);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace skingen
