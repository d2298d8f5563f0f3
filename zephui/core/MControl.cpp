// MControl: construction, flags, the default virtual operations, cursor,
// tooltips and small helpers.
#include "zephui/MControl.h"

#include <algorithm>
#include <utility>

#include "core/RectOps.h"
#include "zephui/Cursor.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

MControl::MControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled, bool mouseResponse)
    : parent_(parent), id_(id), rect_(rect), visible_(visible), enabled_(enabled), response_(mouseResponse) {}

MControl::~MControl() {
  // Removed controls were forgotten with their subtree; one destroyed another way is forgotten here.
  if (manager_ != nullptr && !detached_) manager_->ForgetControl(this);
  std::vector<std::unique_ptr<MControl>> controls;
  std::vector<std::unique_ptr<MControl>> areas;
  {
    std::lock_guard lock(controlLock_);
    controls.swap(controls_);
    controlCount_ = 0;
  }
  {
    std::lock_guard lock(areaLock_);
    areas.swap(areas_);
    areaCount_ = 0;
  }
  hoverChild_ = nullptr;
  controls.clear();
  areas.clear();
}

std::u16string_view MControl::GetClassNameW() const { return u"FSControl"; }

void MControl::InitControl(PaintManager*) {}

bool MControl::PtInRect(Point point) const { return IsVisible() && RectOps::Contains(rect_, point); }

int MControl::IsDraw(Point) { return 0; }

void MControl::InitUI(const Rect&) {}

void MControl::OnMousePointChange(Point&) {}

int MControl::OnCheckMouseResponse(std::uint32_t, Point) { return 1; }

LRESULT MControl::OnWindowMessage(UINT, WPARAM, LPARAM) { return 0; }

LRESULT MControl::OnMessage(std::uint32_t, UINT, WPARAM, LPARAM) { return 0; }

void MControl::SetControlRect(const Rect&) {}

void MControl::SetControlVisible(bool) {}

void MControl::SetControlWndVisible(bool) {}

void MControl::SetControlEnabled(bool) {}

int MControl::OnControlTimer() { return 0; }

std::unique_ptr<Image> MControl::GetControlDropBitmap() { return nullptr; }

int MControl::OnControlMouseMove(std::uint32_t, Point) { return 0; }

int MControl::OnControlSetCursor(std::uint32_t, Point point) {
  if (cursor_ == nullptr || !PtInRect(point)) return 0;
  SetCursor(cursor_);
  return 1;
}

int MControl::OnControlLButtonDown(std::uint32_t, Point) { return 0; }

int MControl::OnControlLButtonUp(std::uint32_t, Point) { return 0; }

int MControl::OnControlLButtonDblClk(std::uint32_t, Point) { return 0; }

int MControl::OnControlScroll(int, int, Point) { return 0; }

int MControl::OnControlRButtonDown(std::uint32_t, Point) { return 0; }

int MControl::OnControlRButtonUp(std::uint32_t, Point) { return 0; }

int MControl::OnControlRButtonDblClk(std::uint32_t, Point) { return 0; }

int MControl::OnControlKeyDown(std::uint32_t key, std::uint32_t, std::uint32_t modifiers) {
  return accelKey_ != 0 && key == accelKey_ && modifiers == accelModifiers_ ? 1 : 0;
}

void MControl::OnPositionChange() {}

Rect MControl::GetRect() const { return rect_; }

bool MControl::IsVisible() const { return visible_; }

bool MControl::IsEnabled() const { return enabled_; }

bool MControl::IsParentVisible() const {
  if (parent_ == nullptr) return false;
  for (const MObject* up = parent_; const auto* control = dynamic_cast<const MControl*>(up); up = control->parent_) {
    if (!control->IsVisible()) return false;
  }
  return true;
}

void MControl::SetTabStop(bool tabStop) { tabStop_ = tabStop; }

bool MControl::IsTabStop() const { return tabStop_; }

void MControl::SetDragDrop(bool dragDrop) { dragDrop_ = dragDrop; }

