#include "core/ImageGifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace ZephUI {
namespace {

constexpr int kMaxSide = 32767;  // cairo's limit for a surface side

struct StreamCursor {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* buffer, int length) {
  auto* cursor = static_cast<StreamCursor*>(gif->UserData);
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(length), cursor->bytes.size() - cursor->offset);
  std::memcpy(buffer, cursor->bytes.data() + cursor->offset, count);
  cursor->offset += count;
  return static_cast<int>(count);
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifClose>;

// One picture of the file as stored: its place, colours, pixels and control block.
struct StoredFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<GifColorType> colours;
  std::vector<GifPixelType> pixels;
  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
};

// The picture being composed: opaque or fully transparent ARGB words, row after row.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

bool ReadExtension(GifFileType* gif, GraphicsControlBlock& control) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
    DGifExtensionToGCB(block[0], block + 1, &control);
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

bool ReadPixels(GifFileType* gif, StoredFrame& frame) {
  const auto width = static_cast<std::size_t>(frame.width);
  if (!gif->Image.Interlace) return DGifGetLine(gif, frame.pixels.data(), frame.width * frame.height) == GIF_OK;
  // Interlaced rows arrive in four passes.
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < frame.height; y += kStep[pass]) {
      if (DGifGetLine(gif, &frame.pixels[static_cast<std::size_t>(y) * width], frame.width) == GIF_ERROR) return false;
    }
  }
  return true;
}

std::optional<StoredFrame> ReadFrame(GifFileType* gif, const GraphicsControlBlock& control) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
  const GifImageDesc& desc = gif->Image;
  if (desc.Width <= 0 || desc.Height <= 0 || desc.Width > kMaxSide || desc.Height > kMaxSide) return std::nullopt;
  StoredFrame frame{desc.Left, desc.Top, desc.Width, desc.Height, {}, {}, control};
  const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
  if (map != nullptr) frame.colours.assign(map->Colors, map->Colors + map->ColorCount);
  frame.pixels.resize(static_cast<std::size_t>(desc.Width) * static_cast<std::size_t>(desc.Height));
  if (!ReadPixels(gif, frame)) return std::nullopt;
  return frame;
}

// Every frame read in full; a damaged or cut-off file keeps the frames before the damage.
std::vector<StoredFrame> ReadFrames(GifFileType* gif) {
  std::vector<StoredFrame> frames;
  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      if (!ReadExtension(gif, control)) break;
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      std::optional<StoredFrame> frame = ReadFrame(gif, control);
      if (!frame) break;
      frames.push_back(std::move(*frame));
      control = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    }
  }
  return frames;
}

Canvas MakeCanvas(const GifFileType& gif, const StoredFrame& first) {
  Canvas canvas{gif.SWidth, gif.SHeight, {}};
  if (canvas.width <= 0 || canvas.height <= 0) {
    // A zero logical screen occurs in the wild; the first frame then sets the size.
    canvas.width = first.left + first.width;
    canvas.height = first.top + first.height;
  }
  if (canvas.width <= 0 || canvas.height <= 0 || canvas.width > kMaxSide || canvas.height > kMaxSide) return Canvas{};
  canvas.pixels.assign(static_cast<std::size_t>(canvas.width) * static_cast<std::size_t>(canvas.height), 0u);
  return canvas;
}

void PaintFrame(Canvas& canvas, const StoredFrame& frame) {
  for (int row = 0; row < frame.height; ++row) {
    const int y = frame.top + row;
    if (y < 0 || y >= canvas.height) continue;
    for (int column = 0; column < frame.width; ++column) {
      const int x = frame.left + column;
      const int index = frame.pixels[static_cast<std::size_t>(row) * frame.width + column];
      if (x < 0 || x >= canvas.width || index == frame.control.TransparentColor ||
          index >= static_cast<int>(frame.colours.size())) {
        continue;
      }
      const GifColorType& c = frame.colours[static_cast<std::size_t>(index)];
      canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x] =
          0xFF000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
    }
  }
}

void ClearFrameArea(Canvas& canvas, const StoredFrame& frame) {
  for (int y = std::max(frame.top, 0); y < std::min(frame.top + frame.height, canvas.height); ++y) {
    for (int x = std::max(frame.left, 0); x < std::min(frame.left + frame.width, canvas.width); ++x) {
      canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x] = 0;
    }
  }
}

// Opaque and fully transparent words are already premultiplied, so rows copy as they are.
RenderCairo::SurfacePtr Snapshot(const Canvas& canvas) {
  RenderCairo::SurfacePtr surface = RenderCairo::NewSurface(canvas.width, canvas.height);
  if (!surface) return nullptr;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < canvas.height; ++y) {
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, &canvas.pixels[static_cast<std::size_t>(y) * canvas.width],
                static_cast<std::size_t>(canvas.width) * sizeof(std::uint32_t));
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

std::vector<RenderCairo::SurfacePtr> ComposeFrames(const GifFileType& gif, const std::vector<StoredFrame>& stored) {
  std::vector<RenderCairo::SurfacePtr> frames;
  if (stored.empty()) return frames;
  Canvas canvas = MakeCanvas(gif, stored.front());
  if (canvas.pixels.empty()) return frames;
  for (const StoredFrame& frame : stored) {
    const Canvas before = frame.control.DisposalMode == DISPOSE_PREVIOUS ? canvas : Canvas{};
    PaintFrame(canvas, frame);
    RenderCairo::SurfacePtr surface = Snapshot(canvas);
    if (!surface) return {};
    frames.push_back(std::move(surface));
    if (frame.control.DisposalMode == DISPOSE_BACKGROUND) ClearFrameArea(canvas, frame);
    if (frame.control.DisposalMode == DISPOSE_PREVIOUS) canvas = before;
  }
  return frames;
}

}  // namespace

bool ImageGifReader::IsGif(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 6 && std::memcmp(bytes.data(), "GIF8", 4) == 0;
}

std::vector<RenderCairo::SurfacePtr> ImageGifReader::Read(std::span<const std::uint8_t> bytes) {
  if (!IsGif(bytes)) return {};
  StreamCursor cursor{bytes};
  int error = 0;
  GifPtr gif(DGifOpen(&cursor, &ReadBytes, &error));
  if (!gif) return {};
  return ComposeFrames(*gif, ReadFrames(gif.get()));
}

}  // namespace ZephUI
