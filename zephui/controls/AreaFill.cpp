#include "controls/AreaFill.h"

#include "zephui/Image.h"
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
  const auto scratch = Image::Create(slot.Width(), slot.Height());
  if (!scratch) return;
  const Rect whole{0, 0, slot.Width(), slot.Height()};
  {
    RenderContext paint(*scratch);
    MRender::FillSolidRect(paint, whole, colour);
    paint.Flush();
  }
  if (direction == GradientDirection::Vertical) {
    MRender::DrawVerticalTransition(target, *scratch, slot, whole, startPercent, endPercent);
  } else {
    MRender::DrawHorizontalTransition(target, *scratch, slot, whole, startPercent, endPercent);
  }
}

}  // namespace ZephUI