bool MControl::IsDragDrop() const { return dragDrop_; }

void MControl::SetRresponse(bool response) { response_ = response; }

bool MControl::GetRresponse() const { return response_; }

bool MControl::GetDblClk() const { return dblClk_; }

void MControl::SetDblClk(bool doubleClick) { dblClk_ = doubleClick; }

bool MControl::IsFocused() const { return focused_; }

bool MControl::IsKeyDown() const { return keyDown_; }

bool MControl::GetUpdate() const { return update_; }

void MControl::SetRunTimer(bool run) {
  runTimer_ = run;
  if (run && manager_ != nullptr) manager_->WakeMTimer();
}

bool MControl::IsRunTimer() const { return runTimer_; }

bool MControl::UseImageECM() const { return imageEcm_; }

void MControl::SetImageECM(bool use) { imageEcm_ = use; }

std::uint32_t MControl::GetControlID() const { return id_; }

MObject* MControl::GetParantObject() const { return parent_; }

void MControl::SetParent(MObject* parent) { parent_ = parent; }

PaintManager* MControl::GetManager() const { return manager_; }

void MControl::SetManager(PaintManager* manager) {
  manager_ = manager;
  InitControl(manager);
}

void MControl::SetNotifyDblClk(bool notify) { notifyDblClk_ = notify; }

void MControl::SetNotifyKeyDown(bool notify) { notifyKeyDown_ = notify; }

void MControl::SetTrackMouseLeave(bool track) { trackMouseLeave_ = track; }

bool MControl::IsMouseOutside() const { return mouseOutside_; }

void MControl::AddMTimer() {
  if (manager_ != nullptr) manager_->AddMTimer(this);
}

void MControl::SetTooltip(std::u16string text) { tooltip_ = std::move(text); }

void MControl::SetTooltip(std::u16string text, const Rect& rect) {
  tooltip_ = std::move(text);
  if (manager_ == nullptr) return;
  manager_->SetTooltip(tooltip_, rect);
  manager_->SetTooltipCtrlID(id_);
}

void MControl::ClearTooltip() {
  if (manager_ != nullptr) manager_->ClearTooltip();
}

std::u16string MControl::GetTooltip() const { return tooltip_; }

void MControl::SetTooltipCtrlID(std::uint32_t) {}

std::uint32_t MControl::GetTooltipCtrlID() const { return 0; }

int MControl::SetCursorEx(std::u16string_view name) {
  static const std::pair<std::u16string_view, CursorType> kNames[] = {
      {u"arrow", CursorType::Arrow},   {u"wait", CursorType::Wait},     {u"cross", CursorType::Cross},
      {u"sizewe", CursorType::SizeWE}, {u"sizens", CursorType::SizeNS}, {u"hand", CursorType::Hand},
      {u"help", CursorType::Help}};
  for (const auto& [known, shape] : kNames) {
    if (known == name) cursor_ = LoadCursor(shape);
  }
  return 0;
}

HCURSOR MControl::GetCursor() const { return cursor_; }

LRESULT MControl::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return parent_ != nullptr ? parent_->OnBaseMessage(id_, msg, wParam, lParam) : 0;
}

int MControl::PositionItem2Value(const PositionItem& item, int low, int high) {
  const int amount = static_cast<int>(item.amount);
  switch (item.mode) {
    case 0: return item.fromFarEnd ? high - amount : low + amount;
    case 1: {
      const int middle = low + (high - low) / 2;
      return item.fromFarEnd ? middle - amount : middle + amount;
    }
    case 2: return std::min(low + (high - low) * amount / 100, high);
    default: return 0;
  }
}

bool MControl::TakesWindowPoint(const MControl* child) {
  return child->id_ == SCROLLBAR_VERTICAL_ID || child->id_ == SCROLLBAR_HORIZONTAL_ID;
}

Point MControl::PointFor(const MControl* child, Point window, Point content) {
  return TakesWindowPoint(child) ? window : content;
}

}  // namespace ZephUI
