#include "zephui/CScrollHorizontal.h"

namespace ZephUI {

CScrollHorizontal::CScrollHorizontal(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MScroll(parent, id, rect, ScrollOrientation::Horizontal, visible, enabled) {}

}  // namespace ZephUI
