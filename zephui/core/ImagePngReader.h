// PNG decoding through cairo.
#pragma once

#include <cstdint>
#include <span>

#include "core/RenderCairo.h"

namespace ZephUI {

/// Decodes PNG data into an ARGB32 surface.
class ImagePngReader {
 public:
  /// True when the bytes start with the PNG signature.
  static bool IsPng(std::span<const std::uint8_t> bytes);
  /// The decoded picture; none when the data is not a readable PNG.
  static RenderCairo::SurfacePtr Read(std::span<const std::uint8_t> bytes);
};

}  // namespace ZephUI
