// Visibility, enabling, activation, focus, capture and pointer tracking.
#include "backend/FocusController.h"
#include "backend/InternalMessages.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/WindowAccess.h"
#include "backend/WindowPlacement.h"
#include "zephui/Window.h"

namespace ZephUI {

using Backend::FocusController;
using Backend::Messenger;
using Backend::WindowRecord;
using Backend::WindowState;
using Backend::WithState;
using Backend::WithWindow;

namespace {

std::uint64_t ForeignId(HWND hwnd) {
  return WithState([hwnd](WindowState& state) {
    const WindowRecord* r = state.Find(hwnd);
    return r != nullptr ? r->foreignId : 0;
  });
}

bool PostForeign(std::uint64_t id, UINT message, WPARAM wParam) {
  return Backend::WindowSystem::Get().Native().PostForeign(id, message, wParam, 0);
}

}  // namespace

bool ShowWindow(HWND hwnd, int command) {
  if (const auto id = ForeignId(hwnd)) return PostForeign(id, Backend::kRemoteShowWindow, static_cast<WPARAM>(command));
  return Messenger::RunOnOwner(hwnd, [=] { return Backend::WindowPlacement::Show(hwnd, command) ? 1 : 0; }) != 0;
}

bool IsWindowVisible(HWND hwnd) {
  return WithState([hwnd](WindowState& state) { return state.VisibleDeep(hwnd); });
}

bool IsIconic(HWND hwnd) {
  return WithWindow<bool>(hwnd, false, [](WindowRecord& r) { return r.Minimized(); });
}

bool IsZoomed(HWND hwnd) {
  return WithWindow<bool>(hwnd, false, [](WindowRecord& r) { return r.Maximized(); });
}

InputState EnableWindow(HWND hwnd, InputState state) {
  const LRESULT previous = Messenger::RunOnOwner(hwnd, [=]() -> LRESULT {
    const bool enable = state == InputState::Enabled;
    const bool was = WithWindow<bool>(hwnd, true, [enable](WindowRecord& r) {
      const bool before = r.Enabled();
      r.style = enable ? (r.style & ~WS_DISABLED) : (r.style | WS_DISABLED);
      return before;
    });
    if (was != enable) {
      Backend::NativeAccess::Apply(hwnd, [state](Backend::NativeWindow& w) { w.SetInputAllowed(state); });
      if (!enable) FocusController::Depart(hwnd, Backend::Departure::Disabled);
      Messenger::Send(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    }
    return was ? 1 : 0;
  });
  return previous != 0 ? InputState::Enabled : InputState::Disabled;
}

bool IsWindowEnabled(HWND hwnd) {
  return WithWindow<bool>(hwnd, false, [](WindowRecord& r) { return r.Enabled(); });
}

bool SetForegroundWindow(HWND hwnd) {
  if (const auto id = ForeignId(hwnd)) return PostForeign(id, Backend::kRemoteSetForeground, 0);
  const HWND top = GetTopLevel(hwnd);
  if (!WithState([top](WindowState& state) { return state.Activatable(top); })) return false;
  Messenger::RunOnOwner(top, [top] {
    FocusController::Activate(top, WA_ACTIVE, Backend::NativeFocus::Request);
    return 0;
  });
  return true;
}

HWND GetForegroundWindow() {
  return WithState([](WindowState& state) { return state.active; });
}

HWND SetActiveWindow(HWND hwnd) {
  const HWND previous = GetForegroundWindow();
  SetForegroundWindow(hwnd);
  return previous;
}

HWND GetActiveWindow() { return GetForegroundWindow(); }

bool BringWindowToTop(HWND hwnd) {
  if (const auto id = ForeignId(hwnd)) return PostForeign(id, Backend::kRemoteBringToTop, 0);
  const HWND top = GetTopLevel(hwnd);
  if (top == nullptr) return false;
  const std::vector<HWND> raised = WithState([top](WindowState& state) { return state.Raise(top); });
  for (HWND h : raised) Backend::NativeAccess::Apply(h, [](Backend::NativeWindow& w) { w.Raise(); });
  return true;
}

HWND SetFocus(HWND hwnd) {
  if (hwnd == nullptr) return FocusController::SetFocus(nullptr);
  return reinterpret_cast<HWND>(Messenger::RunOnOwner(hwnd, [hwnd] {
    return static_cast<LRESULT>(reinterpret_cast<std::intptr_t>(FocusController::SetFocus(hwnd)));
  }));
}

HWND GetFocus() {
  return WithState([](WindowState& state) { return state.focus; });
}

HWND SetCapture(HWND hwnd) {
  return reinterpret_cast<HWND>(Messenger::RunOnOwner(hwnd, [hwnd] {
    return static_cast<LRESULT>(reinterpret_cast<std::intptr_t>(FocusController::SetCapture(hwnd)));
  }));
}

bool ReleaseCapture() {
  const HWND capture = GetCapture();
  if (capture == nullptr) return true;
  Messenger::RunOnOwner(capture, [] {
    FocusController::ReleaseCapture();
    return 0;
  });
  return true;
}

HWND GetCapture() {
  return WithState([](WindowState& state) { return state.capture; });
}

bool TrackMouseEvent(HWND hwnd, std::uint32_t flags, std::uint32_t hoverTimeMs) {
  Backend::NativeBackend& native = Backend::WindowSystem::Get().Native();
  const std::uint64_t now = native.NowMs();
  const Point pointer = native.PointerPosition();
  const std::uint32_t hover = hoverTimeMs == HOVER_DEFAULT ? 400 : hoverTimeMs;
  const auto [ok, leaveNow] = WithState([&](WindowState& state) {
    if (state.FindLocal(hwnd) == nullptr) return std::pair(false, false);
    Backend::MouseTracking& t = state.tracking;
    if ((flags & TME_CANCEL) != 0) {
      if (t.hwnd == hwnd) t.flags &= ~flags;
      return std::pair(true, false);
    }
    // A window the pointer is not over hears at once that it left.
    const bool outside = (flags & TME_LEAVE) != 0 && !state.IsSelfOrDescendant(hwnd, state.HitTest(pointer)) &&
                         state.capture == nullptr;
    t = Backend::MouseTracking{hwnd, flags & (TME_HOVER | (outside ? 0 : TME_LEAVE)), hover, pointer, now + hover};
    return std::pair(true, outside);
  });
  if (leaveNow) Messenger::Post(hwnd, WM_MOUSELEAVE, 0, 0);
  return ok;
}

}  // namespace ZephUI
