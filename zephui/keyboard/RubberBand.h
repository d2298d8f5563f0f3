// The rubber band of a keyboard picture: armed by a press, it follows the
// pointer in steps of at least 20 pixels, kept inside a limit rectangle
// (the picture), and selects what meets its area.
#pragma once

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Start point, current corner and state of a band selection.
class RubberBand {
 public:
  /// Arms the band at `point` (kept inside `limit`): start and corner there, not yet active.
  void Start(Point point, const Rect& limit);
  /// Disarms and deactivates the band.
  void Clear();
  /// True between a press that armed it and its end.
  bool Armed() const;
  /// True once the corner moved away from the start.
  bool Active() const;
  /// Moves the corner to `point` kept inside `limit`; false (no change) within 20 pixels of the corner both ways.
  bool Drag(Point point, const Rect& limit);
  /// The rectangle spanned by start and corner, as drawn.
  Rect Span() const;
  /// The selecting area: the span, or empty when it is less than 6 pixels wide or high.
  Rect Area() const;

 private:
  Point start_;
  Point corner_;
  bool armed_ = false;
  bool active_ = false;
};

}  // namespace ZephUI
