// The visualiser's two images: the paint thread fills the back one while
// other threads read the front one. Readers and the swap share one brief
// lock, so a reader never sees the image it reads being repainted (an
// atomic index alone would let the painter start on an image still being read).
#pragma once

#include <array>
#include <mutex>

#include "lighting/VisualizerImage.h"
#include "zephui/Color.h"

class VisualizerFrames {
 public:
  /// The image being painted; only the paint thread may touch it.
  VisualizerImage& Back() { return images_[static_cast<std::size_t>(1 - front_)]; }
  /// Makes the painted image the front one.
  void Swap();
  /// The front image's colour at a cell; black outside the image.
  ZephUI::GdiColor FrontAt(int row, int column) const;
  /// A copy of the whole front image.
  VisualizerImage CopyFront() const;

 private:
  mutable std::mutex mutex_;
  std::array<VisualizerImage, 2> images_{};
  int front_ = 0;  // written by the paint thread under the lock; read by it without
};
