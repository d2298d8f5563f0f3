#include "zephui/CGifPicture.h"

#include <algorithm>
#include <string>

#include "zephui/MRender.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

constexpr int kTicksPerFrame = 5;
constexpr int kCacheFrameCount = 4;  // the frame count the image cache records for it

}  // namespace

CGifPicture::CGifPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, false) {
  SetRunTimer(true);
}

CGifPicture::~CGifPicture() = default;

void CGifPicture::InitControl(PaintManager* /*manager*/) { AddMTimer(); }

void CGifPicture::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const ImgResInfo* info = GetImageInfo();
  if (info == nullptr || !info->image) return;
  info->image->SelectAnimationFrame(frame_);
  MRender::DrawImage(hdc, *info->image, rect_, Rect{0, 0, info->image->Width(), info->image->Height()});
}

// Runs on the animation timer's thread: only atomics change here.
int CGifPicture::OnControlTimer() {
  if (!running_ || frames_ <= 1) return 0;
  if (++ticks_ < kTicksPerFrame) return 0;
  ticks_ = 0;
  frame_ = (frame_ + 1) % frames_;
  UpdateControl(CacheReset::Keep);
  return 1;
}

int CGifPicture::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!mouseActive_) return 0;
  const bool inside = PtInRect(point);
  if (inside != hovered_) {
    hovered_ = inside;
    SetRunState(inside, 0);
  }
  return inside ? 1 : 0;
}

int CGifPicture::SetImage(std::u16string_view path, int /*frames*/) {
  if (manager_ == nullptr) return 0;
  const ImgResInfo* record = manager_->AddImgResInfo(path, kCacheFrameCount);
  if (record == nullptr || !record->image || record->image->AnimationFrameCount() < 1) {
    // A picture that cannot be animated is dropped: the control shows nothing rather than a stale image.
    image_ = nullptr;
    frames_ = 0;
    running_ = false;
    UpdateControl(CacheReset::Reset);
    return 0;
  }
  image_ = record;
  frames_ = record->image->AnimationFrameCount();
  frame_ = 0;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int CGifPicture::SetRunState(bool run, int frame) {
  if (frames_ <= 1) return 0;
  frame_ = std::clamp(frame, 0, frames_ - 1);
  ticks_ = 0;
  running_ = run;
  UpdateControl(CacheReset::Keep);
  return 1;
}

void CGifPicture::SetMouseMoveActive(bool on) {
  mouseActive_ = on;
  SetRresponse(on);
}

bool CGifPicture::IsAnimate() const { return running_; }

int CGifPicture::SelectActiveFrame(int index) {
  if (index < 0 || index >= frames_) return 0;
  frame_ = index;
  UpdateControl(CacheReset::Keep);
  return 1;
}

int CGifPicture::ActiveNextFrame() {
  if (frames_ <= 0) return 0;
  frame_ = (frame_ + 1) % frames_;
  UpdateControl(CacheReset::Keep);
  return frame_;
}

int CGifPicture::GetActiveFrame() const { return frame_; }

int CGifPicture::GetFrameCount() const { return frames_; }

}  // namespace ZephUI
