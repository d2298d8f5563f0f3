#include "backend/WindowPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "backend/FocusController.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/Presenter.h"
#include "backend/RectMath.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

constexpr int kLargestSize = 32767;
constexpr int kMoveThreshold = 4;  // pixels the pointer goes before a press on the caption moves the window

WindowTable& Table() { return WindowSystem::Get().Table(); }

struct Snapshot {
  Rect rect;
  bool child = false;
  bool visible = false;
  bool minimized = false;
  bool maximized = false;
};

std::optional<Snapshot> Snap(HWND hwnd) {
  return Table().With([hwnd](WindowState& state) -> std::optional<Snapshot> {
    const WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr) return std::nullopt;
    return Snapshot{r->rect, r->IsChild(), r->Visible(), r->Minimized(), r->Maximized()};
  });
}

void ChangeStyle(HWND hwnd, std::uint32_t clear, std::uint32_t set) {
  Table().With([=](WindowState& state) {
    if (WindowRecord* r = state.FindLocal(hwnd)) r->style = (r->style & ~clear) | set;
  });
}

void InvalidateAll(HWND hwnd) {
  Table().With([hwnd](WindowState& state) {
    if (WindowRecord* r = state.FindLocal(hwnd)) r->invalid = r->ClientRect();
  });
}

void SetNativeShow(HWND hwnd, NativeShow show) {
  NativeAccess::Apply(hwnd, [show](NativeWindow& w) { w.SetShowState(show); });
}

void SendSize(HWND hwnd, WPARAM kind) {
  const Rect rect = Snap(hwnd).value_or(Snapshot{}).rect;
  Messenger::Send(hwnd, WM_SIZE, kind, MAKELPARAM(rect.Width(), rect.Height()));
}

MINMAXINFO AskLimits(HWND hwnd) {
  // A maximised window fills the work area of the monitor it is on.
  const Rect work = GetMonitorWorkArea(hwnd);
  MINMAXINFO info;
  info.ptMaxSize = Point{work.Width(), work.Height()};
  info.ptMaxPosition = Point{work.left, work.top};
  info.ptMaxTrackSize = Point{kLargestSize, kLargestSize};
  Messenger::Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

}  // namespace

Rect WindowPlacement::ClampedSize(HWND hwnd, Rect rect) {
  const MINMAXINFO info = AskLimits(hwnd);
  int width = std::max(rect.Width(), 0);
  int height = std::max(rect.Height(), 0);
  if (info.ptMinTrackSize.x > 0) width = std::max(width, info.ptMinTrackSize.x);
  if (info.ptMinTrackSize.y > 0) height = std::max(height, info.ptMinTrackSize.y);
  if (info.ptMaxTrackSize.x > 0) width = std::min(width, info.ptMaxTrackSize.x);
  if (info.ptMaxTrackSize.y > 0) height = std::min(height, info.ptMaxTrackSize.y);
  return Rect{rect.left, rect.top, rect.left + width, rect.top + height};
}

void WindowPlacement::ShowIfHidden(HWND hwnd) {
  const auto snap = Snap(hwnd);
  if (!snap || snap->visible) return;
  Messenger::Send(hwnd, WM_SHOWWINDOW, 1, 0);
  ChangeStyle(hwnd, 0, WS_VISIBLE);
  InvalidateAll(hwnd);
  // The role comes from the styles as they are now, after the window's own creation handlers.
  const WindowRole role = Table().With([hwnd](WindowState& state) {
    const WindowRecord* r = state.FindLocal(hwnd);
    return r != nullptr ? r->Role() : WindowRole::Normal;
  });
  NativeAccess::Apply(hwnd, [role](NativeWindow& w) { w.SetRole(role); });
  SetNativeShow(hwnd, snap->minimized ? NativeShow::Minimized : NativeShow::Shown);
}

bool WindowPlacement::Hide(HWND hwnd) {
  const auto snap = Snap(hwnd);
  if (!snap || !snap->visible) return false;
  Messenger::Send(hwnd, WM_SHOWWINDOW, 0, 0);
  ChangeStyle(hwnd, WS_VISIBLE, 0);
  SetNativeShow(hwnd, NativeShow::Hidden);
  Presenter::Release(hwnd);  // a hidden window holds no pictures; showing it composes it again
  FocusController::Depart(hwnd, Departure::Hidden);
  return true;
}

void WindowPlacement::Minimize(HWND hwnd) {
  const auto snap = Snap(hwnd);
  if (!snap || snap->minimized || snap->child) return;
  ChangeStyle(hwnd, 0, WS_MINIMIZE);
  SetNativeShow(hwnd, NativeShow::Minimized);
  SendSize(hwnd, SIZE_MINIMIZED);
  FocusController::Depart(hwnd, Departure::Hidden);
}

