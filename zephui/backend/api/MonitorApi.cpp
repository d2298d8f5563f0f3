// Monitors: which one a point or a window belongs to, for placing and
// centring windows on the monitor the user looks at.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "backend/RectMath.h"
#include "backend/WindowAccess.h"
#include "zephui/Window.h"

namespace ZephUI {

namespace {

std::int64_t Area(const Rect& r) {
  return Backend::IsEmpty(r) ? 0 : static_cast<std::int64_t>(r.Width()) * r.Height();
}

// Squared distance from the point to the nearest pixel of the rectangle; 0 inside.
std::int64_t DistanceSquared(const Rect& r, Point p) {
  const std::int64_t dx = std::max({r.left - p.x, 0, p.x - (r.right - 1)});
  const std::int64_t dy = std::max({r.top - p.y, 0, p.y - (r.bottom - 1)});
  return dx * dx + dy * dy;
}

MonitorInfo NearestTo(const std::vector<MonitorInfo>& monitors, Point p) {
  return *std::min_element(monitors.begin(), monitors.end(), [p](const MonitorInfo& a, const MonitorInfo& b) {
    return DistanceSquared(a.rect, p) < DistanceSquared(b.rect, p);
  });
}

MonitorInfo FromPoint(Point p) { return NearestTo(GetMonitors(), p); }

MonitorInfo FromWindow(HWND hwnd) {
  const std::vector<MonitorInfo> monitors = GetMonitors();
  Rect window;
  if (!GetWindowRect(hwnd, window)) return monitors.front();
  const auto most = std::max_element(monitors.begin(), monitors.end(), [&window](const MonitorInfo& a, const MonitorInfo& b) {
    return Area(Backend::Intersect(a.rect, window)) < Area(Backend::Intersect(b.rect, window));
  });
  if (Area(Backend::Intersect(most->rect, window)) > 0) return *most;
  return NearestTo(monitors, Point{window.left + window.Width() / 2, window.top + window.Height() / 2});
}

}  // namespace

std::vector<MonitorInfo> GetMonitors() { return Backend::WindowSystem::Get().Native().Monitors(); }

Rect GetMonitorRectFromPoint(Point screen) { return FromPoint(screen).rect; }

Rect GetMonitorWorkAreaFromPoint(Point screen) { return FromPoint(screen).workArea; }

Rect GetMonitorRect(HWND hwnd) { return FromWindow(hwnd).rect; }

Rect GetMonitorWorkArea(HWND hwnd) { return FromWindow(hwnd).workArea; }

}  // namespace ZephUI
