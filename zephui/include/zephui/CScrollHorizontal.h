// A stand-alone horizontal scroll bar: the panels' bar, always lying flat.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MScroll.h"

namespace ZephUI {

/// A horizontal scroll bar; reports NOTIFY_SCROLL (position, 0) as its thumb moves.
class ZEPHUI_API CScrollHorizontal : public MScroll {
 public:
  /// A horizontal bar with range 1000, position 0 and row step 10.
  CScrollHorizontal(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
};

}  // namespace ZephUI
