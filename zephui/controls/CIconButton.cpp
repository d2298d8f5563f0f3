#include "zephui/CIconButton.h"

#include <algorithm>
#include <utility>

#include "controls/ControlGroup.h"
#include "controls/SlotCache.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr int kIconMargin = 6;  // left of the icon and between icon and title
constexpr ArgbColor kDisabledText(0xFF808080);
constexpr TextFormat kTitleFormat = TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

CIconButton::CIconButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                         bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {}

CIconButton::~CIconButton() = default;

std::u16string_view CIconButton::GetClassNameW() const { return u"IconButton"; }

void CIconButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const int shown = check_ != 0 && IsEnabled() ? BUTTON_STATE_PRESSED : state_;
  SlotCache::Draw(*this, hdc, kStateCount, shown,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

int CIconButton::OnControlLButtonUp(std::uint32_t flags, Point point) {
  if (downState_ && IsEnabled() && state_ == BUTTON_STATE_PRESSED && PtInRect(point)) {
    SetControlCheck(1);
    UncheckGroup();
  }
  return MButton::OnControlLButtonUp(flags, point);
}

void CIconButton::SetTips(std::u16string text) {
  tips_ = std::move(text);
  if (showTips_) SetTooltip(tips_);
}

void CIconButton::SetShowTips(bool on) {
  showTips_ = on;
  SetTooltip(on ? tips_ : std::u16string());
}

void CIconButton::SetDownState(bool on) { downState_ = on; }

int CIconButton::GetCheck() const { return check_; }

int CIconButton::SetCheck(int check) {
  if (!IsEnabled()) return check_;
  SetControlCheck(check);
  if (check_ != 0) UncheckGroup();
  return check_;
}

void CIconButton::SetControlCheck(int check) {
  const int value = check != 0 ? 1 : 0;
  if (check_ == value) return;
  check_ = value;
  UpdateControl(CacheReset::Keep);
}

void CIconButton::SetGroupName(std::u16string name) { groupName_ = std::move(name); }

std::u16string CIconButton::GetGroupName() const { return groupName_; }

void CIconButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  DrawSkin(target, slot, state);
  int textLeft = slot.left + kIconMargin;
  if (icon_) {
    // A strip of four icons follows the state; a single icon stays.
    const int frame = iconFrames_ >= kStateCount ? std::min(state, iconFrames_ - 1) : 0;
    const Rect source = icon_->StripFrameRect(frame, iconFrames_);
    const int x = title_.empty() ? slot.left + (slot.Width() - source.Width()) / 2 : slot.left + kIconMargin;
    const int y = slot.top + (slot.Height() - source.Height()) / 2;
    MRender::DrawImage(target, *icon_, Rect{x, y, x + source.Width(), y + source.Height()}, source);
    textLeft = x + source.Width() + kIconMargin;
  }
  if (title_.empty()) return;
  const ArgbColor ink = state == BUTTON_STATE_DISABLED ? kDisabledText : GetTextColor();
  MRender::DrawTextW(target, Rect{textLeft, slot.top, slot.right, slot.bottom}, title_, ink, GetGDIFont(),
                     kTitleFormat);
}

void CIconButton::UncheckGroup() {
  for (MControl* other : ControlGroup::Others(*this)) {
    auto* button = dynamic_cast<CIconButton*>(other);
    if (button != nullptr && button->groupName_ == groupName_) button->SetControlCheck(0);
  }
}

}  // namespace ZephUI
