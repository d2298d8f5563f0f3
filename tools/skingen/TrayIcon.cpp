// The tray icon: a keyboard in the accent on a dark tile, at the three sizes
// trays ask for, each stored as PNG inside the ICO container.
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "Files.h"
#include "Glyphs.h"

namespace skingen {
namespace {

std::string RenderIcon(int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  RoundRect(cr, 0, 0, size, size, size * 0.2);
  SetColor(cr, palette::kCaption);
  cairo_fill(cr);
  // Small sizes lose the key dots; a thicker pen keeps the outline legible.
  const double inset = size * 0.08;
  DrawGlyph(cr, glyph::Keyboard, inset, inset, size - 2 * inset, palette::kAccent);
  cairo_destroy(cr);
  std::string png = PngBytes(surface);
  cairo_surface_destroy(surface);
  return png;
}

void PutU16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

bool WriteTrayIcon(const std::string& path, const std::string& name, ManifestLine& line) {
  static constexpr int kSizes[] = {16, 32, 48};
  line = ManifestLine{name, 48, 48, 1, "tray icon: keyboard on a dark tile; ICO with PNG images of 16, 32, 48 px"};
  if (path.empty()) return true;

  std::string images[3];
  for (int i = 0; i < 3; ++i) images[i] = RenderIcon(kSizes[i]);

  std::string out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // type: icon
  PutU16(out, 3);  // image count
  std::uint32_t offset = 6 + 16 * 3;
  for (int i = 0; i < 3; ++i) {
    out.push_back(static_cast<char>(kSizes[i]));  // width
    out.push_back(static_cast<char>(kSizes[i]));  // height
    out.push_back(0);                             // palette size
    out.push_back(0);                             // reserved
    PutU16(out, 1);                               // colour planes
    PutU16(out, 32);                              // bits per pixel
    PutU32(out, static_cast<std::uint32_t>(images[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::string& image : images) out += image;

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!file) {
    std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace skingen
