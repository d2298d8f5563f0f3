#include "zephui/MSlider.h"

#include <algorithm>
#include <string>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kDefaultThumb = 36;  // thumb size before a picture is set
constexpr int kTrackTop = 15;
constexpr int kTrackLeft = 12;     // the empty track
constexpr int kFilledLeft = 10;    // the filled part starts a little earlier, under the thumb's rim
constexpr int kTextHeight = 20;
constexpr int kThumbFrames = 4;
constexpr int kFrameHover = 1;
constexpr int kFrameDisabled = 3;

}  // namespace

MSlider::MSlider(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true) {
  SetTabStop(true);
}

MSlider::~MSlider() = default;

void MSlider::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

int MSlider::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  if (dragging_) {
    if (Change(ValueAt(point.x))) SendMessageW(NOTIFY_SCROLL, static_cast<WPARAM>(value_), 0);
    return 1;
  }
  const bool over = RectOps::Contains(GetThumbRect(), point);
  SetFlag(hover_, over);
  return over ? 1 : 0;
}

int MSlider::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  if (!RectOps::Contains(GetThumbRect(), point) && Change(ValueAt(point.x))) {
    SendMessageW(NOTIFY_SCROLL, static_cast<WPARAM>(value_), 0);
  }
  SetFlag(dragging_, RectOps::Contains(GetThumbRect(), point));
  return 1;
}

