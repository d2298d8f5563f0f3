// A filled rectangle: one colour, opaque (with an optional frame) or
// fading from one transparency to another down or across the control, over
// whatever lies below. Drawn over it at each paint, no cache kept; takes no input.
#pragma once

#include <cstdint>
#include <memory>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControl.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

struct AreaFill;

/// The library's area ("CArea" in the factory).
class ZEPHUI_API CArea : public MControl {
 public:
  /// A white area fading 80 % to 80 % from top to bottom; takes no input.
  CArea(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CArea() override;

  /// Draws the fill over what lies under the area.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// Transparency at the first and last line in percent (0 and 0: opaque) and the colour; repaints.
  void SetTransparent(int startPercent, int endPercent, GdiColor colour);
  /// A one-pixel frame in `colour` around an opaque fill when on; repaints.
  void SetFrame(bool on, ArgbColor colour);
  /// Fade down the rows (vertical, default) or across the columns; repaints.
  void SetTransitionDirection(GradientDirection direction);
  /// The fill colour.
  GdiColor GetColor() const;

 private:
  std::unique_ptr<AreaFill> fill_;  ///< colour, fade and frame
};

}  // namespace ZephUI
