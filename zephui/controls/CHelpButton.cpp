#include "zephui/CHelpButton.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "zephui/MButton.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr int kBalloonDrop = 25;  // anchor below the top edge
constexpr int kBalloonType = 2;
constexpr int kBalloonMode = 3;
constexpr ArgbColor kMark(0xFFADADAD);
constexpr ArgbColor kMarkDisabled(0xFF606060);
constexpr TextFormat kCentred = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

CHelpButton::CHelpButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                         bool enabled)
    : MControlFont(parent, id, rect, std::move(title), visible, enabled, true),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {}

CHelpButton::~CHelpButton() = default;

void CHelpButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

int CHelpButton::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool inside = PtInRect(point);
  const int state = inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL;
  if (state != state_) {
    state_ = state;
    UpdateControl(CacheReset::Keep);
    if (inside) {
      ShowBalloon();
    } else {
      HideBalloon();
    }
  }
  return inside ? 1 : 0;
}

void CHelpButton::SetControlEnabled(bool enabled) {
  state_ = enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED;
  if (!enabled) HideBalloon();
}

int CHelpButton::GetState() const { return state_; }

void CHelpButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const Rect source = skin->image->StripFrameRect(std::min(state, skin->frameCount - 1), skin->frameCount);
    MRender::DrawImage(target, *skin->image, slot, source);
    return;
  }
  const ArgbColor ink = state == BUTTON_STATE_DISABLED ? kMarkDisabled
                        : state == BUTTON_STATE_HOVER   ? Manager::GetSelectColor()
                                                        : kMark;
  const int size = std::min(slot.Width(), slot.Height());
  const int x = slot.left + (slot.Width() - size) / 2;
  const int y = slot.top + (slot.Height() - size) / 2;
  MRender::DrawRoundRectange(target, x, y, size, size, 1, ink, 1);
  MRender::DrawTextW(target, Rect{x, y, x + size, y + size}, u"?", ink, GetGDIFont(), kCentred);
}

void CHelpButton::ShowBalloon() {
  if (manager_ == nullptr || title_.empty()) return;
  Point anchor{rect_.left, rect_.top + kBalloonDrop};
  ClientToScreen(manager_->GetPaintWnd(), anchor);
  manager_->SetAirBladderMsg(title_, anchor, kBalloonType, kBalloonMode);
  manager_->ShowAirBladder(true, id_);
}

void CHelpButton::HideBalloon() {
  // Id 0 cannot prove ownership, so such a mark leaves the balloon to its timer.
  if (manager_ != nullptr && id_ != 0) manager_->ShowAirBladder(false, id_);
}

}  // namespace ZephUI
