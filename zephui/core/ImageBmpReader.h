// Uncompressed 24- and 32-bit BMP decoding, for BMP files and the bitmap
// entries of icon files.
#pragma once

#include <cstdint>
#include <span>

#include "core/RenderCairo.h"

namespace ZephUI {

/// Decodes device-independent bitmaps into ARGB32 surfaces.
class ImageBmpReader {
 public:
  /// Where the bitmap came from: its header and transparency differ.
  enum class Source {
    File,       ///< a .bmp file with its file header
    IconEntry,  ///< an icon entry: doubled height and a transparency mask after the colours
  };

  /// True when the bytes start like a BMP file.
  static bool IsBmp(std::span<const std::uint8_t> bytes);
  /// The decoded picture; none for unsupported depths, compressions or damaged data.
  static RenderCairo::SurfacePtr Read(std::span<const std::uint8_t> bytes, Source source);
};

}  // namespace ZephUI
