#include "backend/FocusController.h"

#include <tuple>
#include <utility>
#include <vector>

#include "backend/KeyboardGrabState.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/RectMath.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

WindowTable& Table() { return WindowSystem::Get().Table(); }

struct ActivationChange {
  HWND old = nullptr;
  bool changed = false;
  bool oldMinimized = false;
  bool newMinimized = false;
  std::vector<HWND> raised;
};

ActivationChange RecordActivation(HWND top) {
  return Table().With([top](WindowState& state) {
    ActivationChange change;
    change.old = state.active;
    if (top != nullptr) change.raised = state.Raise(top);
    if (state.active == top) return change;
    change.changed = true;
    const WindowRecord* oldRecord = state.FindLocal(state.active);
    change.oldMinimized = oldRecord != nullptr && oldRecord->Minimized();
    const WindowRecord* newRecord = state.FindLocal(top);
    change.newMinimized = newRecord != nullptr && newRecord->Minimized();
    state.active = top;
    return change;
  });
}

void TellDeactivated(const ActivationChange& change, HWND top) {
  if (change.old == nullptr) return;
  Messenger::Send(change.old, WM_NCACTIVATE, 0, HandleParam(top));
  Messenger::Send(change.old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, change.oldMinimized ? 1 : 0), HandleParam(top));
}

bool FocusInside(HWND ancestor) {
  return Table().With([ancestor](WindowState& state) {
    return state.focus != nullptr && state.IsSelfOrDescendant(ancestor, state.focus);
  });
}

HWND ActiveWindow() {
  return Table().With([](WindowState& state) { return state.active; });
}

}  // namespace

void FocusController::Activate(HWND top, UINT how, NativeFocus native) {
  const ActivationChange change = RecordActivation(top);
  for (HWND raised : change.raised) NativeAccess::Apply(raised, [](NativeWindow& w) { w.Raise(); });
  if (!change.changed) return;
  TellDeactivated(change, top);
  if (ActiveWindow() != top) return;  // a handler moved the activation on already
  if (top == nullptr) {
    SetFocus(nullptr);
    return;
  }
  if (native == NativeFocus::Request) NativeAccess::Apply(top, [](NativeWindow& w) { w.RequestFocus(); });
  Messenger::Send(top, WM_NCACTIVATE, 1, HandleParam(change.old));
  Messenger::Send(top, WM_ACTIVATE, MAKEWPARAM(static_cast<int>(how), change.newMinimized ? 1 : 0), HandleParam(change.old));
  // A handler that did not pass WM_ACTIVATE on leaves the focus behind in the old window.
  if (change.old != nullptr && FocusInside(change.old) && !FocusInside(top)) SetFocus(nullptr);
}

HWND FocusController::SetFocus(HWND hwnd) {
  if (hwnd != nullptr) {
    const auto [usable, top, active] = Table().With([hwnd](WindowState& state) {
      const WindowRecord* record = state.FindLocal(hwnd);
      const HWND topLevel = state.TopLevelOf(hwnd);
      const WindowRecord* topRecord = state.FindLocal(topLevel);
      const bool ok = record != nullptr && !record->destroying && state.EnabledDeep(hwnd) && topRecord != nullptr &&
                      (topRecord->exStyle & WS_EX_NOACTIVATE) == 0;
      return std::tuple(ok, topLevel, state.active);
    });
    if (!usable) return nullptr;
    if (active != top) Activate(top, WA_ACTIVE, NativeFocus::Request);
  }
  const auto [old, changed] = Table().With([hwnd](WindowState& state) {
    if (hwnd != nullptr && state.FindLocal(hwnd) == nullptr) return std::pair<HWND, bool>(state.focus, false);
    const HWND previous = state.focus;
    state.focus = hwnd;
    return std::pair(previous, previous != hwnd);
  });
  if (!changed) return old;
  if (old != nullptr) Messenger::Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  const bool stillFocused = Table().With([hwnd](WindowState& state) { return state.focus == hwnd; });
  if (hwnd != nullptr && stillFocused) Messenger::Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND FocusController::SetCapture(HWND hwnd) {
  const HWND old = Table().With([hwnd](WindowState& state) {
    const HWND previous = state.capture;
    if (state.FindLocal(hwnd) != nullptr) state.capture = hwnd;
    return previous;
  });
  NativeAccess::Apply(hwnd, [](NativeWindow& w) { w.GrabPointer(); });
  if (old != nullptr && old != hwnd) Messenger::Send(old, WM_CAPTURECHANGED, 0, HandleParam(hwnd));
  return old;
}

void FocusController::ReleaseCapture() {
  const HWND old = Table().With([](WindowState& state) { return std::exchange(state.capture, nullptr); });
  if (old == nullptr) return;
  NativeAccess::Apply(old, [](NativeWindow& w) { w.UngrabPointer(); });
  Messenger::Send(old, WM_CAPTURECHANGED, 0, 0);
}

void FocusController::Depart(HWND hwnd, Departure why) {
  // A keyboard grab never outlives its window being hidden or destroyed: the user would be locked out.
  if (why != Departure::Disabled) KeyboardGrabState::OwnerLeft(hwnd);
  const auto [captured, wasActive, parent, isChild] = Table().With([hwnd](WindowState& state) {
    if (state.tracking.hwnd != nullptr && state.IsSelfOrDescendant(hwnd, state.tracking.hwnd)) state.tracking = {};
    if (state.lastClick.hwnd == hwnd) state.lastClick = {};
    if (state.moveLoop && state.moveLoop->hwnd == hwnd) state.moveLoop.reset();
    if (state.lastMoveWindow == hwnd) state.lastMoveWindow = nullptr;
    const WindowRecord* record = state.Find(hwnd);
    const bool child = record != nullptr && record->IsChild();
    return std::tuple(state.capture != nullptr && state.IsSelfOrDescendant(hwnd, state.capture), state.active == hwnd,
                      child ? record->parent : nullptr, child);
  });
  if (captured) ReleaseCapture();
  if (wasActive && why != Departure::Disabled) {
    const HWND next = Table().With([hwnd](WindowState& state) { return state.NextToActivate(hwnd); });
    Activate(next, WA_ACTIVE, NativeFocus::Request);
  }
  if (!FocusInside(hwnd)) return;
  // A hidden child hands the focus to its parent; anything else leaves no focus.
  SetFocus(isChild && why == Departure::Hidden ? parent : nullptr);
}

}  // namespace ZephUI::Backend
