// Small drawing vocabulary shared by every skin picture: the palette, the
// state of a frame in a strip, and cairo shorthands.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace skingen {

struct Rgb {
  double r, g, b;
};

constexpr Rgb Hex(std::uint32_t rgb) {
  return Rgb{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// One dark theme: flat greys, a single accent (the library's select colour).
namespace palette {
constexpr Rgb kWindow = Hex(0x17191D);      // main background
constexpr Rgb kCaption = Hex(0x1D2025);     // caption bar, dialogs
constexpr Rgb kPanel = Hex(0x23262C);       // resting control face
constexpr Rgb kPanelHover = Hex(0x2C3037);  // hovered control face
constexpr Rgb kPanelOff = Hex(0x1D1F23);    // disabled control face
constexpr Rgb kField = Hex(0x121418);       // edit and combo wells
constexpr Rgb kLine = Hex(0x3A3F47);        // 1-px outlines
constexpr Rgb kLineOff = Hex(0x2A2D32);     // outlines of disabled controls
constexpr Rgb kGlyph = Hex(0xC8C8C8);       // icons at rest
constexpr Rgb kGlyphOff = Hex(0x5A5E64);    // icons of disabled controls
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kAccent = Hex(0x10A8FD);      // RGB 16, 168, 253
constexpr Rgb kAccentDeep = Hex(0x0B84C8);  // accent while pressed
constexpr Rgb kAccentSoft = Hex(0x5CC4FE);  // accent lightened for hover on accent fills
constexpr Rgb kWait = Hex(0x333333);        // the wait dialog's back colour
}  // namespace palette

// Frame order of every strip the controls use.
enum class State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

inline State StateOfFrame(int frame) { return static_cast<State>(frame % 4); }

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills a rounded rectangle and strokes a crisp 1-px outline just inside it.
void Panel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill, Rgb line);
void Line(cairo_t* cr, double x0, double y0, double x1, double y1);
// A dialog panel with an accent edge along the top (message boxes, stretched as a nine-slice frame).
void PromptBackground(cairo_t* cr, int frame, double w, double h);

// Writes an image surface as PNG; false (with a message on stderr) on failure.
bool WritePng(cairo_surface_t* surface, const std::string& path);
// Encodes an image surface as PNG bytes.
std::string PngBytes(cairo_surface_t* surface);

// Text with the fonts the program ships (Liberation Sans stands in for Arial),
// unhinted so the pictures do not depend on the screen's settings.
void UseLegendFont(cairo_t* cr, double size, bool bold = false);

}  // namespace skingen
