#include "core/ImageBmpWriter.h"

#include <fstream>

#include "zephui/Image.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutHeaders(std::vector<std::uint8_t>& out, std::uint32_t width, std::uint32_t height, std::uint32_t rowBytes) {
  const std::uint32_t pixelBytes = rowBytes * height;
  out.push_back('B');
  out.push_back('M');
  Put32(out, kHeadersSize + pixelBytes);
  Put32(out, 0);  // reserved
  Put32(out, kHeadersSize);
  Put32(out, 40);  // info header size
  Put32(out, width);
  Put32(out, height);  // positive: bottom-up rows
  Put16(out, 1);       // planes
  Put16(out, 24);      // bits per pixel
  Put32(out, 0);       // uncompressed
  Put32(out, pixelBytes);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
}

}  // namespace

std::vector<std::uint8_t> ImageBmpWriter::Encode(const Image& image) {
  const auto width = static_cast<std::uint32_t>(image.Width());
  const auto height = static_cast<std::uint32_t>(image.Height());
  const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
  std::vector<std::uint8_t> out;
  out.reserve(kHeadersSize + rowBytes * height);
  PutHeaders(out, width, height, rowBytes);
  const std::uint32_t* pixels = image.Pixels();
  const auto wordsPerRow = static_cast<std::size_t>(image.Stride()) / sizeof(std::uint32_t);
  for (std::uint32_t y = height; y-- > 0;) {
    const std::uint32_t* row = pixels + y * wordsPerRow;
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(row[x]));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 8));
      out.push_back(static_cast<std::uint8_t>(row[x] >> 16));
    }
    out.resize(out.size() + (rowBytes - width * 3), 0);
  }
  return out;
}

bool ImageBmpWriter::Write(const Image& image, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = Encode(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace ZephUI
