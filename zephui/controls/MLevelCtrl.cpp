#include "zephui/MLevelCtrl.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kCellHeight = 12;
constexpr int kGap = 5;
constexpr ArgbColor kUnlit(0x40FFFFFF);
constexpr ArgbColor kHoverRim(0xC0FFFFFF);
constexpr ArgbColor kDisabled(0xFF606060);

}  // namespace

MLevelCtrl::MLevelCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true) {
  SetTabStop(true);
}

MLevelCtrl::~MLevelCtrl() = default;

void MLevelCtrl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

int MLevelCtrl::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const std::optional<int> cell = CellAt(point);
  if (cell == hover_) return 0;
  hover_ = cell;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MLevelCtrl::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  pressed_ = IsEnabled() && PtInRect(point);
  return pressed_ ? 1 : 0;
}

int MLevelCtrl::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  const bool pressed = std::exchange(pressed_, false);
  const std::optional<int> cell = CellAt(point);
  if (!pressed || !IsEnabled() || !cell) return 0;
  Choose(*cell);
  return 1;
}

int MLevelCtrl::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (IsEnabled() && IsFocused() && modifiers == 0) {
    if (key == VK_LEFT || key == VK_DOWN) return Choose(std::max(value_ - 1, min_));
    if (key == VK_RIGHT || key == VK_UP) return Choose(std::min(value_ + 1, max_));
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void MLevelCtrl::SetControlEnabled(bool /*enabled*/) {
  hover_.reset();
  pressed_ = false;
  UpdateControl(CacheReset::Reset);
}

int MLevelCtrl::SetLevelValue(int value) {
  const int clamped = std::clamp(value, min_, max_);
  if (clamped != value_) {
    value_ = clamped;
    UpdateControl(CacheReset::Reset);
  }
  return value_;
}

int MLevelCtrl::GetLevelValue() const { return value_; }

void MLevelCtrl::SetRangeValue(int minimum, int maximum) {
  if (minimum > maximum) return;
  min_ = minimum;
  max_ = maximum;
  value_ = std::clamp(value_, min_, max_);
  hover_.reset();
  UpdateControl(CacheReset::Reset);
}

Rect MLevelCtrl::GetCellRect(int value) const {
  if (value < min_ || value > max_) return Rect{};
  const int x = rect_.left + (value - min_) * (CellWidth() + kGap);
  const int y = rect_.top + (rect_.Height() - kCellHeight) / 2;
  return Rect{x, y, x + CellWidth(), y + kCellHeight};
}

void MLevelCtrl::Render(RenderContext& target, const Rect& slot) {
  const ArgbColor lit = IsEnabled() ? Manager::GetSelectColor() : kDisabled;
  for (int value = min_; value <= max_; ++value) {
    const Rect cell = RectOps::Offset(GetCellRect(value), slot.left - rect_.left, slot.top - rect_.top);
    MRender::DrawColor(target, cell, value <= value_ ? lit : kUnlit);
    if (value == hover_) MRender::DrawRectangle(target, cell, kHoverRim);
  }
}

std::optional<int> MLevelCtrl::CellAt(Point point) const {
  for (int value = min_; value <= max_; ++value) {
    if (RectOps::Contains(GetCellRect(value), point)) return value;
  }
  return std::nullopt;
}

int MLevelCtrl::Count() const { return max_ - min_ + 1; }

int MLevelCtrl::CellWidth() const { return std::max((rect_.Width() - Count() * kGap) / Count(), 1); }

int MLevelCtrl::Choose(int value) {
  if (value == value_) return 0;
  value_ = value;
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(value_), 0);
  return 1;
}

}  // namespace ZephUI
