#include "zephui/CScrollVertical.h"

namespace ZephUI {

CScrollVertical::CScrollVertical(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MScroll(parent, id, rect, ScrollOrientation::Vertical, visible, enabled) {}

}  // namespace ZephUI
