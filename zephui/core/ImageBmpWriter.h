// Writing pictures as 24-bit BMP files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ZephUI {

class Image;

/// Encodes the active frame of an image as a bottom-up 24-bit BMP.
class ImageBmpWriter {
 public:
  /// The file's bytes; translucent pixels appear as if drawn over black.
  static std::vector<std::uint8_t> Encode(const Image& image);
  /// Writes the encoded image to `path`; false when the file cannot be written.
  static bool Write(const Image& image, const std::filesystem::path& path);
};

}  // namespace ZephUI
