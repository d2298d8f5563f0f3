#include "core/ImagePngReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ZephUI {
namespace {

struct StreamCursor {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
};

cairo_status_t ReadChunk(void* closure, unsigned char* data, unsigned int length) {
  auto* cursor = static_cast<StreamCursor*>(closure);
  if (length > cursor->bytes.size() - cursor->offset) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, cursor->bytes.data() + cursor->offset, length);
  cursor->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool ImagePngReader::IsPng(std::span<const std::uint8_t> bytes) {
  static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

RenderCairo::SurfacePtr ImagePngReader::Read(std::span<const std::uint8_t> bytes) {
  if (!IsPng(bytes)) return nullptr;
  StreamCursor cursor{bytes};
  RenderCairo::SurfacePtr surface(cairo_image_surface_create_from_png_stream(&ReadChunk, &cursor));
  return RenderCairo::ToArgb32(std::move(surface));
}

}  // namespace ZephUI
