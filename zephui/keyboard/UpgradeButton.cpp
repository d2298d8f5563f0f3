#include "zephui/UpgradeButton.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "zephui/Font.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kFrameSize = 8;
constexpr int kBadge = 16;
constexpr int kBadgeFont = 8;
constexpr ArgbColor kBadgeFill{0xFFFF0000};

// A filled circle in `box`, one pixel line at a time.
void FillCircle(RenderContext& target, const Rect& box, ArgbColor colour) {
  const double radius = box.Width() / 2.0;
  for (int y = 0; y < box.Height(); ++y) {
    const double dy = y + 0.5 - radius;
    const int half = static_cast<int>(std::lround(std::sqrt(std::max(radius * radius - dy * dy, 0.0))));
    const int mid = box.left + box.Width() / 2;
    MRender::DrawColor(target, Rect{mid - half, box.top + y, mid + half, box.top + y + 1}, colour);
  }
}

}  // namespace

UpgradeButton::UpgradeButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                             bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {
  frameSize_ = kFrameSize;
  hAlign_ = 1;
}

UpgradeButton::~UpgradeButton() = default;

void UpgradeButton::SetUpgradeStatus(int status) {
  if (status == status_) return;
  status_ = status;
  UpdateControl(CacheReset::Reset);
}

int UpgradeButton::GetUpgradeStatus() const { return status_; }

void UpgradeButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  MButton::RenderState(target, slot, state);
  if (status_ == 0) return;
  const Rect badge{slot.right - kBadge, slot.top, slot.right, slot.top + kBadge};
  FillCircle(target, badge, kBadgeFill);
  MRender::DrawTextW(target, badge, u"1", GetTextColor(), Font(GetGDIFont().Face(), kBadgeFont),
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

}  // namespace ZephUI
