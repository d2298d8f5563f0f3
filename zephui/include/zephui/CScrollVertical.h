// A stand-alone vertical scroll bar: the panels' bar, always upright.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MScroll.h"

namespace ZephUI {

/// A vertical scroll bar; reports NOTIFY_SCROLL (position, 0) as its thumb moves.
class ZEPHUI_API CScrollVertical : public MScroll {
 public:
  /// A vertical bar with range 1000, position 0 and row step 10.
  CScrollVertical(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
};

}  // namespace ZephUI
