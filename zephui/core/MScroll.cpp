#include "zephui/MScroll.h"

#include <algorithm>

#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kMinThumb = 12;
constexpr ArgbColor kTrackColour(0x30FFFFFF);
constexpr ArgbColor kThumbColour(0xC0A0A8B4);

}  // namespace

MScroll::MScroll(MObject* parent, std::uint32_t id, const Rect& rect, ScrollOrientation orientation, bool visible,
                 bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true), orientation_(orientation) {}

ScrollOrientation MScroll::GetOrientation() const { return orientation_; }

void MScroll::SetScrollRange(int range) {
  range_ = std::max(range, 0);
  position_ = std::clamp(position_.load(), 0, range_.load());
}

int MScroll::GetScrollRange() const { return range_; }

bool MScroll::SetScrollPos(int position) {
  const int clamped = std::clamp(position, 0, range_.load());
  if (clamped == position_) return false;
  position_ = clamped;
  UpdateControl(CacheReset::Keep);
  return true;
}

int MScroll::GetScrollPos() const { return position_; }

void MScroll::SetScrollStep(int step) { step_ = step; }

int MScroll::GetScrollStep() const { return step_; }

bool MScroll::ResetPosOnResize() const { return false; }

int MScroll::ThumbLength() const {
  const int length = orientation_ == ScrollOrientation::Vertical ? rect_.Height() : rect_.Width();
  if (length <= 0) return 0;
  const int range = range_;
  if (range <= length) return length;
  const long long share = static_cast<long long>(length) * length / range;
  return std::min(length, std::max(kMinThumb, static_cast<int>(share)));
}

Rect MScroll::ThumbRect() const {
  const bool vertical = orientation_ == ScrollOrientation::Vertical;
  const int length = vertical ? rect_.Height() : rect_.Width();
  const int thumb = ThumbLength();
  const int travel = length - thumb;
  const int range = range_;
  const int offset = range > 0 ? static_cast<int>(static_cast<long long>(travel) * position_ / range) : 0;
  if (vertical) return Rect{rect_.left, rect_.top + offset, rect_.right, rect_.top + offset + thumb};
  return Rect{rect_.left + offset, rect_.top, rect_.left + offset + thumb, rect_.bottom};
}

int MScroll::PositionFromPoint(Point point) const {
  const bool vertical = orientation_ == ScrollOrientation::Vertical;
  const int length = vertical ? rect_.Height() : rect_.Width();
  const int travel = length - ThumbLength();
  if (travel <= 0) return 0;
  const int along = (vertical ? point.y - rect_.top : point.x - rect_.left) - dragOffset_;
  const int range = range_;
  return std::clamp(static_cast<int>(static_cast<long long>(along) * range / travel), 0, range);
}

void MScroll::MoveTo(int position) {
  if (SetScrollPos(position)) SendMessageW(NOTIFY_SCROLL, static_cast<WPARAM>(position_.load()), 0);
}

void MScroll::DrawControl(RenderContext& hdc, const Rect&) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameCount >= 2) {
    const Image& strip = *skin->image;
    MRender::DrawImage(hdc, strip, rect_, strip.StripFrameRect(0, skin->frameCount));
    MRender::DrawImage(hdc, strip, ThumbRect(), strip.StripFrameRect(1, skin->frameCount));
    return;
  }
  MRender::DrawColor(hdc, rect_, kTrackColour);
  MRender::DrawColor(hdc, ThumbRect(), kThumbColour);
}

int MScroll::OnControlLButtonDown(std::uint32_t, Point point) {
  const bool vertical = orientation_ == ScrollOrientation::Vertical;
  const Rect thumb = ThumbRect();
  if (RectOps::Contains(thumb, point)) {
    dragOffset_ = vertical ? point.y - thumb.top : point.x - thumb.left;
  } else {
    dragOffset_ = ThumbLength() / 2;  // the thumb jumps to centre on the point
    MoveTo(PositionFromPoint(point));
  }
  dragging_ = RectOps::Contains(ThumbRect(), point);
  return 1;
}

int MScroll::OnControlMouseMove(std::uint32_t, Point point) {
  if (!dragging_) return 0;
  MoveTo(PositionFromPoint(point));
  return 1;
}

int MScroll::OnControlLButtonUp(std::uint32_t, Point) {
  const bool wasDragging = dragging_;
  dragging_ = false;
  return wasDragging ? 1 : 0;
}

}  // namespace ZephUI
