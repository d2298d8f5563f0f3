// Checks the built theme folder against what the program loads from it:
// every picture the interface names exists, decodes, and is a strip of the
// frame count its control cuts it into, with distinguishable states; the
// keyboard pictures match their layouts; and every skin name written in the
// program's sources has a file. Prints each fault; exit status 1 if any.
//
//   skincheck --skins <theme folder> --layouts <layout folder> --sources <source root>
#include <cairo.h>
#include <gif_lib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace fs = std::filesystem;

namespace {

int g_faults = 0;

void Fault(const std::string& name, const std::string& what) {
  std::fprintf(stderr, "FAULT %s: %s\n", name.c_str(), what.c_str());
  ++g_faults;
}

// A picture as the controls use it: the frame count they cut it into and,
// where the control's size is fixed, the frame size that avoids stretching
// (0 = any).
struct Expected {
  const char* name;
  int frames;
  int frameWidth = 0;
  int height = 0;
  bool square = false;  // boxes, knobs and icons: a strip cut wrongly gives oblong frames
};

// Written from the controls' point of view, independently of the generator's
// table, so a picture dropped or re-cut there shows up here.
const Expected kPictures[] = {
    {"main_bkg.png", 1, 1280, 720},
    {"pic_caption.png", 1, 1278, 49},
    {"logo/logo.png", 1},
    {"logo/logo_loading.png", 1},
    {"main_sysbtn_close.png", 4, 30, 30},
    {"main_sysbtn_min.png", 4, 30, 30},
    {"main_sysbtn_website.png", 4, 30, 30},
    {"img_sys_close.png", 4, 0, 0, true},
    {"icon/tab_home.png", 4, 0, 0, true},
    {"icon/tab_customkey.png", 4, 0, 0, true},
    {"icon/tab_macro.png", 4, 0, 0, true},
    {"icon/tab_light.png", 4, 0, 0, true},
    {"icon/tab_config.png", 4, 0, 0, true},
    {"icon/icon_keyboard.png", 1},
    {"icon/icon_macro.png", 1},
    {"icon/icon_lightmode.png", 1},
    {"icon/icon_config.png", 1},
    {"icon/icon_battery_bkg.png", 1},
    {"icon/icon_batteryvalue.png", 1},
    {"icon/icon_charge.png", 1},
    {"icon/mode_usb.png", 1},
    {"img_device_state.png", 2, 0, 38},
    {"imgbtn_add.png", 4, 30, 30},
    {"imgbtn_del.png", 4, 30, 30},
    {"imgbtn_edit.png", 4, 30, 30},
    {"imgbtn_import.png", 4, 30, 30},
    {"imgbtn_export.png", 4, 30, 30},
    {"img_customkey.png", 4},
    {"icon/icon_pc.png", 1, 20, 20},
    {"icon/icon_cal.png", 1, 20, 20},
    {"icon/icon_email.png", 1, 20, 20},
    {"icon/icon_multimedia.png", 1, 20, 20},
    {"icon/icon_playpause.png", 1, 20, 20},
    {"icon/icon_stop.png", 1, 20, 20},
    {"icon/icon_pre.png", 1, 20, 20},
    {"icon/icon_next.png", 1, 20, 20},
    {"icon/icon_vol_down.png", 1, 20, 20},
    {"icon/icon_vol_up.png", 1, 20, 20},
    {"icon/icon_vol_mute.png", 1, 20, 20},
    {"icon/icon_home.png", 1, 20, 20},
    {"icon/icon_web_refresh.png", 1, 20, 20},
    {"icon/icon_web_stop.png", 1, 20, 20},
    {"icon/icon_web_backward.png", 1, 20, 20},
    {"icon/icon_web_foreward.png", 1, 20, 20},
    {"icon/icon_favorites.png", 1, 20, 20},
    {"icon/icon_web_search.png", 1, 20, 20},
    {"img_combobox.png", 4, 0, 38},
    {"img_edit.png", 4},
    {"btn_checkbox.png", 8, 0, 0, true},
    {"btn_radiobox.png", 8, 0, 0, true},
    {"btn_openfile.png", 4, 20, 20},
    {"btn_apply.png", 4},
    {"icon/icon_circle.png", 2, 0, 0, true},
    {"img_slider_back.png", 1},
    {"img_thumb.png", 4},
    {"btn_direction_left.png", 8, 0, 0, true},
    {"btn_direction_right.png", 8, 0, 0, true},
    {"btn_direction_top.png", 8, 0, 0, true},
    {"btn_direction_bottom.png", 8, 0, 0, true},
    {"btn_colorful.png", 1},
    {"img_circlepalette.png", 1},
    {"btn_record_time.png", 4, 0, 0, true},
    {"btn_record_up.png", 4, 0, 0, true},
    {"btn_record_down.png", 4, 0, 0, true},
    {"btn_record_del.png", 4, 0, 0, true},
    {"bk_prompt.png", 1, 380, 200},
    {"img_tip_bk.png", 1},
    {"img_tip_arrow_left.png", 1},
    {"img_tip_arrow_right.png", 1},
    {"img_tip_arrow_top.png", 1},
};

struct Image {
  cairo_surface_t* surface = nullptr;
  ~Image() {
    if (surface != nullptr) cairo_surface_destroy(surface);
  }
  bool Load(const std::string& path) {
    surface = cairo_image_surface_create_from_png(path.c_str());
    return cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  }
  int Width() const { return cairo_image_surface_get_width(surface); }
  int Height() const { return cairo_image_surface_get_height(surface); }
  // True when the two rectangles of the same size hold the same pixels.
  bool Same(int x0, int y0, int x1, int y1, int w, int h) const {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
      if (std::memcmp(data + (y0 + y) * stride + x0 * 4, data + (y1 + y) * stride + x1 * 4, std::size_t(w) * 4) != 0) {
        return false;
      }
    }
    return true;
  }
};

