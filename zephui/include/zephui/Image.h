// A picture in memory: one or more ARGB32 frames of the same size. Still
// images have one frame; animated GIFs one per picture of the animation.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Rect.h"

namespace ZephUI {

/// An ARGB32 picture with one or more animation frames; drawing uses the active frame.
class ZEPHUI_API Image {
 public:
  /// A transparent image; none when a side is not positive or the size is too large.
  static std::unique_ptr<Image> Create(int width, int height);

  /// Releases the pixels.
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  /// Width in pixels.
  int Width() const;
  /// Height in pixels.
  int Height() const;

  /// Number of animation frames; 1 for a still image.
  int AnimationFrameCount() const;
  /// Index of the animation frame that drawing and pixel access use.
  int ActiveAnimationFrame() const;
  /// Makes animation frame `index` active; false when out of range.
  bool SelectAnimationFrame(int index);

  /// Frame `index` of a horizontal strip of `count` equal frames: x from index*(w/count) to (index+1)*(w/count).
  Rect StripFrameRect(int index, int count) const;

  /// Premultiplied 0xAARRGGBB words of the active frame, row after row; call MarkDirty after writing.
  std::uint32_t* Pixels();
  /// Read-only Pixels().
  const std::uint32_t* Pixels() const;
  /// Bytes from one row of Pixels() to the next.
  int Stride() const;
  /// Tells the drawing routines that Pixels() were written directly.
  void MarkDirty();

  /// The straight (not premultiplied) colour of a pixel of the active frame; transparent outside.
  ArgbColor PixelAt(int x, int y) const;

  /// Writes the active frame as a PNG file; false on failure.
  bool SavePng(const std::filesystem::path& path) const;

 private:
  friend class RenderCairo;
  struct Frames;

  explicit Image(std::unique_ptr<Frames> frames);

  std::unique_ptr<Frames> frames_;
  std::atomic<int> active_{0};
};

}  // namespace ZephUI
