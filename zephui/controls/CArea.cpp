#include "zephui/CArea.h"

#include "controls/AreaFill.h"
#include "core/RectOps.h"

namespace ZephUI {

CArea::CArea(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControl(parent, id, rect, visible, enabled, false), fill_(std::make_unique<AreaFill>()) {}

CArea::~CArea() = default;

void CArea::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  if (!RectOps::Empty(rect_)) fill_->Render(hdc, rect_);
}

void CArea::SetTransparent(int startPercent, int endPercent, GdiColor colour) {
  fill_->SetTransparent(startPercent, endPercent, colour);
  UpdateControl(CacheReset::Reset);
}

void CArea::SetFrame(bool on, ArgbColor colour) {
  fill_->SetFrame(on, colour);
  UpdateControl(CacheReset::Reset);
}

void CArea::SetTransitionDirection(GradientDirection direction) {
  fill_->direction = direction;
  UpdateControl(CacheReset::Reset);
}

GdiColor CArea::GetColor() const { return fill_->colour; }

}  // namespace ZephUI
