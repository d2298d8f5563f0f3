// The show modes of the picture controls: natural size placed by the
// alignments, tiled, stretched, nine-slice with one corner size or four
// margins, and a chosen part stretched.
#pragma once

#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"

namespace ZephUI {

/// Show mode numbers of MPicture and CPhotoFrame.
enum PictureShowMode : int {
  PICTURE_NATURAL = 0,   ///< natural size, placed by the alignments
  PICTURE_TILED = 1,     ///< tiled from the top-left corner
  PICTURE_STRETCH = 2,   ///< stretched over the control
  PICTURE_FRAME = 3,     ///< nine-slice with one corner size
  PICTURE_FRAME_MID = 4, ///< nine-slice with four margins
  PICTURE_CUSTOM = 5,    ///< a chosen part stretched over the control
};

/// Where and how a picture is drawn.
struct PictureLayout {
  int mode = PICTURE_NATURAL;  ///< PictureShowMode
  int corner = 4;              ///< corner size of mode 3
  Rect margins;                ///< left, top, right and bottom borders of mode 4
  Rect custom;                 ///< source part of mode 5 (empty: the whole picture)
  int hAlign = 0;              ///< mode 0: 0 left, 2 right, else centred
  int vAlign = 4;              ///< mode 0: 0 top, 8 bottom, else centred
};

/// Draws a picture in a show mode.
class PictureDrawing {
 public:
  PictureDrawing() = delete;
  /// True when `layout` shows `source` at its own size over `dest`, every pixel copied, none scaled.
  static bool Unscaled(const Rect& source, const Rect& dest, const PictureLayout& layout);
  /// Draws `source` of `image` into `dest` as `layout` says, never outside `dest`.
  static void Draw(RenderContext& target, const Image& image, const Rect& source, const Rect& dest,
                   const PictureLayout& layout);

 private:
  /// Mode 0: the source unscaled at its aligned place.
  static void DrawNatural(RenderContext& target, const Image& image, const Rect& source, const Rect& dest,
                          const PictureLayout& layout);
  /// Mode 1: copies of the source side by side from the top-left corner.
  static void DrawTiled(RenderContext& target, const Image& image, const Rect& source, const Rect& dest);
};

}  // namespace ZephUI
