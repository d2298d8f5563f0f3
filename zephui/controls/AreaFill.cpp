#include "controls/AreaFill.h"

#include "core/RenderCairo.h"
#include "core/RenderTransition.h"
#include "zephui/MRender.h"

namespace ZephUI {

void AreaFill::Render(RenderContext& target, const Rect& slot) const {
  if (startPercent == 0 && endPercent == 0) {
    if (!frame) {
      MRender::FillSolidRect(target, slot, colour);
      return;
    }
    MRender::DrawColor(target, slot, frameColour);
    MRender::FillSolidRect(target, Rect{slot.left + 1, slot.top + 1, slot.right - 1, slot.bottom - 1}, colour);
    return;
  }
  const RenderTransition::Lines lines =
      direction == GradientDirection::Vertical ? RenderTransition::Lines::Rows : RenderTransition::Lines::Columns;
  RenderTransition::DrawColour(RenderCairo::Context(target), colour, slot, startPercent, endPercent, lines);
}

}  // namespace ZephUI
