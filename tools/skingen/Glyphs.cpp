#include "Glyphs.h"

#include <cmath>

namespace skingen {

void DrawGlyph(cairo_t* cr, GlyphFn fn, double x, double y, double size, Rgb color, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, size / 24.0, size / 24.0);
  cairo_set_line_width(cr, 2.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, color, alpha);
  fn(cr);
  cairo_restore(cr);
}

namespace glyph {
namespace {

void Poly(cairo_t* cr, std::initializer_list<double> xy, bool close) {
  const double* p = xy.begin();
  cairo_move_to(cr, p[0], p[1]);
  for (std::size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
  if (close) cairo_close_path(cr);
}

void Speaker(cairo_t* cr) {
  Poly(cr, {2.5, 9, 6.5, 9, 11.5, 4.5, 11.5, 19.5, 6.5, 15, 2.5, 15}, true);
  cairo_fill(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
}

}  // namespace

void Close(cairo_t* cr) {
  Line(cr, 7, 7, 17, 17);
  Line(cr, 17, 7, 7, 17);
}

void Minimise(cairo_t* cr) { Line(cr, 7, 13, 17, 13); }

void Globe(cairo_t* cr) {
  cairo_set_line_width(cr, 1.6);
  Circle(cr, 12, 12, 8);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, 12, 12);
  cairo_scale(cr, 0.42, 1);
  Circle(cr, 0, 0, 8);
  cairo_restore(cr);
  cairo_stroke(cr);
  Line(cr, 4, 12, 20, 12);
  Line(cr, 5.5, 8, 18.5, 8);
  Line(cr, 5.5, 16, 18.5, 16);
}

void Home(cairo_t* cr) {
  Poly(cr, {3.5, 12, 12, 4, 20.5, 12}, false);
  cairo_stroke(cr);
  Poly(cr, {6.5, 10.5, 6.5, 20, 17.5, 20, 17.5, 10.5}, false);
  cairo_stroke(cr);
  Poly(cr, {10.2, 20, 10.2, 15, 13.8, 15, 13.8, 20}, false);
  cairo_stroke(cr);
}

void Keyboard(cairo_t* cr) {
  RoundRect(cr, 2, 6, 20, 12.5, 2);
  cairo_stroke(cr);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 5; ++col) {
      cairo_rectangle(cr, 4.6 + col * 3.3, 8.6 + row * 3.2, 1.8, 1.8);
    }
  }
  cairo_fill(cr);
  Line(cr, 7.5, 15.6, 16.5, 15.6);
}

void Macro(cairo_t* cr) {
  Line(cr, 3.5, 6, 15, 6);
  Line(cr, 3.5, 11, 12, 11);
  Line(cr, 3.5, 16, 9, 16);
  Poly(cr, {13.5, 12.5, 13.5, 21.5, 21, 17}, true);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

void Light(cairo_t* cr) {
  Circle(cr, 12, 12, 4);
  cairo_fill(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    Line(cr, 12 + 7 * std::cos(a), 12 + 7 * std::sin(a), 12 + 9.5 * std::cos(a), 12 + 9.5 * std::sin(a));
  }
}

void Gear(cairo_t* cr) {
  constexpr int kTeeth = 8;
  const double outer = 10, inner = 7.4;
  cairo_new_path(cr);
  for (int i = 0; i < kTeeth; ++i) {
    const double a = i * 2 * M_PI / kTeeth;
    const double half = M_PI / kTeeth;
    // Each tooth: a flat top over a quarter of the pitch, sloped flanks.
    const double pts[4][2] = {{inner, a - half * 0.75}, {outer, a - half * 0.38}, {outer, a + half * 0.38},
                              {inner, a + half * 0.75}};
    for (const auto& p : pts) {
      const double x = 12 + p[0] * std::cos(p[1]), y = 12 + p[0] * std::sin(p[1]);
      if (i == 0 && &p == &pts[0]) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
  }
  cairo_close_path(cr);
  Circle(cr, 12, 12, 3.2);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
}

void Monitor(cairo_t* cr) {
  RoundRect(cr, 3, 4, 18, 12, 1.5);
  cairo_stroke(cr);
  Line(cr, 12, 16.5, 12, 19.5);
  Line(cr, 8, 20, 16, 20);
}

void Calculator(cairo_t* cr) {
  RoundRect(cr, 5, 2.5, 14, 19, 2);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_rectangle(cr, 8, 5.5, 8, 3.5);
  cairo_stroke(cr);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      cairo_rectangle(cr, 7.6 + col * 3.2, 11 + row * 3.1, 2, 2);
    }
  }
  cairo_fill(cr);
}

