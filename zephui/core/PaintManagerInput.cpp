// Mouse and keyboard input of the paint manager: hover, press, capture,
// double clicks, wheel steps, keys, leave and deactivation.
#include <cstdlib>

#include "core/PaintManagerState.h"
#include "core/RectOps.h"
#include "zephui/MControl.h"
#include "zephui/Cursor.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kHoverTimeMs = 400;
constexpr Point kNowhere{-1, -1};

bool Agrees(MControl* control, std::uint32_t flags, Point point) {
  return control->OnCheckMouseResponse(flags, point) != 0;
}

bool TakesInput(const MControl* control) { return control->IsVisible() && control->GetRresponse(); }

}  // namespace

void PaintManager::SetHover(MControl* control) {
  std::lock_guard lock(state_->refLock);
  if (control != nullptr && control->detached_) return;
  state_->hover = control;
}

void PaintManager::ClearHoverIf(MControl* control) {
  std::lock_guard lock(state_->refLock);
  if (state_->hover == control) state_->hover = nullptr;
}

LRESULT PaintManager::OnMouseMove(std::uint32_t flags, Point point) {
  State& s = *state_;
  if (!s.tracking) s.tracking = TrackMouseEvent(s.hwnd, TME_LEAVE | TME_HOVER, kHoverTimeMs);
  // A drag source keeps its reference point; dragging itself is not offered on this platform.
  if (s.dragArmed && (flags & MK_LBUTTON) != 0) s.dragPoint = point;
  MControl* hover = GetHoverControl();
  if (hover != nullptr && hover->PtInRect(point) && Agrees(hover, flags, point) && s.tracking) {
    hover->OnMouseMove(flags, point);
    return 1;
  }
  ClearTooltip();
  if (s.pressed) return 1;
  if (!s.tracking) {
    SetHover(nullptr);
    return 1;
  }
  MControl* hit = nullptr;
  for (MControl* control : GetControls()) {
    control->OnMouseMove(flags, point);
    if (control->PtInRect(point) && control->GetRresponse()) hit = control;
  }
  SetHover(hit);
  return 1;
}

LRESULT PaintManager::OnMouseLeave() {
  ClearTooltip();
  state_->tracking = false;
  if (state_->pressed) return 0;
  if (MControl* hover = GetHoverControl()) {
    hover->OnMouseMove(0, kNowhere);
    ClearHoverIf(hover);
  }
  return 0;
}

LRESULT PaintManager::OnMouseHover(std::uint32_t, Point) { return 1; }

LRESULT PaintManager::OnMouseWheel(std::uint32_t, int delta, Point screen) {
  Point point = screen;
  ScreenToClient(state_->hwnd, point);
  const int quotient = delta / WHEEL_DELTA;
  const int direction = quotient <= 0 ? 1 : 0;
  bool any = false;
  for (int step = 0; step < std::abs(quotient); ++step) {
    MControl* hover = GetHoverControl();
    bool handled = hover != nullptr && hover->OnScroll(1, direction, point) != 0;
    for (MControl* control : GetControls()) {
      if (handled) break;
      handled = control->OnScroll(1, direction, point) != 0;
    }
    any = any || handled;
  }
  return any ? 1 : 0;
}

LRESULT PaintManager::ButtonDown(bool left, std::uint32_t flags, Point point) {
  State& s = *state_;
  (left ? s.leftDoubleClick : s.rightDoubleClick) = false;
  // After a deactivation nothing is hovered until the pointer moves; a user
  // who came back by keyboard and clicks in place still means the control under it.
  if (GetHoverControl() == nullptr && !s.pressed) OnMouseMove(flags & ~(MK_LBUTTON | MK_RBUTTON), point);
  MControl* hover = GetHoverControl();
  if (GetFocusControl() != hover) SetFocusControl(nullptr);
  if (hover != nullptr && TakesInput(hover) && hover->PtInRect(point) && Agrees(hover, flags, point)) {
    if (left && hover->IsDragDrop() && hover->IsEnabled()) {
      s.dragArmed = true;
      s.dragPoint = point;
      s.dropBitmap = hover->GetDropBitmap();
    }
    s.pressed = true;
    SetFocusControl(hover);
    const int handled = left ? hover->OnLButtonDown(flags, point) : hover->OnRButtonDown(flags, point);
    MControl* still = GetHoverControl();
    if (!s.captured && still != nullptr && Agrees(still, flags, point)) {
      SetCapture();
      return 1;
    }
    if (handled != 0) return 1;
  }
  if (left && s.windowDrag) {
    ReleaseCapture();
    Point screen = point;
    ClientToScreen(s.hwnd, screen);
    SendMessage(s.hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), MAKELPARAM(screen.x, screen.y));
  }
  return 1;
}

