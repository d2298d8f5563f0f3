// The cairo side of Image and RenderContext, for code inside the library
// (drawing routines, window backends). Public headers stay free of cairo.
#pragma once

#include <cairo.h>

#include <memory>
#include <vector>

namespace ZephUI {

class Image;
class RenderContext;

/// Access to the cairo objects behind the public drawing types.
class RenderCairo {
 public:
  /// Releases a cairo surface reference.
  struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  };
  /// An owned cairo surface reference.
  using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

  /// The cairo context a RenderContext draws with.
  static cairo_t* Context(RenderContext& context);
  /// The surface of the image's active frame.
  static cairo_surface_t* Surface(const Image& image);
  /// An image made of ARGB32 frames of equal size; none when the list is empty or a frame is unusable.
  static std::unique_ptr<Image> MakeImage(std::vector<SurfacePtr> frames);
  /// A RenderContext drawing through an existing cairo context (a reference is taken).
  static RenderContext WrapContext(cairo_t* cr);
  /// A RenderContext drawing into any cairo surface, such as a window's (WindowSurface::Get()).
  static RenderContext ForSurface(cairo_surface_t* surface);
  /// A new ARGB32 surface of the given size; none on failure.
  static SurfacePtr NewSurface(int width, int height);
  /// An ARGB32 copy of any image surface (PNG decoding may give RGB24); none on failure.
  static SurfacePtr ToArgb32(SurfacePtr surface);
};

}  // namespace ZephUI