void Mail(cairo_t* cr) {
  RoundRect(cr, 3, 6, 18, 12, 1.5);
  cairo_stroke(cr);
  Poly(cr, {3.5, 7, 12, 13.5, 20.5, 7}, false);
  cairo_stroke(cr);
}

void MusicNote(cairo_t* cr) {
  const double heads[2][2] = {{7.5, 18}, {16.5, 16}};
  for (const auto& head : heads) {
    cairo_save(cr);
    cairo_translate(cr, head[0], head[1]);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, 3.2, 2.4);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    cairo_fill(cr);
  }
  Line(cr, 10.4, 17.5, 10.4, 6);
  Line(cr, 19.4, 15.5, 19.4, 4);
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Line(cr, 9.4, 6.2, 20.4, 3.6);
}

void PlayPause(cairo_t* cr) {
  Poly(cr, {3, 6, 3, 18, 11.5, 12}, true);
  cairo_fill(cr);
  cairo_rectangle(cr, 14, 6, 2.6, 12);
  cairo_rectangle(cr, 18.6, 6, 2.6, 12);
  cairo_fill(cr);
}

void Stop(cairo_t* cr) {
  RoundRect(cr, 6, 6, 12, 12, 1.5);
  cairo_fill(cr);
}

void Previous(cairo_t* cr) {
  cairo_rectangle(cr, 3.5, 6, 2.4, 12);
  Poly(cr, {13, 6, 13, 18, 6.5, 12}, true);
  Poly(cr, {20.5, 6, 20.5, 18, 14, 12}, true);
  cairo_fill(cr);
}

void Next(cairo_t* cr) {
  cairo_rectangle(cr, 18.1, 6, 2.4, 12);
  Poly(cr, {11, 6, 11, 18, 17.5, 12}, true);
  Poly(cr, {3.5, 6, 3.5, 18, 10, 12}, true);
  cairo_fill(cr);
}

void VolumeDown(cairo_t* cr) {
  Speaker(cr);
  Line(cr, 15, 12, 21, 12);
}

void VolumeUp(cairo_t* cr) {
  Speaker(cr);
  Line(cr, 15, 12, 21, 12);
  Line(cr, 18, 9, 18, 15);
}

void VolumeMute(cairo_t* cr) {
  Speaker(cr);
  Line(cr, 15, 9, 21, 15);
  Line(cr, 21, 9, 15, 15);
}

void Refresh(cairo_t* cr) {
  // An almost closed clockwise arc whose arrowhead points into the gap.
  const double r = 7.5, start = -M_PI / 2 + 0.75, end = start + 1.62 * M_PI;
  cairo_new_sub_path(cr);
  cairo_arc(cr, 12, 12, r, start, end);
  cairo_stroke(cr);
  const double ex = 12 + r * std::cos(end), ey = 12 + r * std::sin(end);
  const double tx = -std::sin(end), ty = std::cos(end);  // direction of travel
  const double nx = std::cos(end), ny = std::sin(end);   // outward
  Poly(cr, {ex + 4 * tx, ey + 4 * ty, ex - 1 * tx + 3.6 * nx, ey - 1 * ty + 3.6 * ny, ex - 1 * tx - 3.6 * nx,
            ey - 1 * ty - 3.6 * ny},
       true);
  cairo_fill(cr);
}

void StopLoading(cairo_t* cr) {
  Circle(cr, 12, 12, 8.5);
  cairo_stroke(cr);
  Line(cr, 9, 9, 15, 15);
  Line(cr, 15, 9, 9, 15);
}

void Back(cairo_t* cr) {
  Line(cr, 19.5, 12, 5, 12);
  Poly(cr, {11, 6, 5, 12, 11, 18}, false);
  cairo_stroke(cr);
}

void Forward(cairo_t* cr) {
  Line(cr, 4.5, 12, 19, 12);
  Poly(cr, {13, 6, 19, 12, 13, 18}, false);
  cairo_stroke(cr);
}

void Star(cairo_t* cr) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? 9.5 : 4.2;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double x = 12 + r * std::cos(a), y = 12.8 + r * std::sin(a);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

void Search(cairo_t* cr) {
  Circle(cr, 10, 10, 6);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.6);
  Line(cr, 14.5, 14.5, 20, 20);
}

void Plus(cairo_t* cr) {
  Line(cr, 12, 5, 12, 19);
  Line(cr, 5, 12, 19, 12);
}

