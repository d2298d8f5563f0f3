#include "zephui/CSwitchButton.h"

#include <algorithm>

#include "zephui/MRender.h"
#include "zephui/Manager.h"

namespace ZephUI {
namespace {

constexpr ArgbColor kTrackOff(0xFF3A3F47);
constexpr ArgbColor kTrackDisabled(0xFF2A2D33);
constexpr ArgbColor kKnob(0xFFF0F0F0);
constexpr ArgbColor kKnobDisabled(0xFF7A7E84);

// Which frame of a strip shows a state: the full eight, off and on, or the one picture.
int FrameOf(int state, int frameCount) {
  if (frameCount >= 2 * CHECKED_STATE_OFFSET) return state;
  if (frameCount >= 2) return state >= CHECKED_STATE_OFFSET ? 1 : 0;
  return 0;
}

}  // namespace

CSwitchButton::CSwitchButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MCheckTypeButton(parent, id, rect, std::u16string(), visible, enabled) {}

CSwitchButton::~CSwitchButton() = default;

void CSwitchButton::Choose() { SetControlCheck(check_ == 0 ? 1 : 0); }

void CSwitchButton::NotifyClicked() { SendMessageW(NOTIFY_CLICKED, 0, check_); }

void CSwitchButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin == nullptr || !skin->image || skin->frameWidth <= 0) {
    DrawTrack(target, slot, state);
    return;
  }
  const int frame = std::min(FrameOf(state, skin->frameCount), skin->frameCount - 1);
  MRender::DrawImageFrame(target, *skin->image, slot, frame * skin->frameWidth, 0, skin->frameWidth, skin->height,
                          frameSize_);
}

void CSwitchButton::DrawTrack(RenderContext& target, const Rect& slot, int state) const {
  const bool on = state >= CHECKED_STATE_OFFSET;
  const bool disabled = state % CHECKED_STATE_OFFSET == BUTTON_STATE_DISABLED;
  const int w = slot.Width();
  const int h = slot.Height();
  const ArgbColor track = disabled ? kTrackDisabled : on ? Manager::GetSelectColor() : kTrackOff;
  MRender::DrawRoundRectange(target, slot.left, slot.top, w, h, 6, track, 1, ShapeFill::Filled, track);
  const int knob = std::max(h - 4, 2);
  const int x = on ? slot.right - 2 - knob : slot.left + 2;
  // A square box with a radius argument of 1 gives a circle.
  MRender::DrawRoundRectange(target, x, slot.top + 2, knob, knob, 1, disabled ? kKnobDisabled : kKnob, 1,
                             ShapeFill::Filled, disabled ? kKnobDisabled : kKnob);
}

}  // namespace ZephUI
