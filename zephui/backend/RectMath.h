// Small rectangle operations the window system needs (right and bottom exclusive).
#pragma once

#include <algorithm>

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// True when the rectangle covers no pixel.
inline bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

/// The smallest rectangle covering both; an empty operand is ignored.
inline Rect Union(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

/// The common part; empty (all zero) when there is none.
inline Rect Intersect(const Rect& a, const Rect& b) {
  const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? Rect{} : r;
}

/// True when `outer` covers all of `inner`.
inline bool Covers(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

/// The rectangle moved by (dx, dy).
inline Rect Offset(const Rect& r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

/// An HWND carried in a message parameter.
inline LPARAM HandleParam(HWND hwnd) { return static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(hwnd)); }

}  // namespace ZephUI::Backend
