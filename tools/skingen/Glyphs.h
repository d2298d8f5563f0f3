// Vector icons drawn on a 24-unit square with a 2-unit round pen; the caller
// places and scales them, and chooses the colour by the frame's state.
#pragma once

#include "Draw.h"

namespace skingen {

using GlyphFn = void (*)(cairo_t* cr);

// Draws a glyph in the square (x, y, size) with the colour already chosen.
void DrawGlyph(cairo_t* cr, GlyphFn glyph, double x, double y, double size, Rgb color, double alpha = 1.0);

namespace glyph {
void Close(cairo_t* cr);
void Minimise(cairo_t* cr);
void Globe(cairo_t* cr);
void Home(cairo_t* cr);
void Keyboard(cairo_t* cr);
void Macro(cairo_t* cr);
void Light(cairo_t* cr);
void Gear(cairo_t* cr);
void Monitor(cairo_t* cr);
void Calculator(cairo_t* cr);
void Mail(cairo_t* cr);
void MusicNote(cairo_t* cr);
void PlayPause(cairo_t* cr);
void Stop(cairo_t* cr);
void Previous(cairo_t* cr);
void Next(cairo_t* cr);
void VolumeDown(cairo_t* cr);
void VolumeUp(cairo_t* cr);
void VolumeMute(cairo_t* cr);
void Refresh(cairo_t* cr);
void StopLoading(cairo_t* cr);
void Back(cairo_t* cr);
void Forward(cairo_t* cr);
void Star(cairo_t* cr);
void Search(cairo_t* cr);
void Plus(cairo_t* cr);
void Trash(cairo_t* cr);
void Pencil(cairo_t* cr);
void Import(cairo_t* cr);
void Export(cairo_t* cr);
void Folder(cairo_t* cr);
void Clock(cairo_t* cr);
void ArrowUp(cairo_t* cr);
void ArrowDown(cairo_t* cr);
void ArrowLeft(cairo_t* cr);
void ArrowRight(cairo_t* cr);
void ChevronDown(cairo_t* cr);
void Tick(cairo_t* cr);
void Usb(cairo_t* cr);
void Bolt(cairo_t* cr);
void Keycap(cairo_t* cr);
}  // namespace glyph

}  // namespace skingen
