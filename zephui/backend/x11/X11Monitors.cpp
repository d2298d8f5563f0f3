#include "backend/x11/X11Monitors.h"

#include <algorithm>

#include "backend/RectMath.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

namespace ZephUI::Backend {
namespace {

// RandR added monitors in 1.5 and CRTC queries in 1.2.
constexpr int kMonitorsMinor = 5;
constexpr int kCrtcsMinor = 2;

// CARDINAL values of a root property; empty when it is missing.
std::vector<long> Cardinals(X11Connection& c, Atom property, long count) {
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(c.display, c.root, property, 0, count, 0, XA_CARDINAL, &type, &format, &items, &remaining,
                         &data) != 0 || data == nullptr) {
    return {};
  }
  std::vector<long> values;
  if (format == 32) values.assign(reinterpret_cast<const long*>(data), reinterpret_cast<const long*>(data) + items);
  XFree(data);
  return values;
}

bool Uses(const XRRCrtcInfo& crtc, RROutput output) {
  return std::find(crtc.outputs, crtc.outputs + crtc.noutput, output) != crtc.outputs + crtc.noutput;
}

}  // namespace

Rect X11Monitors::Screen(X11Connection& c) {
  return Rect{0, 0, DisplayWidth(c.display, c.screen), DisplayHeight(c.display, c.screen)};
}

std::vector<MonitorInfo> X11Monitors::Query(X11Connection& c) {
  std::vector<MonitorInfo> monitors;
  if (c.extensions.randrMinor >= kMonitorsMinor) monitors = FromMonitors(c);
  if (monitors.empty() && c.extensions.randrMinor >= kCrtcsMinor) monitors = FromCrtcs(c);
  if (monitors.empty()) monitors.push_back(MonitorInfo{Screen(c), Rect{}, true});
  std::stable_partition(monitors.begin(), monitors.end(), [](const MonitorInfo& m) { return m.primary; });
  monitors.front().primary = true;  // servers need not name one
  const std::optional<Rect> work = NetWorkArea(c);
  for (MonitorInfo& monitor : monitors) {
    const Rect cut = work ? Intersect(*work, monitor.rect) : Rect{};
    monitor.workArea = IsEmpty(cut) ? monitor.rect : cut;
  }
  return monitors;
}

std::vector<MonitorInfo> X11Monitors::FromMonitors(X11Connection& c) {
  int count = 0;
  XRRMonitorInfo* list = XRRGetMonitors(c.display, c.root, True, &count);
  std::vector<MonitorInfo> monitors;
  for (int i = 0; i < count; ++i) {
    const XRRMonitorInfo& m = list[i];
    if (m.width > 0 && m.height > 0) {
      monitors.push_back(MonitorInfo{Rect{m.x, m.y, m.x + m.width, m.y + m.height}, Rect{}, m.primary != 0});
    }
  }
  if (list != nullptr) XRRFreeMonitors(list);
  return monitors;
}

std::vector<MonitorInfo> X11Monitors::FromCrtcs(X11Connection& c) {
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(c.display, c.root);
  if (resources == nullptr) return {};
  const RROutput primary = XRRGetOutputPrimary(c.display, c.root);
  std::vector<MonitorInfo> monitors;
  for (int i = 0; i < resources->ncrtc; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(c.display, resources, resources->crtcs[i]);
    if (crtc == nullptr) continue;
    const Rect rect{crtc->x, crtc->y, crtc->x + static_cast<int>(crtc->width), crtc->y + static_cast<int>(crtc->height)};
    const bool mirrored = std::any_of(monitors.begin(), monitors.end(), [&rect](const MonitorInfo& m) { return m.rect == rect; });
    if (crtc->mode != None && !IsEmpty(rect) && !mirrored) monitors.push_back(MonitorInfo{rect, Rect{}, Uses(*crtc, primary)});
    XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
  return monitors;
}

long X11Monitors::CurrentDesktop(X11Connection& c) {
  const std::vector<long> desktop = Cardinals(c, c.atoms.netCurrentDesktop, 1);
  return desktop.empty() ? 0 : desktop[0];
}

std::optional<Rect> X11Monitors::NetWorkArea(X11Connection& c) {
  const std::vector<long> areas = Cardinals(c, c.atoms.netWorkArea, 4096);
  const long desktop = CurrentDesktop(c);
  // One x, y, width, height quadruple per desktop; the first when the current one has none.
  const auto wanted = static_cast<std::size_t>(std::max(desktop, 0L)) * 4;
  const std::size_t at = wanted + 4 <= areas.size() ? wanted : 0;
  if (areas.size() < at + 4 || areas[at + 2] <= 0 || areas[at + 3] <= 0) return std::nullopt;
  const auto edge = [&areas, at](std::size_t i) { return static_cast<int>(areas[at + i]); };
  return Rect{edge(0), edge(1), edge(0) + edge(2), edge(1) + edge(3)};
}

}  // namespace ZephUI::Backend