// The report comes last: the dialog may act on the final value at once.
int MSlider::OnControlLButtonUp(std::uint32_t /*flags*/, Point /*point*/) {
  if (!pressed_) return 0;
  pressed_ = false;
  SetFlag(dragging_, false);
  SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

// Only under the pointer: the window offers an unhandled wheel step to every control.
int MSlider::OnControlScroll(int /*bar*/, int direction, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  return Step(direction == 1 ? value_ - 1 : value_ + 1);
}

int MSlider::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (IsEnabled() && IsFocused() && modifiers == 0) {
    switch (key) {
      case VK_LEFT:
      case VK_DOWN: return Step(value_ - 1);
      case VK_RIGHT:
      case VK_UP: return Step(value_ + 1);
      case VK_HOME: return Step(min_);
      case VK_END: return Step(max_);
      default: break;
    }
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void MSlider::SetControlEnabled(bool /*enabled*/) {
  hover_ = false;
  dragging_ = false;
  pressed_ = false;
  UpdateControl(CacheReset::Reset);
}

void MSlider::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MSlider::SetThumbImage(std::u16string_view path) {
  if (manager_ == nullptr) return 0;
  const ImgResInfo* record = manager_->AddImgResInfo(path, kThumbFrames);
  if (record == nullptr) return 0;
  thumb_ = record;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MSlider::SetProgress(int value) {
  if (value < 0) return value_;
  Change(std::clamp(value, min_, std::max(min_, max_)));
  return value_;
}

int MSlider::GetProgress() const { return value_; }

void MSlider::SetMinProgress(int minimum) {
  min_ = minimum;
  if (!Change(std::clamp(value_, min_, std::max(min_, max_)))) UpdateControl(CacheReset::Reset);
}

int MSlider::GetMinProgress() const { return min_; }

void MSlider::SetMaxProgress(int maximum) {
  max_ = maximum;
  if (!Change(std::clamp(value_, min_, std::max(min_, max_)))) UpdateControl(CacheReset::Reset);
}

int MSlider::GetMaxProgress() const { return max_; }

void MSlider::SetShowText(bool on) {
  showText_ = on;
  UpdateControl(CacheReset::Reset);
}

void MSlider::SetScale(int marks) {
  scale_ = std::max(marks, 0);
  UpdateControl(CacheReset::Reset);
}

Rect MSlider::GetThumbRect() const {
  if (!HasThumb()) return Rect{};
  const int x = rect_.left + ThumbOffset();
  return Rect{x, rect_.top, x + thumb_->frameWidth, rect_.top + thumb_->height};
}

void MSlider::Render(RenderContext& target, const Rect& slot) {
  const int thumbX = ThumbOffset();
  DrawTrack(target, slot, thumbX);
  DrawScale(target, slot);
  if (HasThumb()) DrawThumb(target, slot, thumbX);
  if (!showText_) return;
  const Rect area{slot.left, std::max(slot.top, slot.bottom - kTextHeight), slot.right, slot.bottom};
  const std::u16string text = title_ + ToUtf16(std::to_string(value_));
  MRender::DrawTextW(target, area, text, GetTextColor(), GetGDIFont(),
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

void MSlider::DrawTrack(RenderContext& target, const Rect& slot, int thumbX) const {
  const ImgResInfo* track = GetImageInfo();
  if (track == nullptr || !track->image || track->height < 2) return;
  const int row = track->height / 2;
  const int width = track->frameWidth;
  const int top = slot.top + kTrackTop;
  const int emptyLeft = slot.left + kTrackLeft;
  MRender::DrawImage(target, *track->image, Rect{emptyLeft, top, emptyLeft + rect_.Width() - 20, top + row},
                     Rect{0, row, width, 2 * row});
  const int filled = thumbX + 10;
  if (filled <= 0) return;
  const int filledLeft = slot.left + kFilledLeft;
  MRender::DrawImage(target, *track->image, Rect{filledLeft, top, filledLeft + filled, top + row},
                     Rect{0, 0, std::min(filled, width), row});
}

void MSlider::DrawThumb(RenderContext& target, const Rect& slot, int thumbX) const {
  int frame = hover_ || dragging_ ? kFrameHover : 0;
  if (!IsEnabled()) frame = kFrameDisabled;
  frame = std::min(frame, thumb_->frameCount - 1);
  const int x = slot.left + thumbX;
  MRender::DrawImage(target, *thumb_->image, Rect{x, slot.top, x + thumb_->frameWidth, slot.top + thumb_->height},
                     thumb_->image->StripFrameRect(frame, thumb_->frameCount));
}

void MSlider::DrawScale(RenderContext& target, const Rect& slot) const {
  if (scale_ < 2) return;
  const ImgResInfo* track = GetImageInfo();
  const int y = slot.top + kTrackTop + (track != nullptr ? track->height / 2 : 0) + 3;
  const int span = rect_.Width() - 2 * kTrackLeft - 1;
  for (int i = 0; i < scale_; ++i) {
    const int x = slot.left + kTrackLeft + span * i / (scale_ - 1);
    MRender::DrawColor(target, Rect{x, y, x + 1, y + 4}, GetTextColor());
  }
}

int MSlider::ThumbOffset() const {
  if (max_ <= min_) return 0;
  const int thumbWidth = thumb_ != nullptr ? thumb_->frameWidth : kDefaultThumb;
  const int travel = std::max(rect_.Width() - thumbWidth, 0);
  const long long offset = static_cast<long long>(travel) * (value_ - min_) / (max_ - min_);
  return std::clamp(static_cast<int>(offset), 0, travel);
}

int MSlider::ValueAt(int x) const {
  if (max_ <= min_) return min_;
  const int thumbWidth = thumb_ != nullptr ? thumb_->frameWidth : kDefaultThumb;
  const int travel = rect_.Width() - thumbWidth;
  if (travel <= 0) return min_;
  const long long value = min_ + static_cast<long long>(x - rect_.left) * (max_ - min_ + 1) / travel;
  return static_cast<int>(std::clamp<long long>(value, min_, max_));
}

bool MSlider::HasThumb() const { return thumb_ != nullptr && thumb_->image && min_ < max_; }

bool MSlider::Change(int value) {
  if (value == value_) return false;
  value_ = value;
  UpdateControl(CacheReset::Reset);
  return true;
}

int MSlider::Step(int value) {
  if (!Change(std::clamp(value, min_, std::max(min_, max_)))) return 0;
  SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

void MSlider::SetFlag(bool& flag, bool on) {
  if (flag == on) return;
  flag = on;
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI
