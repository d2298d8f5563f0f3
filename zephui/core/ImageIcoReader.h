// Icon (.ico) decoding: PNG-compressed entries and 24/32-bit bitmap entries.
#pragma once

#include <cstdint>
#include <span>

#include "core/RenderCairo.h"

namespace ZephUI {

/// Picks the largest, deepest entry of an icon file that decodes.
class ImageIcoReader {
 public:
  /// True when the bytes start with an icon directory.
  static bool IsIco(std::span<const std::uint8_t> bytes);
  /// The best entry as an ARGB32 surface; none when no entry decodes.
  static RenderCairo::SurfacePtr Read(std::span<const std::uint8_t> bytes);
};

}  // namespace ZephUI