LRESULT PaintManager::ButtonUp(bool left, std::uint32_t flags, Point point) {
  State& s = *state_;
  if (s.captured) ReleaseCapture();
  s.pressed = false;
  if (left) {
    s.dragArmed = false;
    s.dropBitmap.reset();
  }
  MControl* hover = GetHoverControl();
  if (hover != nullptr && TakesInput(hover)) {
    const Rect before = hover->GetRect();
    left ? hover->OnLButtonUp(flags, point) : hover->OnRButtonUp(flags, point);
    if (!RectOps::Contains(before, point)) ClearHoverIf(hover);
  }
  (left ? s.leftDoubleClick : s.rightDoubleClick) = false;
  return 1;
}

LRESULT PaintManager::ButtonDblClk(bool left, std::uint32_t flags, Point point) {
  State& s = *state_;
  (left ? s.leftDoubleClick : s.rightDoubleClick) = true;
  MControl* hover = GetHoverControl();
  if (hover == nullptr) return 0;
  if (TakesInput(hover) && hover->PtInRect(point)) {
    // The second press holds the button like the first: moves and the release must reach the
    // control even outside it, or a button pressed this way would stay pressed.
    s.pressed = true;
    if (!s.captured) SetCapture();
  }
  if (TakesInput(hover)) left ? hover->OnLButtonDblClk(flags, point) : hover->OnRButtonDblClk(flags, point);
  if (!RectOps::Contains(hover->GetRect(), point)) ClearHoverIf(hover);
  return 1;
}

LRESULT PaintManager::OnLButtonDown(std::uint32_t flags, Point point) { return ButtonDown(true, flags, point); }

LRESULT PaintManager::OnLButtonUp(std::uint32_t flags, Point point) { return ButtonUp(true, flags, point); }

LRESULT PaintManager::OnLButtonDblClk(std::uint32_t flags, Point point) { return ButtonDblClk(true, flags, point); }

LRESULT PaintManager::OnRButtonDown(std::uint32_t flags, Point point) { return ButtonDown(false, flags, point); }

LRESULT PaintManager::OnRButtonUp(std::uint32_t flags, Point point) { return ButtonUp(false, flags, point); }

LRESULT PaintManager::OnRButtonDblClk(std::uint32_t flags, Point point) { return ButtonDblClk(false, flags, point); }

LRESULT PaintManager::OnKeyDown(std::uint32_t key) {
  const std::uint32_t modifiers = CurrentModifierMask();
  MControl* hover = GetHoverControl();
  if (hover != nullptr && hover->OnKeyDown(key, 1, modifiers) != 0) return 1;
  for (MControl* control : GetControls()) {
    if (control != hover && control->OnKeyDown(key, 1, modifiers) != 0) break;
  }
  return 1;
}

LRESULT PaintManager::OnKeyUp(std::uint32_t) { return 0; }

LRESULT PaintManager::OnNcActivate(bool active) {
  if (active) {
    HoverAtPointer();
    return 0;
  }
  State& s = *state_;
  s.tracking = false;
  s.captured = false;
  s.leftDoubleClick = false;
  s.rightDoubleClick = false;
  MControl* hover = GetHoverControl();
  if (s.pressed) {
    s.pressed = false;
    if (hover != nullptr) hover->OnLButtonUp(0, kNowhere);
  } else if (hover != nullptr) {
    hover->OnMouseMove(0, kNowhere);
  }
  ClearHoverIf(hover);
  Invalidate();
  return 0;
}

void PaintManager::HoverAtPointer() {
  Point point;
  if (state_->pressed || GetHoverControl() != nullptr || !GetCursorPos(point)) return;
  ScreenToClient(state_->hwnd, point);
  Rect client;
  ::ZephUI::GetClientRect(state_->hwnd, client);
  if (RectOps::Contains(client, point)) OnMouseMove(0, point);
}

LRESULT PaintManager::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (info == nullptr) return 0;
  const Point minimum = state_->minSize;
  const Point maximum = state_->maxSize;
  if (minimum.x > 0) info->ptMinTrackSize.x = minimum.x;
  if (minimum.y > 0) info->ptMinTrackSize.y = minimum.y;
  if (maximum.x > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = maximum.x;
  if (maximum.y > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = maximum.y;
  return 1;
}

}  // namespace ZephUI