void WindowPlacement::Unminimize(HWND hwnd) {
  ChangeStyle(hwnd, WS_MINIMIZE, 0);
  InvalidateAll(hwnd);
  SetNativeShow(hwnd, NativeShow::Shown);
  const auto snap = Snap(hwnd);
  SendSize(hwnd, snap && snap->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
}

void WindowPlacement::Maximize(HWND hwnd) {
  const auto snap = Snap(hwnd);
  if (!snap) return;
  if (snap->minimized) Unminimize(hwnd);
  if (snap->maximized) return;
  const MINMAXINFO info = AskLimits(hwnd);
  Table().With([&](WindowState& state) {
    if (WindowRecord* r = state.FindLocal(hwnd)) {
      r->restoreRect = r->rect;
      r->style |= WS_MAXIMIZE;
    }
  });
  SetPos(hwnd, nullptr, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x, info.ptMaxSize.y,
         SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPlacement::Restore(HWND hwnd) {
  const auto snap = Snap(hwnd);
  if (!snap) return;
  if (snap->minimized) {
    Unminimize(hwnd);
    return;
  }
  if (!snap->maximized) return;
  const Rect back = Table().With([hwnd](WindowState& state) {
    WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr) return Rect{};
    r->style &= ~WS_MAXIMIZE;
    return r->restoreRect;
  });
  SetPos(hwnd, nullptr, back.left, back.top, back.Width(), back.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPlacement::ActivateShown(HWND hwnd) {
  const bool activatable = Table().With([hwnd](WindowState& state) { return state.Activatable(hwnd); });
  if (activatable) FocusController::Activate(hwnd, WA_ACTIVE, NativeFocus::Request);
}

bool WindowPlacement::Show(HWND hwnd, int command) {
  const auto snap = Snap(hwnd);
  if (!snap) return false;
  switch (command) {
    case SW_HIDE:
      Hide(hwnd);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      ShowIfHidden(hwnd);
      Minimize(hwnd);
      break;
    case SW_SHOWMAXIMIZED:
      ShowIfHidden(hwnd);
      if (!snap->child) Maximize(hwnd);
      ActivateShown(hwnd);
      break;
    case SW_SHOWNOACTIVATE:
      ShowIfHidden(hwnd);
      Restore(hwnd);
      break;
    case SW_SHOWNA:
      ShowIfHidden(hwnd);
      break;
    case SW_SHOW:
      ShowIfHidden(hwnd);
      ActivateShown(hwnd);
      break;
    default:  // SW_SHOWNORMAL, SW_RESTORE, SW_SHOWDEFAULT
      ShowIfHidden(hwnd);
      Restore(hwnd);
      ActivateShown(hwnd);
      break;
  }
  return snap->visible;
}

void WindowPlacement::ApplyZOrder(HWND hwnd, HWND insertAfter) {
  const bool topmost = insertAfter == HWND_TOPMOST;
  const bool notTopmost = insertAfter == HWND_NOTOPMOST;
  bool behind = false;
  const std::vector<HWND> raised = Table().With([&](WindowState& state) -> std::vector<HWND> {
    WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr || r->IsChild()) return {};
    if (topmost) r->exStyle |= WS_EX_TOPMOST;
    if (notTopmost) r->exStyle &= ~WS_EX_TOPMOST;
    const WindowRecord* sibling = state.FindLocal(insertAfter);
    if (sibling != nullptr && !sibling->IsChild()) {
      state.PlaceBehind(hwnd, insertAfter);
      behind = true;
      return {};
    }
    if (insertAfter != HWND_BOTTOM) return state.Raise(hwnd);
    state.Lower(hwnd);
    return {};
  });
  if (behind) NativeAccess::Apply(hwnd, [insertAfter](NativeWindow& w) { w.StackBelow(insertAfter); });
  if (topmost || notTopmost) {
    const Stacking stacking = topmost ? Stacking::Topmost : Stacking::Normal;
    NativeAccess::Apply(hwnd, [stacking](NativeWindow& w) { w.SetStacking(stacking); });
  }
  for (HWND h : raised) NativeAccess::Apply(h, [](NativeWindow& w) { w.Raise(); });
}

void WindowPlacement::SendPositionChanged(HWND hwnd, const Rect& before, std::uint32_t flags) {
  const Rect now = Snap(hwnd).value_or(Snapshot{}).rect;
  if (now.left == before.left && now.top == before.top) flags |= SWP_NOMOVE;
  if (now.Width() == before.Width() && now.Height() == before.Height()) flags |= SWP_NOSIZE;
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE) && (flags & SWP_FRAMECHANGED) == 0) return;
  WINDOWPOS pos{hwnd, nullptr, now.left, now.top, now.Width(), now.Height(), flags};
  Messenger::Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

bool WindowPlacement::SetPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags) {
  const auto snap = Snap(hwnd);
  if (!snap) return false;
  Rect target = snap->rect;
  if ((flags & SWP_NOMOVE) == 0) target = Offset(target, x - target.left, y - target.top);
  if ((flags & SWP_NOSIZE) == 0) target = ClampedSize(hwnd, Rect{target.left, target.top, target.left + width, target.top + height});
  WINDOWPOS pos{hwnd, insertAfter, target.left, target.top, target.Width(), target.Height(), flags};
  Messenger::Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  Rect applied = snap->rect;
  if ((pos.flags & SWP_NOMOVE) == 0) applied = Offset(applied, pos.x - applied.left, pos.y - applied.top);
  if ((pos.flags & SWP_NOSIZE) == 0) applied = Rect{applied.left, applied.top, applied.left + pos.cx, applied.top + pos.cy};
  const bool sized = applied.Width() != snap->rect.Width() || applied.Height() != snap->rect.Height();
  Table().With([&](WindowState& state) {
    WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr) return;
    r->rect = applied;
    if (!sized) return;
    r->surface.reset();
    if ((pos.flags & SWP_NOREDRAW) == 0) r->invalid = r->ClientRect();
  });
  if ((pos.flags & SWP_NOZORDER) == 0) ApplyZOrder(hwnd, pos.hwndInsertAfter);
  if (!(applied == snap->rect)) NativeAccess::Apply(hwnd, [applied](NativeWindow& w) { w.SetGeometry(applied); });
  if ((pos.flags & SWP_SHOWWINDOW) != 0) ShowIfHidden(hwnd);
  if ((pos.flags & SWP_HIDEWINDOW) != 0) Hide(hwnd);
  SendPositionChanged(hwnd, snap->rect, pos.flags);
  if ((pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) == 0) ActivateShown(hwnd);
  return true;
}