void CheckStrip(const fs::path& skins, const Expected& e) {
  Image image;
  if (!fs::exists(skins / e.name)) return Fault(e.name, "missing");
  if (!image.Load((skins / e.name).string())) return Fault(e.name, "not a readable PNG");
  const int w = image.Width(), h = image.Height();
  if (w % e.frames != 0) {
    return Fault(e.name, "width " + std::to_string(w) + " is not " + std::to_string(e.frames) + " equal frames");
  }
  const int fw = w / e.frames;
  if (e.frameWidth != 0 && fw != e.frameWidth) {
    Fault(e.name, "frame width " + std::to_string(fw) + ", its control is " + std::to_string(e.frameWidth));
  }
  if (e.height != 0 && h != e.height) {
    Fault(e.name, "height " + std::to_string(h) + ", its control is " + std::to_string(e.height));
  }
  if (e.square && fw != h) {
    Fault(e.name, "frames are " + std::to_string(fw) + " x " + std::to_string(h) + ", not square: cut into the wrong count?");
  }
  // States the user must be able to tell apart.
  if (e.frames >= 2 && image.Same(0, 0, fw, 0, fw, h)) Fault(e.name, "frame 1 looks like frame 0");
  if (e.frames >= 4 && image.Same(0, 0, 2 * fw, 0, fw, h)) Fault(e.name, "frame 2 looks like frame 0");
  if (e.frames >= 4 && image.Same(0, 0, 3 * fw, 0, fw, h)) Fault(e.name, "disabled frame looks like frame 0");
  if (e.frames == 8 && image.Same(0, 0, 4 * fw, 0, fw, h)) Fault(e.name, "checked frame looks like unchecked");
}

// The slider track is two rows: filled above, empty below.
void CheckSliderTrack(const fs::path& skins) {
  const char* name = "img_slider_back.png";
  Image image;
  if (!image.Load((skins / name).string())) return;  // reported by CheckStrip
  if (image.Height() % 2 != 0) return Fault(name, "height is not two equal rows");
  if (image.Same(0, 0, 0, image.Height() / 2, image.Width(), image.Height() / 2)) {
    Fault(name, "filled and empty rows look the same");
  }
}

void CheckGif(const fs::path& skins, const char* name) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName((skins / name).c_str(), &error);
  if (gif == nullptr) return Fault(name, std::string("not a readable GIF: ") + GifErrorString(error));
  if (DGifSlurp(gif) != GIF_OK) {
    Fault(name, std::string("not a readable GIF: ") + GifErrorString(gif->Error));
  } else {
    if (gif->ImageCount < 2) Fault(name, "has " + std::to_string(gif->ImageCount) + " frame(s); it must animate");
    // The wait dialog shows it in a 100 x 100 control.
    if (gif->SWidth != 100 || gif->SHeight != 100) Fault(name, "is not 100 x 100");
  }
  DGifCloseFile(gif, &error);
}

std::uint32_t Le(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

struct Stream {
  const std::string* bytes;
  std::size_t at;
  std::size_t end;
};

cairo_status_t ReadStream(void* closure, unsigned char* data, unsigned int length) {
  auto* s = static_cast<Stream*>(closure);
  if (s->at + length > s->end) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, s->bytes->data() + s->at, length);
  s->at += length;
  return CAIRO_STATUS_SUCCESS;
}

void CheckIcon(const fs::path& skins) {
  const char* name = "DeviceDriver.ico";
  std::ifstream file(skins / name, std::ios::binary);
  if (!file) return Fault(name, "missing");
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 6 || Le(bytes, 0, 2) != 0 || Le(bytes, 2, 2) != 1) return Fault(name, "not an ICO file");
  const std::uint32_t count = Le(bytes, 4, 2);
  if (bytes.size() < 6 + 16 * std::size_t(count)) return Fault(name, "directory runs past the end");
  std::set<int> sizes;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * std::size_t(i);
    const int w = Le(bytes, entry, 1) == 0 ? 256 : int(Le(bytes, entry, 1));
    const int h = Le(bytes, entry + 1, 1) == 0 ? 256 : int(Le(bytes, entry + 1, 1));
    const std::uint32_t size = Le(bytes, entry + 8, 4), offset = Le(bytes, entry + 12, 4);
    if (std::size_t(offset) + size > bytes.size()) {
      Fault(name, "image " + std::to_string(i) + " runs past the end");
      continue;
    }
    Stream stream{&bytes, offset, std::size_t(offset) + size};
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(ReadStream, &stream);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
      Fault(name, "image " + std::to_string(i) + " is not a readable PNG");
    } else if (cairo_image_surface_get_width(image) != w || cairo_image_surface_get_height(image) != h) {
      Fault(name, "image " + std::to_string(i) + " is not the size its directory entry says");
    } else {
      sizes.insert(w);
    }
    cairo_surface_destroy(image);
  }
  for (int wanted : {16, 32, 48}) {
    if (sizes.count(wanted) == 0) Fault(name, "has no " + std::to_string(wanted) + " px image");
  }
}

