// Keyboard pictures: a dark case with one rounded cap per key rectangle of the
// layout and the key's name as legend. The keyboard control draws its marks
// and colours along the same rectangles, on top of this picture.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "Files.h"
#include "catalogue/KeyboardLayout.h"
#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace skingen {
namespace {

struct Key {
  std::string name;
  ZephUI::Rect rect;
};

struct Layout {
  std::string image;  // file name inside keyboard/
  int width = 0;
  int height = 0;
  std::vector<Key> keys;
};

// Reads the picture part of a layout file with the program's own XML reader,
// walking it the way the layout loader does.
bool ReadLayout(const std::string& path, Layout& layout) {
  XmlDocument xml;
  if (!xml.LoadFile(path) || !xml.FindSibling(u"device.info") || !xml.Enter() || !xml.FindSibling(u"Keyboard")) {
    return false;
  }
  layout.image = ZephUI::ToUtf8(xml.Attribute(u"image"));
  layout.width = ZephUI::ParseDecimal(xml.Attribute(u"width"));
  layout.height = ZephUI::ParseDecimal(xml.Attribute(u"height"));
  if (xml.Enter() && xml.FindSibling(u"KeyItems") && xml.Enter()) {
    while (xml.FindSibling(u"key")) {
      layout.keys.push_back(Key{ZephUI::ToUtf8(xml.Attribute(u"name")), ParseKeyRect(xml.Attribute(u"rect"))});
    }
  }
  return true;
}

// Legends shrink to fit their cap; a name too wide even then breaks at its
// first space onto two lines.
void DrawLegend(cairo_t* cr, const std::string& text, double cx, double cy, double maxWidth) {
  if (text.empty()) return;
  SetColor(cr, palette::kGlyph);
  cairo_text_extents_t ext;
  for (double size = 11; size >= 7; size -= 0.5) {
    UseLegendFont(cr, size);
    cairo_text_extents(cr, text.c_str(), &ext);
    if (ext.x_advance <= maxWidth) {
      cairo_move_to(cr, cx - ext.x_advance / 2, cy - (ext.y_bearing + ext.height / 2));
      cairo_show_text(cr, text.c_str());
      return;
    }
  }
  const std::size_t space = text.find(' ');
  const std::string first = space == std::string::npos ? text : text.substr(0, space);
  const std::string second = space == std::string::npos ? std::string() : text.substr(space + 1);
  UseLegendFont(cr, 8);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double lineHeight = font.ascent + font.descent;
  const std::string lines[2] = {first, second};
  const int count = second.empty() ? 1 : 2;
  for (int i = 0; i < count; ++i) {
    cairo_text_extents(cr, lines[i].c_str(), &ext);
    const double baseline = cy - lineHeight * count / 2 + lineHeight * i + font.ascent;
    cairo_move_to(cr, cx - ext.x_advance / 2, baseline);
    cairo_show_text(cr, lines[i].c_str());
  }
}

void DrawKeyCap(cairo_t* cr, const Key& key) {
  const double x = key.rect.left, y = key.rect.top;
  const double w = key.rect.right - key.rect.left, h = key.rect.bottom - key.rect.top;
  if (w < 6 || h < 6) return;
  // Skirt of the cap, inset one pixel so the control's 2-px outlines sit on its edge.
  Panel(cr, x + 1, y + 1, w - 2, h - 2, 4, Hex(0x1C1F24), Hex(0x30343B));
  // Top face, lit slightly from above.
  const double tx = x + 3.5, ty = y + 2.5, tw = w - 7, th = h - 7.5;
  cairo_pattern_t* face = cairo_pattern_create_linear(0, ty, 0, ty + th);
  cairo_pattern_add_color_stop_rgb(face, 0, 0x2E / 255.0, 0x32 / 255.0, 0x39 / 255.0);
  cairo_pattern_add_color_stop_rgb(face, 1, 0x26 / 255.0, 0x2A / 255.0, 0x30 / 255.0);
  RoundRect(cr, tx, ty, tw, th, 3);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  DrawLegend(cr, key.name, tx + tw / 2, ty + th / 2, tw - 4);
}

cairo_surface_t* RenderKeyboard(const Layout& layout) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout.width, layout.height);
  cairo_t* cr = cairo_create(surface);
  Panel(cr, 0, 0, layout.width, layout.height, 12, Hex(0x101215), Hex(0x2A2E34));
  Panel(cr, 5, 5, layout.width - 10, layout.height - 10, 8, Hex(0x15171B), Hex(0x1E2126));
  for (const Key& key : layout.keys) DrawKeyCap(cr, key);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace

bool WriteKeyboardPictures(const std::string& layoutFolder, const std::string& skinFolder,
                           std::vector<ManifestLine>& manifest, bool write) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(layoutFolder, ec)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path());
  }
  if (ec) {
    std::fprintf(stderr, "skingen: cannot list %s: %s\n", layoutFolder.c_str(), ec.message().c_str());
    return false;
  }
  std::sort(files.begin(), files.end());
  bool ok = true;
  for (const fs::path& file : files) {
    Layout layout;
    if (!ReadLayout(file.string(), layout)) {
      std::fprintf(stderr, "skingen: %s has no readable Keyboard element\n", file.c_str());
      ok = false;
      continue;
    }
    // The image name becomes a file name under keyboard/: keep it there.
    if (layout.image.empty() || layout.image.find('/') != std::string::npos ||
        layout.image.find('\\') != std::string::npos || layout.image.front() == '.' || layout.width <= 0 ||
        layout.height <= 0 || layout.width > 4096 || layout.height > 4096) {
      std::fprintf(stderr, "skingen: %s: unusable picture \"%s\" %d x %d\n", file.c_str(), layout.image.c_str(),
                   layout.width, layout.height);
      ok = false;
      continue;
    }
    const std::string name = "keyboard/" + layout.image;
    manifest.push_back(ManifestLine{name, layout.width, layout.height, 1,
                                    "keyboard picture of " + file.filename().string() + ", " +
                                        std::to_string(layout.keys.size()) + " keys"});
    if (!write) continue;
    fs::create_directories(fs::path(skinFolder) / "keyboard", ec);
    cairo_surface_t* surface = RenderKeyboard(layout);
    ok = WritePng(surface, (fs::path(skinFolder) / name).string()) && ok;
    cairo_surface_destroy(surface);
  }
  return ok;
}

}  // namespace skingen
