// The monitors of the X screen: RandR 1.5 monitors, else the active CRTCs of
// RandR 1.2, else the whole screen. Their work areas are _NET_WORKAREA (one
// rectangle for all monitors) cut to each monitor.
#pragma once

#include <optional>
#include <vector>

#include "backend/x11/X11Connection.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {

/// Monitor layout queries; called with the connection lock held.
class X11Monitors {
 public:
  /// Every monitor with its work area, the primary first.
  static std::vector<MonitorInfo> Query(X11Connection& connection);
  /// The screen in pixels.
  static Rect Screen(X11Connection& connection);
  /// _NET_WORKAREA of the current desktop; none when no window manager publishes it.
  static std::optional<Rect> NetWorkArea(X11Connection& connection);

 private:
  static std::vector<MonitorInfo> FromMonitors(X11Connection& c);
  static std::vector<MonitorInfo> FromCrtcs(X11Connection& c);
  static long CurrentDesktop(X11Connection& c);
};

}  // namespace ZephUI::Backend
