// GIF decoding through giflib, every frame composed onto the logical screen.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/RenderCairo.h"

namespace ZephUI {

/// Decodes all frames of a GIF into ARGB32 surfaces of the logical screen's size.
class ImageGifReader {
 public:
  /// True when the bytes start with a GIF signature.
  static bool IsGif(std::span<const std::uint8_t> bytes);
  /// The composed frames in file order; empty when the data holds no readable frame.
  static std::vector<RenderCairo::SurfacePtr> Read(std::span<const std::uint8_t> bytes);
};

}  // namespace ZephUI
