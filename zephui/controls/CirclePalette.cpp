#include "zephui/CirclePalette.h"

#include <cstdlib>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kThumbSize = 10;
constexpr int kCircle = 8;
constexpr int kReach = 65;            // farther from the centre is off the wheel
constexpr int kStillX = 5;            // drag moves this small are jitter
constexpr int kStillY = 6;
constexpr ArgbColor kThumbLight(0xFEFFFFFF);
constexpr ArgbColor kThumbShade(0xFE808080);

}  // namespace

CirclePalette::CirclePalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true) {}

CirclePalette::~CirclePalette() = default;

void CirclePalette::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
  DrawThumb(hdc);
}

int CirclePalette::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  dragging_ = RectOps::Contains(GetThumbRect(), point);
  last_ = point;
  MoveThumb(point);
  return 1;
}

int CirclePalette::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!dragging_) return 0;
  if (std::abs(point.x - last_.x) <= kStillX && std::abs(point.y - last_.y) < kStillY) return 1;
  if (MoveThumb(point)) last_ = point;
  return 1;
}

int CirclePalette::OnControlLButtonUp(std::uint32_t /*flags*/, Point /*point*/) {
  const bool was = dragging_;
  dragging_ = false;
  return was ? 1 : 0;
}

int CirclePalette::OnControlRButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  MoveThumb(point);
  return 1;
}

GdiColor CirclePalette::GetSelectColor() const { return colour_; }

Rect CirclePalette::GetThumbRect() const {
  const int x = rect_.left + thumb_.x;
  const int y = rect_.top + thumb_.y;
  return Rect{x, y, x + kThumbSize, y + kThumbSize};
}

// The report comes last: the dialog may act on the new colour at once.
bool CirclePalette::MoveThumb(Point point) {
  const long long dx = point.x - (rect_.left + rect_.right) / 2;
  const long long dy = point.y - (rect_.top + rect_.bottom) / 2;
  if (dx * dx + dy * dy > static_cast<long long>(kReach) * kReach) return false;
  const Rect before = GetThumbRect();
  thumb_ = Point{point.x - rect_.left - kThumbSize / 2, point.y - rect_.top - kThumbSize / 2};
  colour_ = ColourAt(point);
  UpdateControl(RectOps::Union(before, GetThumbRect()), CacheReset::Keep);
  SendMessageW(NOTIFY_COLOR, 0, static_cast<LPARAM>(colour_.Value()));
  return true;
}

GdiColor CirclePalette::ColourAt(Point point) const {
  const Image* cache = GetMemImage();
  if (GetUpdate() && cache != nullptr && cache->Width() == rect_.Width() && cache->Height() == rect_.Height()) {
    return ToGdi(cache->PixelAt(point.x - rect_.left, point.y - rect_.top));
  }
  const ImgResInfo* wheel = GetImageInfo();
  if (wheel == nullptr || !wheel->image || rect_.Width() <= 0 || rect_.Height() <= 0) return colour_;
  const int x = (point.x - rect_.left) * wheel->frameWidth / rect_.Width();
  const int y = (point.y - rect_.top) * wheel->height / rect_.Height();
  return ToGdi(wheel->image->PixelAt(x, y));
}

void CirclePalette::Render(RenderContext& target, const Rect& slot) const {
  const ImgResInfo* wheel = GetImageInfo();
  if (wheel == nullptr || !wheel->image) return;
  MRender::DrawImage(target, *wheel->image, slot, wheel->image->StripFrameRect(0, wheel->frameCount));
}

void CirclePalette::DrawThumb(RenderContext& hdc) const {
  const Rect thumb = GetThumbRect();
  hdc.Save();
  hdc.ClipRect(rect_);
  MRender::DrawRoundRectange(hdc, thumb.left + 1, thumb.top + 1, kCircle, kCircle, 1, kThumbShade);
  MRender::DrawRoundRectange(hdc, thumb.left, thumb.top, kCircle, kCircle, 1, kThumbLight);
  hdc.Restore();
}

}  // namespace ZephUI
