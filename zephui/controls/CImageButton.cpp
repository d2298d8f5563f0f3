#include "zephui/CImageButton.h"

#include <utility>

#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kBalloonMode = 3;  // the mode every library balloon is shown with

bool HasBalloon(int mode) { return mode == 1 || mode == 2; }

}  // namespace

CImageButton::CImageButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {}

CImageButton::~CImageButton() = default;

int CImageButton::OnControlMouseMove(std::uint32_t flags, Point point) {
  const int before = state_;
  const int result = MButton::OnControlMouseMove(flags, point);
  FollowState(before);
  return result;
}

int CImageButton::OnControlLButtonDown(std::uint32_t flags, Point point) {
  const int before = state_;
  const int result = MButton::OnControlLButtonDown(flags, point);
  FollowState(before);
  return result;
}

// A button removed by the click's handler stays alive until the message ends, so following afterwards is safe.
int CImageButton::OnControlLButtonUp(std::uint32_t flags, Point point) {
  const int before = state_;
  const int result = MButton::OnControlLButtonUp(flags, point);
  FollowState(before);
  return result;
}

void CImageButton::SetControlEnabled(bool enabled) {
  const int before = state_;
  MButton::SetControlEnabled(enabled);
  FollowState(before);
}

void CImageButton::SetAlrBladderMode(int mode) { balloonMode_ = mode; }

void CImageButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  DrawSkin(target, slot, state);
  DrawIcon(target, slot);
}

void CImageButton::FollowState(int before) {
  if (state_ == before || manager_ == nullptr || !HasBalloon(balloonMode_)) return;
  if (state_ != BUTTON_STATE_HOVER || title_.empty()) {
    manager_->ShowAirBladder(false, id_);
    return;
  }
  Point anchor{balloonMode_ == 1 ? rect_.right : rect_.left, rect_.top + rect_.Height() / 2};
  ClientToScreen(manager_->GetPaintWnd(), anchor);
  manager_->SetAirBladderMsg(title_, anchor, balloonMode_, kBalloonMode);
  manager_->ShowAirBladder(true, id_);
}

}  // namespace ZephUI
