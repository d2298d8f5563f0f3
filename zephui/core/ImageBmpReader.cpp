#include "core/ImageBmpReader.h"

#include <cstdlib>
#include <optional>

#include "core/ImageByteReader.h"

namespace ZephUI {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPixelOffsetField = 10;  // where the file header keeps the offset of the pixels
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr int kMaxSide = 32767;

struct Layout {
  int width = 0;
  int height = 0;
  bool bottomUp = true;
  int bits = 0;
  std::size_t pixelOffset = 0;
  std::size_t rowBytes = 0;
  std::size_t maskOffset = 0;  // icon entries only
  std::size_t maskRowBytes = 0;
};

// 32-bit bitfields are accepted only in the ordinary BGRA order.
bool StandardMasks(const ImageByteReader& in, std::size_t header) {
  return in.U32(header + 40) == 0x00FF0000u && in.U32(header + 44) == 0x0000FF00u && in.U32(header + 48) == 0x000000FFu;
}

std::optional<Layout> ReadLayout(const ImageByteReader& in, std::size_t header, ImageBmpReader::Source source) {
  const std::uint32_t headerSize = in.U32(header);
  if (headerSize < kInfoHeaderSize || !in.Has(header, headerSize)) return std::nullopt;
  Layout layout;
  layout.width = in.I32(header + 4);
  const std::int32_t rawHeight = in.I32(header + 8);
  layout.bits = in.U16(header + 14);
  const std::uint32_t compression = in.U32(header + 16);
  const bool icon = source == ImageBmpReader::Source::IconEntry;
  layout.height = std::abs(icon ? rawHeight / 2 : rawHeight);
  layout.bottomUp = rawHeight > 0;
  if (layout.width <= 0 || layout.height <= 0 || layout.width > kMaxSide || layout.height > kMaxSide) return std::nullopt;
  if (layout.bits != 24 && layout.bits != 32) return std::nullopt;
  const bool masks = compression == kBiBitfields && layout.bits == 32 && StandardMasks(in, header);
  if (compression != kBiRgb && !masks) return std::nullopt;
  layout.rowBytes = (static_cast<std::size_t>(layout.width) * layout.bits / 8 + 3) & ~std::size_t{3};
  layout.pixelOffset = icon ? header + headerSize : in.U32(kPixelOffsetField);
  // Version 3 headers carry their masks after the header, later versions inside it.
  if (icon && masks && headerSize == kInfoHeaderSize) layout.pixelOffset += 12;
  layout.maskRowBytes = ((static_cast<std::size_t>(layout.width) + 31) / 32) * 4;
  layout.maskOffset = layout.pixelOffset + layout.rowBytes * layout.height;
  return layout;
}

bool Complete(const ImageByteReader& in, const Layout& layout, ImageBmpReader::Source source) {
  if (!in.Has(layout.pixelOffset, layout.rowBytes * layout.height)) return false;
  return source != ImageBmpReader::Source::IconEntry || layout.bits == 32 ||
         in.Has(layout.maskOffset, layout.maskRowBytes * layout.height);
}

std::size_t FileRow(const Layout& layout, int y) {
  return static_cast<std::size_t>(layout.bottomUp ? layout.height - 1 - y : y);
}

bool AnyAlpha(const ImageByteReader& in, const Layout& layout) {
  if (layout.bits != 32) return false;
  for (int y = 0; y < layout.height; ++y) {
    const std::size_t row = layout.pixelOffset + FileRow(layout, y) * layout.rowBytes;
    for (int x = 0; x < layout.width; ++x) {
      if (in.U8(row + static_cast<std::size_t>(x) * 4 + 3) != 0) return true;
    }
  }
  return false;
}

bool MaskedOut(const ImageByteReader& in, const Layout& layout, int x, int y) {
  if (!in.Has(layout.maskOffset, layout.maskRowBytes * layout.height)) return false;
  const std::size_t row = layout.maskOffset + FileRow(layout, y) * layout.maskRowBytes;
  return (in.U8(row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8)) & 1;
}

std::uint32_t Premultiplied(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  const auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale(r) << 16) | (scale(g) << 8) | scale(b);
}

RenderCairo::SurfacePtr Decode(const ImageByteReader& in, const Layout& layout, ImageBmpReader::Source source) {
  RenderCairo::SurfacePtr surface = RenderCairo::NewSurface(layout.width, layout.height);
  if (!surface) return nullptr;
  const bool useAlpha = AnyAlpha(in, layout);
  const bool useMask = source == ImageBmpReader::Source::IconEntry && !useAlpha;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const std::size_t pixelBytes = static_cast<std::size_t>(layout.bits / 8);
  for (int y = 0; y < layout.height; ++y) {
    auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    const std::size_t row = layout.pixelOffset + FileRow(layout, y) * layout.rowBytes;
    for (int x = 0; x < layout.width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * pixelBytes;
      std::uint32_t alpha = useAlpha ? in.U8(at + 3) : 255u;
      if (useMask && MaskedOut(in, layout, x, y)) alpha = 0;
      out[x] = Premultiplied(alpha, in.U8(at + 2), in.U8(at + 1), in.U8(at));
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

}  // namespace

bool ImageBmpReader::IsBmp(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kFileHeaderSize + kInfoHeaderSize && bytes[0] == 'B' && bytes[1] == 'M';
}

RenderCairo::SurfacePtr ImageBmpReader::Read(std::span<const std::uint8_t> bytes, Source source) {
  if (source == Source::File && !IsBmp(bytes)) return nullptr;
  const ImageByteReader in(bytes);
  const std::size_t header = source == Source::File ? kFileHeaderSize : 0;
  const std::optional<Layout> layout = ReadLayout(in, header, source);
  if (!layout || !Complete(in, *layout, source)) return nullptr;
  return Decode(in, *layout, source);
}

}  // namespace ZephUI
