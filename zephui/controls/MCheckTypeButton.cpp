#include "zephui/MCheckTypeButton.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 8;
constexpr int kTitleGap = 8;  // between the box and the title
constexpr ArgbColor kDisabledText(0xFE808080);
constexpr TextFormat kTitleFormat = TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine;

bool IsDisabledState(int state) { return state % CHECKED_STATE_OFFSET == BUTTON_STATE_DISABLED; }

}  // namespace

MCheckTypeButton::MCheckTypeButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title,
                                   bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::move(title), visible, enabled, true),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {
  tabStop_ = true;  // reachable with Tab, then Space chooses
}

MCheckTypeButton::~MCheckTypeButton() = default;

void MCheckTypeButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

int MCheckTypeButton::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || pressed_) return 0;
  const bool inside = PtInRect(point);
  SetState(StateFor(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL));
  return inside ? 1 : 0;
}

int MCheckTypeButton::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  SetState(StateFor(BUTTON_STATE_PRESSED));
  return 1;
}

// The click is reported last: the dialog may remove the control while it handles it.
int MCheckTypeButton::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool clicked = std::exchange(pressed_, false) && PtInRect(point);
  if (clicked) Choose();
  SetState(StateFor(clicked ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL));
  if (clicked) NotifyClicked();
  return 1;
}

int MCheckTypeButton::OnControlKeyDown(std::uint32_t key, std::uint32_t /*repeat*/, std::uint32_t modifiers) {
  if (!IsEnabled()) return 0;
  const bool accelerator = accelKey_ != 0 && key == accelKey_ && modifiers == accelModifiers_;
  const bool space = key == VK_SPACE && modifiers == 0 && IsFocused();
  if (!accelerator && !space) return 0;
  Choose();
  SendMessageW(NOTIFY_CHECK, 0, check_);
  return 1;
}

void MCheckTypeButton::SetControlEnabled(bool /*enabled*/) {
  pressed_ = false;
  SetState(StateFor(BUTTON_STATE_NORMAL));
}

void MCheckTypeButton::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MCheckTypeButton::GetCheck() const { return check_; }

int MCheckTypeButton::SetCheck(int check) {
  if (IsEnabled()) SetControlCheck(check);
  return check_;
}

void MCheckTypeButton::SetControlCheck(int check) {
  check_ = check != 0 ? 1 : 0;
  SetState(StateFor(state_ % CHECKED_STATE_OFFSET));
}

int MCheckTypeButton::GetState() const { return state_; }

void MCheckTypeButton::SetFrameSize(int corner) {
  frameSize_ = std::max(corner, 0);
  UpdateControl(CacheReset::Reset);
}

void MCheckTypeButton::SetTextRect(const Rect& rect) {
  textRect_ = rect;
  UpdateControl(CacheReset::Reset);
}

void MCheckTypeButton::NotifyClicked() { SendMessageW(NOTIFY_CLICKED, 0, 0); }

int MCheckTypeButton::StateFor(int baseState) const {
  if (!IsEnabled()) baseState = BUTTON_STATE_DISABLED;
  return baseState + (check_ != 0 ? CHECKED_STATE_OFFSET : 0);
}

void MCheckTypeButton::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

void MCheckTypeButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  int boxWidth = 0;
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const Rect source = skin->image->StripFrameRect(std::min(state, skin->frameCount - 1), skin->frameCount);
    boxWidth = source.Width();
    const int top = slot.top + (slot.Height() - source.Height()) / 2;
    MRender::DrawImage(target, *skin->image, Rect{slot.left, top, slot.left + boxWidth, top + source.Height()}, source);
  }
  if (title_.empty()) return;
  const Rect afterBox{slot.left + boxWidth + kTitleGap, slot.top, slot.right, slot.bottom};
  const Rect area = RectOps::Empty(textRect_) ? afterBox : RectOps::Offset(textRect_, slot.left, slot.top);
  const ArgbColor ink = IsDisabledState(state) ? kDisabledText : GetTextColor();
  MRender::DrawTextW(target, area, title_, ink, GetGDIFont(), kTitleFormat);
}

}  // namespace ZephUI
