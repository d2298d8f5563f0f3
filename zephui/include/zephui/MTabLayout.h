// A tab page: an invisible container whose children are the page's controls.
// It draws nothing of its own and takes the mouse only where one of its
// children does, so the controls under an empty part of the page stay usable.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// The library's tab page ("MTabLayout" in the factory).
class ZEPHUI_API MTabLayout : public MPanel {
 public:
  /// A page with the run-timer flag set, so its children get animation ticks.
  MTabLayout(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the page's controls.
  ~MTabLayout() override;

  /// True only over a visible child that takes the mouse there.
  bool PtInRect(Point point) const override;
};

}  // namespace ZephUI
