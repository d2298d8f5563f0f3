#include "zephui/DPIControl.h"

#include <string>
#include <utility>

#include "controls/ControlGroup.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"

namespace ZephUI {
namespace {

constexpr int kSwatchInset = 4;

}  // namespace

DPIControl::DPIControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {
  SetScrollEnabled(false);
}

DPIControl::~DPIControl() = default;

std::u16string_view DPIControl::GetClassNameW() const { return u"DPIControl"; }

void DPIControl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const int side = rect_.Height() - 2 * kSwatchInset;
  const Rect swatch{rect_.left + kSwatchInset, rect_.top + kSwatchInset, rect_.left + kSwatchInset + side,
                    rect_.bottom - kSwatchInset};
  MRender::DrawColor(hdc, swatch, colour_);
  const std::string digits = std::to_string(value_);
  MRender::DrawTextW(hdc, Rect{swatch.right + kSwatchInset, rect_.top, rect_.right, rect_.bottom},
                     std::u16string(digits.begin(), digits.end()), GetTextColor(), GetGDIFont(),
                     TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine);
  if (checked_) MRender::DrawRectangle(hdc, rect_, Manager::GetSelectColor());
}

int DPIControl::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  SetCheck(true);
  SendMessageW(NOTIFY_CHECK, static_cast<WPARAM>(value_), 0);
  return 1;
}

void DPIControl::SetDPIValue(int value) {
  if (value == value_) return;
  value_ = value;
  UpdateControl(CacheReset::Reset);
}

int DPIControl::GetDPIValue() const { return value_; }

void DPIControl::SetColor(ArgbColor colour) {
  if (colour == colour_) return;
  colour_ = colour;
  UpdateControl(CacheReset::Reset);
}

ArgbColor DPIControl::GetColor() const { return colour_; }

void DPIControl::SetCheck(bool checked) {
  if (checked) ResetGroupCheck();
  if (checked == checked_) return;
  checked_ = checked;
  UpdateControl(CacheReset::Reset);
}

bool DPIControl::GetCheck() const { return checked_; }

void DPIControl::SetGroupName(std::u16string name) { groupName_ = std::move(name); }

void DPIControl::ResetGroupCheck() {
  for (MControl* other : ControlGroup::Others(*this)) {
    auto* cell = dynamic_cast<DPIControl*>(other);
    if (cell != nullptr && cell->groupName_ == groupName_) cell->SetCheck(false);
  }
}

}  // namespace ZephUI
