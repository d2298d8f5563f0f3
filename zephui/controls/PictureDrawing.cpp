#include "controls/PictureDrawing.h"

#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {

bool PictureDrawing::Unscaled(const Rect& source, const Rect& dest, const PictureLayout& layout) {
  if (layout.mode == PICTURE_NATURAL || layout.mode == PICTURE_TILED) return true;
  const bool sameSize = source.Width() == dest.Width() && source.Height() == dest.Height();
  return sameSize && (layout.mode == PICTURE_STRETCH || (layout.mode == PICTURE_CUSTOM && RectOps::Empty(layout.custom)));
}

void PictureDrawing::Draw(RenderContext& target, const Image& image, const Rect& source, const Rect& dest,
                          const PictureLayout& layout) {
  if (RectOps::Empty(source) || RectOps::Empty(dest)) return;
  target.Save();
  target.ClipRect(dest);
  const int sx = source.left;
  const int sy = source.top;
  const int sw = source.Width();
  const int sh = source.Height();
  switch (layout.mode) {
    case PICTURE_TILED:
      DrawTiled(target, image, source, dest);
      break;
    case PICTURE_STRETCH:
      MRender::DrawImage(target, image, dest, source);
      break;
    case PICTURE_FRAME:
      MRender::DrawImageFrame(target, image, dest, sx, sy, sw, sh, layout.corner);
      break;
    case PICTURE_FRAME_MID:
      MRender::DrawImageFrameMID(target, image, dest, sx, sy, sw, sh, layout.margins.left, layout.margins.top,
                                 layout.margins.right, layout.margins.bottom);
      break;
    case PICTURE_CUSTOM:
      MRender::DrawImage(target, image, dest, RectOps::Empty(layout.custom) ? source : layout.custom);
      break;
    default:
      DrawNatural(target, image, source, dest, layout);
      break;
  }
  target.Restore();
}

void PictureDrawing::DrawNatural(RenderContext& target, const Image& image, const Rect& source, const Rect& dest,
                                 const PictureLayout& layout) {
  const int spareX = dest.Width() - source.Width();
  const int spareY = dest.Height() - source.Height();
  const int x = dest.left + (layout.hAlign == 0 ? 0 : layout.hAlign == 2 ? spareX : spareX / 2);
  const int y = dest.top + (layout.vAlign == 0 ? 0 : layout.vAlign == 8 ? spareY : spareY / 2);
  MRender::DrawImage(target, image, Rect{x, y, x + source.Width(), y + source.Height()}, source);
}

void PictureDrawing::DrawTiled(RenderContext& target, const Image& image, const Rect& source, const Rect& dest) {
  for (int y = dest.top; y < dest.bottom; y += source.Height()) {
    for (int x = dest.left; x < dest.right; x += source.Width()) {
      MRender::DrawImage(target, image, Rect{x, y, x + source.Width(), y + source.Height()}, source);
    }
  }
}

}  // namespace ZephUI
