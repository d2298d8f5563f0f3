#include "zephui/MTabLayout.h"

namespace ZephUI {

MTabLayout::MTabLayout(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {
  SetRunTimer(true);
}

MTabLayout::~MTabLayout() = default;

bool MTabLayout::PtInRect(Point point) const {
  if (!MPanel::PtInRect(point)) return false;
  return ForEachControl([point](MControl* child) {
    return child->IsVisible() && child->GetRresponse() && child->PtInRect(point);
  });
}

}  // namespace ZephUI
