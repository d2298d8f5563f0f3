// Position, size and coordinate conversion.
#include "backend/Messenger.h"
#include "backend/RectMath.h"
#include "backend/WindowAccess.h"
#include "backend/WindowPlacement.h"
#include "zephui/Window.h"

namespace ZephUI {

using Backend::WindowState;
using Backend::WithState;

namespace {

// The screen position of the client origin, if the window lives.
std::optional<Point> Origin(HWND hwnd) {
  return WithState([hwnd](WindowState& state) -> std::optional<Point> {
    if (state.FindLocal(hwnd) == nullptr) return std::nullopt;
    return state.ClientOrigin(hwnd);
  });
}

}  // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags) {
  return Backend::Messenger::RunOnOwner(hwnd, [=] {
    return Backend::WindowPlacement::SetPos(hwnd, insertAfter, x, y, width, height, flags) ? 1 : 0;
  }) != 0;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool GetWindowRect(HWND hwnd, Rect& rect) {
  return WithState([&](WindowState& state) {
    if (state.FindLocal(hwnd) == nullptr) return false;
    rect = state.ScreenRect(hwnd);
    return true;
  });
}

bool GetClientRect(HWND hwnd, Rect& rect) {
  return Backend::WithWindow<bool>(hwnd, false, [&rect](Backend::WindowRecord& r) {
    rect = r.ClientRect();
    return true;
  });
}

bool ClientToScreen(HWND hwnd, Point& point) {
  const auto origin = Origin(hwnd);
  if (!origin) return false;
  point = Point{point.x + origin->x, point.y + origin->y};
  return true;
}

bool ScreenToClient(HWND hwnd, Point& point) {
  const auto origin = Origin(hwnd);
  if (!origin) return false;
  point = Point{point.x - origin->x, point.y - origin->y};
  return true;
}

bool ClientToScreen(HWND hwnd, Rect& rect) {
  const auto origin = Origin(hwnd);
  if (!origin) return false;
  rect = Backend::Offset(rect, origin->x, origin->y);
  return true;
}

bool ScreenToClient(HWND hwnd, Rect& rect) {
  const auto origin = Origin(hwnd);
  if (!origin) return false;
  rect = Backend::Offset(rect, -origin->x, -origin->y);
  return true;
}

Rect GetScreenRect() { return Backend::WindowSystem::Get().Native().ScreenRect(); }

Rect GetWorkArea() { return Backend::WindowSystem::Get().Native().WorkArea(); }

bool IsCompositionEnabled() { return Backend::WindowSystem::Get().Native().Compositing(); }

}  // namespace ZephUI
