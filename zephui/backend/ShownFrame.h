// What a window last presented, and its surface converted for the screen
// (alpha forced opaque, or a layered window's colour key and constant alpha
// applied). The converted pixels live only in the native window's own image
// (a shared-memory segment, say): a present converts straight into it, and
// only the part that changed; a new size or a new rule converts everything.
#pragma once

#include <cstddef>
#include <cstdint>

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

/// A window's frame to present; kept per window between presents.
class ShownFrame final : public FrameSource {
 public:
  /// Reads `surface` from now on (the caller keeps it referenced until presented). Returns the area to present:
  /// `damage` (client pixels; null: all), everything when the size or the rule changed since the last frame.
  Rect Take(cairo_surface_t* surface, const PixelRule& rule, const Rect* damage);
  /// Forgets the surface once the frame is shown.
  void Drop();

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Convert(const Rect& area, std::uint32_t* target, std::ptrdiff_t stride) const override;

 private:
  const unsigned char* data_ = nullptr;
  int stride_ = 0;  // bytes
  int width_ = -1;
  int height_ = -1;
  PixelRule rule_;
};

}  // namespace ZephUI::Backend
