#include "backend/x11/X11Shape.h"

#include <vector>

#include "backend/RoundRegion.h"

#include <X11/extensions/shape.h>

namespace ZephUI::Backend {

void X11Shape::SetRound(X11Connection& c, Window window, int width, int height, int diameter) {
  if (!c.extensions.shape) return;
  if (diameter <= 0) {
    XShapeCombineMask(c.display, window, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  std::vector<XRectangle> rectangles;
  for (const Rect& band : RoundRegion(width, height, diameter).Bands()) {
    rectangles.push_back(XRectangle{static_cast<short>(band.left), static_cast<short>(band.top),
                                    static_cast<unsigned short>(band.Width()), static_cast<unsigned short>(band.Height())});
  }
  XShapeCombineRectangles(c.display, window, ShapeBounding, 0, 0, rectangles.data(), static_cast<int>(rectangles.size()),
                          ShapeSet, YXBanded);
}

void X11Shape::SetClickThrough(X11Connection& c, Window window, bool through) {
  if (!c.extensions.shape) return;
  if (through) {
    XShapeCombineRectangles(c.display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, YXBanded);
  } else {
    XShapeCombineMask(c.display, window, ShapeInput, 0, 0, None, ShapeSet);  // input follows the bounding shape again
  }
}

}  // namespace ZephUI::Backend