void CheckKeyboards(const fs::path& skins, const fs::path& layouts) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(layouts, ec)) {
    if (entry.path().extension() != ".xml") continue;
    const std::string layoutName = entry.path().filename().string();
    XmlDocument xml;
    if (!xml.LoadFile(entry.path().string()) || !xml.FindSibling(u"device.info") || !xml.Enter() ||
        !xml.FindSibling(u"Keyboard")) {
      Fault(layoutName, "no Keyboard element");
      continue;
    }
    const std::string name = "keyboard/" + ZephUI::ToUtf8(xml.Attribute(u"image"));
    const int width = ZephUI::ParseDecimal(xml.Attribute(u"width"));
    const int height = ZephUI::ParseDecimal(xml.Attribute(u"height"));
    Image image;
    if (!image.Load((skins / name).string())) {
      Fault(name, "missing or unreadable (named by " + layoutName + ")");
    } else if (image.Width() != width || image.Height() != height) {
      Fault(name, std::to_string(image.Width()) + " x " + std::to_string(image.Height()) + ", " + layoutName +
                      " shows it at " + std::to_string(width) + " x " + std::to_string(height));
    }
    // A key drawn outside the picture can be coloured but never seen.
    if (xml.Enter() && xml.FindSibling(u"KeyItems") && xml.Enter()) {
      while (xml.FindSibling(u"key")) {
        const ZephUI::Rect r = ParseKeyRect(xml.Attribute(u"rect"));
        if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height || r.Width() <= 0 || r.Height() <= 0) {
          Fault(layoutName, "key \"" + ZephUI::ToUtf8(xml.Attribute(u"name")) + "\" lies outside its picture");
        }
      }
    }
  }
  if (ec) Fault(layouts.string(), "cannot list: " + ec.message());
}

// Skin names in the program's sources, written with '\\', '\\\\' or '//'
// between folders as the interface does, must resolve in the theme folder.
void CheckSourceNames(const fs::path& skins, const fs::path& root) {
  static const std::regex kLiteral(R"re("([A-Za-z0-9_][A-Za-z0-9_./\\-]*\.(png|gif|ico))")re");
  for (const char* folder : {"app", "mainwindow", "zephui", "lighting", "macros", "updater"}) {
    std::error_code ec;
    if (!fs::is_directory(root / folder)) continue;
    for (auto it = fs::recursive_directory_iterator(root / folder, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      const std::string ext = it->path().extension().string();
      if (ext != ".cpp" && ext != ".h" && ext != ".hpp") continue;
      std::ifstream file(it->path());
      const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      for (std::sregex_iterator m(text.begin(), text.end(), kLiteral), end; m != end; ++m) {
        std::string name = (*m)[1].str();
        std::string normal;
        for (char c : name) {
          const char n = c == '\\' ? '/' : c;
          if (n == '/' && !normal.empty() && normal.back() == '/') continue;
          normal.push_back(n);
        }
        if (normal.rfind("keyboard/", 0) == 0) continue;  // keyboard pictures come from the layouts
        if (!fs::exists(skins / normal)) {
          Fault(normal, "named in " + fs::relative(it->path(), root).string() + " but not in the theme folder");
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  fs::path skins, layouts, sources;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--skins") == 0) {
      skins = argv[i + 1];
    } else if (std::strcmp(argv[i], "--layouts") == 0) {
      layouts = argv[i + 1];
    } else if (std::strcmp(argv[i], "--sources") == 0) {
      sources = argv[i + 1];
    }
  }
  if (skins.empty() || layouts.empty()) {
    std::fprintf(stderr, "usage: skincheck --skins DIR --layouts DIR [--sources DIR]\n");
    return 2;
  }
  for (const Expected& e : kPictures) CheckStrip(skins, e);
  CheckSliderTrack(skins);
  CheckGif(skins, "loading.gif");
  CheckGif(skins, "loading/loading.gif");
  CheckIcon(skins);
  CheckKeyboards(skins, layouts);
  if (!sources.empty()) CheckSourceNames(skins, sources);
  cairo_debug_reset_static_data();
  if (g_faults != 0) {
    std::fprintf(stderr, "%d fault(s) in %s\n", g_faults, skins.c_str());
    return 1;
  }
  std::printf("skin folder complete: %zu pictures, 2 animations, tray icon, keyboard pictures\n",
              std::size(kPictures));
  return 0;
}
