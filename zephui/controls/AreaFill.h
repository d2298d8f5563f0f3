// The fill of the area controls: one colour, opaque or fading across the
// control from one transparency to another, with an optional frame. Drawn
// straight over what lies under the area: a colour costs less to draw again
// than a cached picture of the window under it costs to keep.
#pragma once

#include "zephui/Color.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Colour, fade and frame of an area, and how they are drawn.
struct AreaFill {
  GdiColor colour{0xFFFFFF};                          ///< fill colour
  int startPercent = 80;                              ///< transparency at the first line, percent
  int endPercent = 80;                                ///< transparency at the last line, percent
  GradientDirection direction = GradientDirection::Vertical;  ///< lines are rows (vertical) or columns
  bool frame = false;                                 ///< a one-pixel frame around an opaque fill
  ArgbColor frameColour{0xFF050505};                  ///< frame colour

  /// Sets the fade from `start` to `end` percent transparency in `fillColour`.
  void SetTransparent(int start, int end, GdiColor fillColour) {
    startPercent = start;
    endPercent = end;
    colour = fillColour;
  }
  /// Turns the frame on or off in `lineColour`.
  void SetFrame(bool on, ArgbColor lineColour) {
    frame = on;
    frameColour = lineColour;
  }
  /// Draws the fill over `slot` of `target`, whose pixels hold what lies under the area.
  void Render(RenderContext& target, const Rect& slot) const;
};

}  // namespace ZephUI
