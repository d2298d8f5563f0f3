#include "keyboard/LoadingPicture.h"

#include <utility>

#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kGap = 12;  // between the logo and the animation

}  // namespace

LoadingPicture::LoadingPicture(MObject* parent, const Rect& rect) : MControl(parent, 0, rect, true, true, false) {}

LoadingPicture::~LoadingPicture() = default;

void LoadingPicture::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const int logoHeight = logo_ ? logo_->Height() : 0;
  Rect frame{};
  if (FrameCount() > 0) {
    frame = stripFrames_ > 0 ? animation_->StripFrameRect(frame_, stripFrames_)
                             : Rect{0, 0, animation_->Width(), animation_->Height()};
  }
  const int total = logoHeight + (FrameCount() > 0 ? kGap + frame.Height() : 0);
  int top = rect_.top + (rect_.Height() - total) / 2;
  if (logo_) {
    MRender::DrawImage(hdc, *logo_, rect_.left + (rect_.Width() - logo_->Width()) / 2, top);
    top += logoHeight + kGap;
  }
  if (FrameCount() == 0) return;
  const int left = rect_.left + (rect_.Width() - frame.Width()) / 2;
  MRender::DrawImage(hdc, *animation_, Rect{left, top, left + frame.Width(), top + frame.Height()}, frame);
}

void LoadingPicture::SetLogo(std::unique_ptr<Image> logo) {
  logo_ = std::move(logo);
  UpdateControl(CacheReset::Reset);
}

void LoadingPicture::SetAnimation(std::unique_ptr<Image> animation, int stripFrames) {
  animation_ = std::move(animation);
  stripFrames_ = stripFrames;
  frame_ = 0;
  if (animation_ && stripFrames_ == 0) animation_->SelectAnimationFrame(0);
  UpdateControl(CacheReset::Reset);
}

void LoadingPicture::Step() {
  const int count = FrameCount();
  if (count <= 1) return;
  frame_ = (frame_ + 1) % count;
  if (stripFrames_ == 0) animation_->SelectAnimationFrame(frame_);
  UpdateControl(CacheReset::Reset);
}

int LoadingPicture::GetFrame() const { return frame_; }

int LoadingPicture::FrameCount() const {
  if (!animation_) return 0;
  return stripFrames_ > 0 ? stripFrames_ : animation_->AnimationFrameCount();
}

}  // namespace ZephUI
