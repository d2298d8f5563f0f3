// Where a balloon tip goes: its window around the anchor for each type, and
// inside the window the bubble, the arrow pointing at the anchor and the text.
#pragma once

#include "zephui/Rect.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Which arrow picture points at the anchor.
enum class BalloonArrow { None, Left, Right, Top };

/// The parts of a balloon window, in its client pixels.
struct BalloonParts {
  BalloonArrow arrow = BalloonArrow::None;  ///< the arrow drawn
  Point arrowAt;                            ///< top-left corner of the arrow picture
  Rect inner;                               ///< the client area less the arrow's band
};

/// The balloon geometry rules.
class AirBladderLayout {
 public:
  AirBladderLayout() = delete;
  /// The window rectangle for `type` around the anchor (x, y) holding a w x h text block; empty for unknown types.
  static Rect WindowRect(int type, int x, int y, int w, int h);
  /// The arrow that points at the anchor for `type`.
  static BalloonArrow ArrowFor(int type);
  /// The arrow and the bubble for `type` in a client area of `client`, with an arrow picture of `arrow` size.
  static BalloonParts Parts(int type, Size client, Size arrow);
  /// The text rectangle in the bubble for `lines` lines of `lineHeight` pixels.
  static Rect TextRect(const Rect& inner, int lines, int lineHeight);
};

}  // namespace ZephUI
