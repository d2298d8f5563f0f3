// Cursor handles and the pointer position.
#include "zephui/Cursor.h"

#include <utility>

#include "backend/NativeAccess.h"
#include "backend/WindowAccess.h"

namespace ZephUI {

HCURSOR LoadCursor(CursorType shape) {
  return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(shape) + 1);
}

CursorType GetCursorType(HCURSOR cursor) {
  const auto value = reinterpret_cast<std::uintptr_t>(cursor);
  if (value == 0 || value > static_cast<std::uintptr_t>(CursorType::No) + 1) return CursorType::Arrow;
  return static_cast<CursorType>(value - 1);
}

HCURSOR SetCursor(HCURSOR cursor) {
  const CursorType shape = GetCursorType(cursor);
  const auto [previous, window] = Backend::WithState([&](Backend::WindowState& state) {
    const HCURSOR before = std::exchange(state.cursor, cursor);
    Backend::WindowRecord* record = state.FindLocal(state.lastMoveWindow);
    if (record == nullptr || record->appliedCursor == shape) return std::pair<HCURSOR, HWND>(before, nullptr);
    record->appliedCursor = shape;
    return std::pair(before, record->hwnd);
  });
  // The window under the pointer shows the change at once, not at the next move.
  if (window != nullptr) Backend::NativeAccess::Apply(window, [shape](Backend::NativeWindow& w) { w.SetCursor(shape); });
  return previous;
}

HCURSOR GetCursor() {
  return Backend::WithState([](Backend::WindowState& state) { return state.cursor; });
}

bool GetCursorPos(Point& point) {
  point = Backend::WindowSystem::Get().Native().PointerPosition();
  return true;
}

}  // namespace ZephUI
