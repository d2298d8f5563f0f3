#include "keyboard/RubberBand.h"

#include <algorithm>
#include <cstdlib>

namespace ZephUI {
namespace {

constexpr int kDragStep = 20;
constexpr int kMinimumSide = 6;

Point Inside(Point point, const Rect& limit) {
  if (limit.right <= limit.left || limit.bottom <= limit.top) return point;
  return Point{std::clamp(point.x, limit.left, limit.right - 1), std::clamp(point.y, limit.top, limit.bottom - 1)};
}

}  // namespace

void RubberBand::Start(Point point, const Rect& limit) {
  start_ = Inside(point, limit);
  corner_ = start_;
  armed_ = true;
  active_ = false;
}

void RubberBand::Clear() {
  armed_ = false;
  active_ = false;
}

bool RubberBand::Armed() const { return armed_; }

bool RubberBand::Active() const { return active_; }

bool RubberBand::Drag(Point point, const Rect& limit) {
  const Point to = Inside(point, limit);
  if (std::abs(to.x - corner_.x) <= kDragStep && std::abs(to.y - corner_.y) <= kDragStep) return false;
  corner_ = to;
  active_ = true;
  return true;
}

Rect RubberBand::Span() const {
  return Rect{std::min(start_.x, corner_.x), std::min(start_.y, corner_.y), std::max(start_.x, corner_.x),
              std::max(start_.y, corner_.y)};
}

Rect RubberBand::Area() const {
  const Rect span = Span();
  return span.Width() < kMinimumSide || span.Height() < kMinimumSide ? Rect{} : span;
}

}  // namespace ZephUI
