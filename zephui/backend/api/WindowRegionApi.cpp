// Window regions: a top-level window clipped to a rounded rectangle, as
// popups and menus are, kept by the backend so the clip follows resizes.
#include <algorithm>

#include "backend/RoundRegion.h"
#include "backend/WindowAccess.h"
#include "zephui/Window.h"

namespace ZephUI {

namespace {

Backend::NativeBackend& Native() { return Backend::WindowSystem::Get().Native(); }

bool IsTopLevel(HWND hwnd) {
  return Backend::WithWindow<bool>(hwnd, false, [](Backend::WindowRecord& r) { return !r.IsChild(); });
}

}  // namespace

bool SetWindowRoundRegion(HWND hwnd, int diameter) {
  diameter = std::max(diameter, 0);
  // Kept in the record too, so pointer hit testing leaves the cut corners to the windows below.
  const bool topLevel = Backend::WithWindow<bool>(hwnd, false, [diameter](Backend::WindowRecord& r) {
    if (r.IsChild()) return false;
    r.regionDiameter = diameter;
    return true;
  });
  if (!topLevel) return false;
  Native().SetWindowRegion(hwnd, diameter);
  return true;
}

bool ClearWindowRegion(HWND hwnd) { return SetWindowRoundRegion(hwnd, 0); }

int GetWindowRoundRegion(HWND hwnd) { return IsTopLevel(hwnd) ? Native().WindowRegion(hwnd) : 0; }

bool WindowRegionContains(HWND hwnd, Point client) {
  Rect rect;
  if (!GetClientRect(hwnd, rect)) return false;
  const int diameter = GetWindowRoundRegion(hwnd);
  if (diameter == 0) return rect.Contains(client.x, client.y);
  return Backend::RoundRegion(rect.Width(), rect.Height(), diameter).Contains(client);
}

}  // namespace ZephUI
