// What a window last presented: its surface converted for the screen (alpha
// forced opaque, or a layered window's colour key and constant alpha
// applied). Kept per window so that a present converts only the part that
// changed; a new size or a new rule converts everything again.
#pragma once

#include "backend/NativeWindow.h"
#include "backend/WindowRecord.h"
#include "zephui/Rect.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI::Backend {

/// How a presented window treats the alpha of its surface.
enum class Transparency { Opaque, PerPixel };

/// The conversion from surface pixels to shown pixels.
struct PixelRule {
  Transparency transparency = Transparency::Opaque;  ///< alpha forced to 255 or kept
  LayeredAttributes attributes;                      ///< colour key and constant alpha of a layered window
};

/// A window's presented image.
class ShownImage {
 public:
  /// Converts `damage` (client pixels; null: all) of `surface` into the image; everything when the size or rule changed. Returns the converted area.
  Rect Update(cairo_surface_t* surface, const PixelRule& rule, const Rect* damage);
  /// The converted image.
  const PresentedImage& Image() const { return image_; }

 private:
  void Convert(const unsigned char* data, int stride, const Rect& area);

  PresentedImage image_;
  PixelRule rule_;
};

}  // namespace ZephUI::Backend
