// MControl's event dispatch down the tree: mouse moves with the hover child,
// presses, releases, double clicks, wheel steps, keys and timer ticks.
#include <utility>

#include "core/RectOps.h"
#include "zephui/MControl.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

bool TakesInput(const MControl* control) { return control->IsVisible() && control->GetRresponse(); }

}  // namespace

int MControl::OnMouseMove(std::uint32_t flags, Point point) {
  if (!TakesInput(this)) return 0;
  const Point window = point;
  Point content = point;
  OnMousePointChange(content);
  MControl* hover = hoverChild_;
  const bool hadHover = hover != nullptr;
  if (hover != nullptr) {
    const Point at = PointFor(hover, window, content);
    if (pressedInside_ || (hover->PtInRect(at) && hover->OnCheckMouseResponse(flags, at) != 0)) {
      return hover->OnMouseMove(flags, at);
    }
    ClearHoverChildIf(hover);
  }
  if (!tooltip_.empty() && manager_ != nullptr && PtInRect(window) && OnCheckMouseResponse(flags, content) != 0 &&
      manager_->GetTooltipCtrlID() != id_) {
    manager_->ClearTooltip();
    manager_->SetTooltip(tooltip_, rect_);
    manager_->SetTooltipCtrlID(id_);
  }
  OnControlSetCursor(flags, content);
  const int result = OnControlMouseMove(flags, content);
  if (trackMouseLeave_) mouseOutside_ = !PtInRect(window);
  if (pressedInside_) return result;
  MControl* hit = nullptr;
  ForEachControl([&](MControl* child) {
    const Point at = PointFor(child, window, content);
    if (child->OnMouseMove(flags, at) != 0 && child->PtInRect(at)) hit = child;
    return false;
  });
  if (hit != nullptr) SetHoverChild(hit);
  return hoverChild_ != nullptr || hadHover ? 1 : result;
}

struct MControl::ButtonHandlers {
  int (MControl::*down)(std::uint32_t, Point);           // entry point: press
  int (MControl::*dblClk)(std::uint32_t, Point);         // entry point: double click
  int (MControl::*controlDown)(std::uint32_t, Point);    // own handler: press
  int (MControl::*controlUp)(std::uint32_t, Point);      // own handler: release
  int (MControl::*controlDblClk)(std::uint32_t, Point);  // own handler: double click
  int (MControl::*up)(std::uint32_t, Point);             // entry point: release
};

const MControl::ButtonHandlers MControl::kLeftButton{&MControl::OnLButtonDown,        &MControl::OnLButtonDblClk,
                                                     &MControl::OnControlLButtonDown, &MControl::OnControlLButtonUp,
                                                     &MControl::OnControlLButtonDblClk, &MControl::OnLButtonUp};
const MControl::ButtonHandlers MControl::kRightButton{&MControl::OnRButtonDown,        &MControl::OnRButtonDblClk,
                                                      &MControl::OnControlRButtonDown, &MControl::OnControlRButtonUp,
                                                      &MControl::OnControlRButtonDblClk, &MControl::OnRButtonUp};

int MControl::OnLButtonDown(std::uint32_t flags, Point point) { return ButtonDown(kLeftButton, flags, point); }
int MControl::OnRButtonDown(std::uint32_t flags, Point point) { return ButtonDown(kRightButton, flags, point); }
int MControl::OnLButtonUp(std::uint32_t flags, Point point) { return ButtonUp(kLeftButton, flags, point); }
int MControl::OnRButtonUp(std::uint32_t flags, Point point) { return ButtonUp(kRightButton, flags, point); }
int MControl::OnLButtonDblClk(std::uint32_t flags, Point point) { return ButtonDblClk(kLeftButton, flags, point); }
int MControl::OnRButtonDblClk(std::uint32_t flags, Point point) { return ButtonDblClk(kRightButton, flags, point); }

int MControl::ButtonDown(const ButtonHandlers& button, std::uint32_t flags, Point point) {
  if (!TakesInput(this)) return 0;
  const Point window = point;
  Point content = point;
  OnMousePointChange(content);
  pressedInside_ = PtInRect(window);
  MControl* hit = nullptr;
  ForEachControl([&](MControl* child) {
    if (child->PtInRect(PointFor(child, window, content)) && child->IsEnabled() && child->GetRresponse()) hit = child;
    return false;
  });
  SetHoverChild(hit);
  if (hit != nullptr) return (hit->*button.down)(flags, PointFor(hit, window, content));
  if (manager_ != nullptr && !IsFocusControl()) manager_->SetFocusControl(this);
  return (this->*button.controlDown)(flags, content);
}

