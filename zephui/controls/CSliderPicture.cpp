#include "zephui/CSliderPicture.h"

#include <algorithm>
#include <string>

#include "zephui/MRender.h"

namespace ZephUI {

CSliderPicture::CSliderPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, false) {}

CSliderPicture::~CSliderPicture() = default;

void CSliderPicture::InitControl(PaintManager* /*manager*/) { AddMTimer(); }

void CSliderPicture::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const ImgResInfo* info = GetImageInfo();
  if (info == nullptr || !info->image) return;
  const int extent = Extent();
  const int offset = offset_ < 0 ? extent : std::min<int>(offset_, extent);
  const int toCome = extent - offset;
  int dx = 0;
  int dy = 0;
  switch (direction_) {
    case SLIDE_FROM_TOP: dy = -toCome; break;
    case SLIDE_FROM_RIGHT: dx = toCome; break;
    default: dx = -toCome; break;
  }
  hdc.Save();
  hdc.ClipRect(rect_);
  const Rect dest{rect_.left + dx, rect_.top + dy, rect_.right + dx, rect_.bottom + dy};
  MRender::DrawImage(hdc, *info->image, dest, info->image->StripFrameRect(0, std::max(imageCount_, 1)));
  hdc.Restore();
}

// Runs on the animation timer's thread: only atomics change here, and the repaint is an invalidation.
int CSliderPicture::OnControlTimer() {
  if (!running_) return 0;
  if (++ticks_ < stepTicks_) return 0;
  ticks_ = 0;
  const int extent = Extent();
  const int next = std::min(offset_ + std::max(extent / 100, 1), extent);
  offset_ = next;
  if (next >= extent) {
    running_ = false;
    SetRunTimer(false);
  }
  InvalidateRect(rect_, EraseMode::Keep);
  return 1;
}

void CSliderPicture::SetRun(bool run, int direction) {
  ticks_ = 0;
  if (run) {
    direction_ = direction;
    offset_ = 0;
  } else {
    offset_ = -1;
  }
  running_ = run;
  SetRunTimer(run);
  UpdateControl(CacheReset::Keep);
}

void CSliderPicture::SetStepTicks(int ticks) { stepTicks_ = std::max(ticks, 1); }

bool CSliderPicture::IsRun() const { return running_; }

int CSliderPicture::GetOffset() const { return offset_ < 0 ? Extent() : offset_.load(); }

int CSliderPicture::Extent() const { return direction_ == SLIDE_FROM_TOP ? rect_.Height() : rect_.Width(); }

}  // namespace ZephUI
