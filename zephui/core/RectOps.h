// Rectangle helpers of the control tree (right and bottom exclusive).
#pragma once

#include <algorithm>

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::RectOps {

/// True when the rectangle covers no pixel.
inline bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

/// True when the two rectangles share a pixel.
inline bool Meet(const Rect& a, const Rect& b) {
  return !Empty(a) && !Empty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

/// The smallest rectangle covering both; an empty operand is ignored.
inline Rect Union(const Rect& a, const Rect& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

/// The common part; all zero when there is none.
inline Rect Intersect(const Rect& a, const Rect& b) {
  const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return Empty(r) ? Rect{} : r;
}

/// The rectangle moved by (dx, dy).
inline Rect Offset(const Rect& r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

/// True when the point lies inside.
inline bool Contains(const Rect& r, Point p) { return r.Contains(p.x, p.y); }

}  // namespace ZephUI::RectOps