void Trash(cairo_t* cr) {
  Line(cr, 4.5, 7, 19.5, 7);
  Poly(cr, {9.5, 7, 9.5, 4.5, 14.5, 4.5, 14.5, 7}, false);
  cairo_stroke(cr);
  Poly(cr, {6.5, 7, 7.5, 20, 16.5, 20, 17.5, 7}, false);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  Line(cr, 10.3, 10.5, 10.3, 16.5);
  Line(cr, 13.7, 10.5, 13.7, 16.5);
}

void Pencil(cairo_t* cr) {
  Poly(cr, {15.5, 4.5, 19.5, 8.5, 9, 19, 4.5, 19.5, 5, 15}, true);
  cairo_stroke(cr);
  Line(cr, 13, 7, 17, 11);
}

void Import(cairo_t* cr) {
  Poly(cr, {4, 14, 4, 20, 20, 20, 20, 14}, false);
  cairo_stroke(cr);
  Line(cr, 12, 3.5, 12, 15);
  Poly(cr, {7.5, 10.5, 12, 15, 16.5, 10.5}, false);
  cairo_stroke(cr);
}

void Export(cairo_t* cr) {
  Poly(cr, {4, 14, 4, 20, 20, 20, 20, 14}, false);
  cairo_stroke(cr);
  Line(cr, 12, 15, 12, 3.5);
  Poly(cr, {7.5, 8, 12, 3.5, 16.5, 8}, false);
  cairo_stroke(cr);
}

void Folder(cairo_t* cr) {
  Poly(cr, {3, 6, 9.5, 6, 11.5, 8.5, 21, 8.5, 21, 19, 3, 19}, true);
  cairo_stroke(cr);
}

void Clock(cairo_t* cr) {
  Circle(cr, 12, 12, 8.5);
  cairo_stroke(cr);
  Poly(cr, {12, 7, 12, 12, 15.5, 14.5}, false);
  cairo_stroke(cr);
}

void ArrowUp(cairo_t* cr) {
  Line(cr, 12, 19.5, 12, 5);
  Poly(cr, {6, 11, 12, 5, 18, 11}, false);
  cairo_stroke(cr);
}

void ArrowDown(cairo_t* cr) {
  Line(cr, 12, 4.5, 12, 19);
  Poly(cr, {6, 13, 12, 19, 18, 13}, false);
  cairo_stroke(cr);
}

void ArrowLeft(cairo_t* cr) { Back(cr); }
void ArrowRight(cairo_t* cr) { Forward(cr); }

void ChevronDown(cairo_t* cr) {
  Poly(cr, {6.5, 9.5, 12, 15, 17.5, 9.5}, false);
  cairo_stroke(cr);
}

void Tick(cairo_t* cr) {
  cairo_set_line_width(cr, 3);
  Poly(cr, {5, 12.5, 10, 17.5, 19, 7}, false);
  cairo_stroke(cr);
}

void Usb(cairo_t* cr) {
  Line(cr, 12, 20, 12, 5);
  Poly(cr, {9, 6.5, 12, 2, 15, 6.5}, true);
  cairo_fill(cr);
  Poly(cr, {12, 16, 6.5, 12.5, 6.5, 10}, false);
  cairo_stroke(cr);
  Circle(cr, 6.5, 8.8, 1.9);
  cairo_fill(cr);
  Poly(cr, {12, 14, 17.5, 10.5, 17.5, 9}, false);
  cairo_stroke(cr);
  cairo_rectangle(cr, 15.6, 5.6, 3.8, 3.8);
  cairo_fill(cr);
  Circle(cr, 12, 20, 2.4);
  cairo_fill(cr);
}

void Bolt(cairo_t* cr) {
  Poly(cr, {14, 1.5, 4.5, 13.5, 11, 13.5, 9, 22.5, 19.5, 9.5, 13, 9.5}, true);
  cairo_fill(cr);
}

void Keycap(cairo_t* cr) {
  // A keycap seen from the front and above: a darker skirt, a light top.
  cairo_save(cr);
  RoundRect(cr, 2, 2, 20, 17.5, 4);
  cairo_set_source_rgb(cr, 0x4A / 255.0, 0x50 / 255.0, 0x58 / 255.0);
  cairo_fill(cr);
  cairo_restore(cr);
  RoundRect(cr, 5, 3.2, 14, 12.3, 3);
  cairo_fill(cr);
}

}  // namespace glyph
}  // namespace skingen
