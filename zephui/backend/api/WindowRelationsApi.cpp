// Parents, owners and finding windows.
#include <algorithm>

#include "backend/WindowAccess.h"
#include "backend/WindowLifecycle.h"
#include "zephui/Window.h"

namespace ZephUI {

using Backend::WindowRecord;
using Backend::WindowState;
using Backend::WithState;
using Backend::WithWindow;

HWND GetParent(HWND hwnd) {
  return WithWindow<HWND>(hwnd, nullptr, [](WindowRecord& r) { return r.IsChild() ? r.parent : r.owner; });
}

HWND GetOwner(HWND hwnd) {
  return WithWindow<HWND>(hwnd, nullptr, [](WindowRecord& r) { return r.owner; });
}

HWND GetTopLevel(HWND hwnd) {
  return WithState([hwnd](WindowState& state) { return state.TopLevelOf(hwnd); });
}

bool IsChild(HWND parent, HWND hwnd) {
  return parent != hwnd && WithState([&](WindowState& state) { return state.IsSelfOrDescendant(parent, hwnd); });
}

std::vector<HWND> GetTopLevelWindows() {
  return WithState([](WindowState& state) {
    std::vector<HWND> windows;
    std::copy_if(state.zOrder.begin(), state.zOrder.end(), std::back_inserter(windows),
                 [&state](HWND h) { return state.FindLocal(h) != nullptr; });
    return windows;
  });
}

HWND FindWindow(std::u16string_view className, std::u16string_view title) {
  return WithState([&](WindowState& state) -> HWND {
    for (HWND h : state.zOrder) {
      const WindowRecord* r = state.FindLocal(h);
      if (r == nullptr || r->destroying) continue;
      if ((className.empty() || r->className == className) && (title.empty() || r->title == title)) return h;
    }
    return nullptr;
  });
}

HWND FindWindowByProperty(std::u16string_view name) {
  const HWND local = WithState([name](WindowState& state) -> HWND {
    for (HWND h : state.zOrder) {
      const WindowRecord* r = state.FindLocal(h);
      if (r != nullptr && !r->destroying && r->props.contains(std::u16string(name))) return h;
    }
    return nullptr;
  });
  if (local != nullptr) return local;
  const std::uint64_t foreign = Backend::WindowSystem::Get().Native().FindForeignWindow(name);
  return foreign != 0 ? Backend::WindowLifecycle::ForeignProxy(foreign) : nullptr;
}

HWND WindowFromPoint(Point screen) {
  return WithState([screen](WindowState& state) { return state.HitTest(screen); });
}

}  // namespace ZephUI
