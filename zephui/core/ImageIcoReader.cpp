#include "core/ImageIcoReader.h"

#include <algorithm>
#include <vector>

#include "core/ImageBmpReader.h"
#include "core/ImageByteReader.h"
#include "core/ImagePngReader.h"

namespace ZephUI {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kIconType = 1;

struct Entry {
  int width = 0;
  int height = 0;
  int bits = 0;
  std::span<const std::uint8_t> data;
};

// A stored size of 0 means 256 pixels.
int Side(std::uint8_t stored) { return stored == 0 ? 256 : stored; }

std::vector<Entry> ReadEntries(const ImageByteReader& in) {
  std::vector<Entry> entries;
  const std::uint16_t count = in.U16(4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kDirectorySize + i * kEntrySize;
    if (!in.Has(at, kEntrySize)) break;
    const std::span<const std::uint8_t> data = in.Slice(in.U32(at + 12), in.U32(at + 8));
    if (!data.empty()) entries.push_back(Entry{Side(in.U8(at)), Side(in.U8(at + 1)), in.U16(at + 6), data});
  }
  // Largest first, then deepest colour.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    const int areaA = a.width * a.height;
    const int areaB = b.width * b.height;
    return areaA != areaB ? areaA > areaB : a.bits > b.bits;
  });
  return entries;
}

RenderCairo::SurfacePtr DecodeEntry(const Entry& entry) {
  if (ImagePngReader::IsPng(entry.data)) return ImagePngReader::Read(entry.data);
  return ImageBmpReader::Read(entry.data, ImageBmpReader::Source::IconEntry);
}

}  // namespace

bool ImageIcoReader::IsIco(std::span<const std::uint8_t> bytes) {
  const ImageByteReader in(bytes);
  return in.Has(0, kDirectorySize) && in.U16(0) == 0 && in.U16(2) == kIconType && in.U16(4) > 0;
}

RenderCairo::SurfacePtr ImageIcoReader::Read(std::span<const std::uint8_t> bytes) {
  if (!IsIco(bytes)) return nullptr;
  for (const Entry& entry : ReadEntries(ImageByteReader(bytes))) {
    if (RenderCairo::SurfacePtr surface = DecodeEntry(entry)) return surface;
  }
  return nullptr;
}

}  // namespace ZephUI