void WindowPlacement::AcceptNativeGeometry(HWND hwnd, const Rect& screen) {
  const auto snap = Snap(hwnd);
  if (!snap || snap->child || screen == snap->rect) return;
  const bool sized = screen.Width() != snap->rect.Width() || screen.Height() != snap->rect.Height();
  Table().With([&](WindowState& state) {
    WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr) return;
    r->rect = screen;
    if (!sized) return;
    r->surface.reset();
    r->invalid = r->ClientRect();
  });
  SendPositionChanged(hwnd, snap->rect, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPlacement::AcceptNativeShow(HWND hwnd, NativeShow state) {
  const bool minimized = state == NativeShow::Minimized;
  const auto snap = Snap(hwnd);
  if (!snap || snap->minimized == minimized) return;
  if (!minimized) {
    ChangeStyle(hwnd, WS_MINIMIZE, 0);
    InvalidateAll(hwnd);
    SendSize(hwnd, snap->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
    return;
  }
  ChangeStyle(hwnd, 0, WS_MINIMIZE);
  SendSize(hwnd, SIZE_MINIMIZED);
  FocusController::Depart(hwnd, Departure::Hidden);
}

void WindowPlacement::BeginMove(HWND hwnd, Point screen) {
  const HWND top = Table().With([hwnd](WindowState& state) { return state.TopLevelOf(hwnd); });
  if (top == nullptr || !WindowSystem::Get().Keys().IsDown(VK_LBUTTON)) return;
  FocusController::ReleaseCapture();
  // Nothing moves until the pointer does: a press and release in place is a click, and the window
  // manager must only be handed a move while the button is still down.
  Table().With([top, screen](WindowState& state) {
    const WindowRecord* r = state.FindLocal(top);
    if (r != nullptr) state.moveLoop = MoveLoop{top, Point{screen.x - r->rect.left, screen.y - r->rect.top}, screen, true};
  });
  NativeAccess::Apply(top, [](NativeWindow& w) { w.GrabPointer(); });
}

// Once the pointer has gone a few pixels, the window manager takes the move over if it can.
bool WindowPlacement::StartMoving(const MoveLoop& loop, Point screen) {
  if (std::abs(screen.x - loop.start.x) < kMoveThreshold && std::abs(screen.y - loop.start.y) < kMoveThreshold) return false;
  bool handed = false;
  NativeAccess::Apply(loop.hwnd, [&handed, screen](NativeWindow& w) { handed = w.BeginSystemMove(screen); });
  Table().With([handed](WindowState& state) {
    if (!state.moveLoop) return;
    if (handed) {
      state.moveLoop.reset();
    } else {
      state.moveLoop->pending = false;
    }
  });
  return !handed;
}

void WindowPlacement::ContinueMove(Point screen, MoveStep step) {
  const auto loop = Table().With([](WindowState& state) { return state.moveLoop; });
  if (!loop) return;
  const bool follow = step == MoveStep::Follow && (!loop->pending || StartMoving(*loop, screen));
  if (follow || (step == MoveStep::Finish && !loop->pending)) {
    SetPos(loop->hwnd, nullptr, screen.x - loop->offset.x, screen.y - loop->offset.y, 0, 0,
           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (step == MoveStep::Follow) return;
  Table().With([](WindowState& state) { state.moveLoop.reset(); });
  NativeAccess::Apply(loop->hwnd, [](NativeWindow& w) { w.UngrabPointer(); });
}

}  // namespace ZephUI::Backend
