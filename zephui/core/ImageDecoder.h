// Turns encoded pictures (PNG, GIF, ICO, BMP) into Images, telling the
// formats apart by their first bytes rather than by file names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "zephui/Image.h"

namespace ZephUI {

/// Picks the decoder for encoded picture data.
class ImageDecoder {
 public:
  /// Which formats a caller accepts.
  enum class Kind {
    Picture,  ///< PNG, GIF (every frame), ICO, BMP
    Icon,     ///< ICO, PNG, BMP
  };

  /// The decoded image; none when the data is not a readable picture of the accepted kind.
  static std::unique_ptr<Image> Decode(std::span<const std::uint8_t> bytes, Kind kind);
  /// The whole content of a file; none when it cannot be read or is implausibly large for a picture.
  static std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path);
};

}  // namespace ZephUI
