// Small rectangle operations the window system needs (right and bottom exclusive).
#pragma once

#include <cstdint>

#include "core/RectOps.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// True when the rectangle covers no pixel.
inline bool IsEmpty(const Rect& r) { return RectOps::Empty(r); }

using RectOps::Intersect;
using RectOps::Offset;
using RectOps::Union;

/// True when `outer` covers all of `inner`.
inline bool Covers(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

/// An HWND carried in a message parameter.
inline LPARAM HandleParam(HWND hwnd) { return static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(hwnd)); }

}  // namespace ZephUI::Backend