int MControl::ButtonUp(const ButtonHandlers& button, std::uint32_t flags, Point point) {
  if (!TakesInput(this)) return 0;
  const Point window = point;
  Point content = point;
  OnMousePointChange(content);
  pressedInside_ = false;
  if (MControl* hover = hoverChild_) return (hover->*button.up)(flags, PointFor(hover, window, content));
  return (this->*button.controlUp)(flags, content);
}

int MControl::ButtonDblClk(const ButtonHandlers& button, std::uint32_t flags, Point point) {
  if (!TakesInput(this)) return 0;
  const Point window = point;
  Point content = point;
  OnMousePointChange(content);
  pressedInside_ = false;
  if (MControl* hover = hoverChild_) {
    const Point at = PointFor(hover, window, content);
    const int handled = (hover->*button.dblClk)(flags, at);
    return handled == 0 && !hover->GetDblClk() ? (hover->*button.down)(flags, at) : handled;
  }
  if (!dblClk_) return (this->*button.controlDown)(flags, content);
  if (notifyDblClk_ && PtInRect(window)) {
    SendMessageW(NOTIFY_DBLCLICK, flags, static_cast<LPARAM>(reinterpret_cast<std::intptr_t>(&content)));
  }
  return (this->*button.controlDblClk)(flags, content);
}

int MControl::OnScroll(int bar, int direction, Point point) {
  if (!TakesInput(this) || !IsEnabled()) return 0;
  const Point window = point;
  Point content = point;
  OnMousePointChange(content);
  if (MControl* hover = hoverChild_) {
    const Point at = PointFor(hover, window, content);
    if (hover->PtInRect(at) && hover->OnCheckMouseResponse(0, at) != 0 && hover->OnScroll(bar, direction, at) != 0) {
      return 1;
    }
  }
  if (PtInRect(window) && OnControlScroll(bar, direction, content) != 0) return 1;
  return ForEachControl([&](MControl* child) {
    const Point at = PointFor(child, window, content);
    return child->PtInRect(at) && child->OnScroll(bar, direction, at) != 0;
  }) ? 1 : 0;
}

int MControl::OnKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (!TakesInput(this)) return 0;
  MControl* focused = nullptr;
  ForEachControl([&](MControl* child) {
    if (child->IsFocused() && TakesInput(child)) focused = child;
    return focused != nullptr;
  });
  if (focused != nullptr) return focused->OnKeyDown(key, repeat, modifiers);
  keyDown_ = true;
  MControl* hover = hoverChild_;
  bool handled = hover != nullptr && hover->OnKeyDown(key, repeat, modifiers) != 0;
  handled = handled || OnControlKeyDown(key, repeat, modifiers) != 0;
  handled = handled || ForEachControl([&](MControl* child) {
              return child != hover && child->OnKeyDown(key, repeat, modifiers) != 0;
            });
  if (notifyKeyDown_) SendMessageW(NOTIFY_KEYDOWN, key, modifiers);
  return handled ? 1 : 0;
}

int MControl::OnKeyUp(std::uint32_t, std::uint32_t, std::uint32_t) {
  keyDown_ = false;
  return 0;
}

int MControl::OnTimer() {
  int result = OnControlTimer() == 1 ? 1 : 0;
  ForEachControl([&](MControl* child) {
    if (!child->detached_ && child->IsRunTimer() && child->IsVisible() && child->OnTimer() == 1) result = 1;
    return false;
  });
  return result;
}

int MControl::OnFocus(FocusChange focus) { return SetControlFocus(focus); }

bool MControl::IsFocusControl() const { return manager_ != nullptr && manager_->GetFocusControl() == this; }

int MControl::SetControlFocus(FocusChange focus) {
  focused_ = focus == FocusChange::Give;
  if (focus == FocusChange::Take) {
    ForEachControl([](MControl* child) {
      if (child->IsFocused()) child->SetControlFocus(FocusChange::Take);
      return false;
    });
  }
  return 0;
}

}  // namespace ZephUI
