// The wait spinner: a ring of dots whose bright head walks round, one dot per
// frame. The library steps frames itself, so the delays only matter to other
// viewers.
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "Files.h"

namespace skingen {
namespace {

constexpr int kSize = 100;
constexpr int kFrames = 12;

// Every pixel is the accent laid over the wait dialog's grey at some
// opacity, so a 256-entry ramp between the two holds the picture exactly.
// The background is opaque: the dialog paints the same grey around it.
GifColorType RampColor(int index) {
  const double t = index / 255.0;
  const auto mix = [t](int from, int to) { return static_cast<GifByteType>(std::lround(from + (to - from) * t)); };
  return GifColorType{mix(0x33, 16), mix(0x33, 168), mix(0x33, 253)};
}

// Renders one frame as opacity of the accent, 0-255 per pixel.
std::vector<GifByteType> RenderFrame(int frame) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < kFrames; ++i) {
    const double a = -M_PI / 2 + i * 2 * M_PI / kFrames;
    // Dot i is brightest when it is the frame's head and fades behind it.
    const int age = (frame - i + kFrames) % kFrames;
    const double opacity = 1.0 - 0.85 * age / (kFrames - 1);
    const double radius = 5.5 - 1.5 * age / (kFrames - 1);
    cairo_arc(cr, kSize / 2.0 + 32 * std::cos(a), kSize / 2.0 + 32 * std::sin(a), radius, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, opacity);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  std::vector<GifByteType> pixels(kSize * kSize);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) pixels[y * kSize + x] = data[y * stride + x];
  }
  cairo_surface_destroy(surface);
  return pixels;
}

}  // namespace

bool WriteSpinnerGif(const std::string& path, const std::string& name, ManifestLine& line) {
  line = ManifestLine{name, kSize, kSize, kFrames, "wait spinner: ring of accent dots, animated GIF"};
  if (path.empty()) return true;

  GifColorType colors[256];
  for (int i = 0; i < 256; ++i) colors[i] = RampColor(i);
  ColorMapObject* map = GifMakeMapObject(256, colors);
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr || map == nullptr) {
    std::fprintf(stderr, "skingen: cannot write %s: %s\n", path.c_str(), GifErrorString(error));
    GifFreeMapObject(map);
    return false;
  }
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, kSize, kSize, 8, 0, map) == GIF_OK;

  // Loop for ever.
  static const char kLoopId[] = "NETSCAPE2.0";
  const unsigned char loop[3] = {1, 0, 0};
  ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
       EGifPutExtensionBlock(gif, 11, kLoopId) == GIF_OK && EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
       EGifPutExtensionTrailer(gif) == GIF_OK;

  for (int frame = 0; ok && frame < kFrames; ++frame) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = 5;  // hundredths of a second
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK &&
         EGifPutImageDesc(gif, 0, 0, kSize, kSize, false, nullptr) == GIF_OK;
    std::vector<GifByteType> pixels = RenderFrame(frame);
    for (int y = 0; ok && y < kSize; ++y) ok = EGifPutLine(gif, pixels.data() + y * kSize, kSize) == GIF_OK;
  }
  if (!ok) error = gif->Error;
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
  GifFreeMapObject(map);
  if (!ok) std::fprintf(stderr, "skingen: cannot write %s: %s\n", path.c_str(), GifErrorString(error));
  return ok;
}

}  // namespace skingen
