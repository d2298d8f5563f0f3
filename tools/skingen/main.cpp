// skingen: draws every picture of the skin folder from one small palette, so
// the theme stays consistent and can be rebuilt at any time.
//
//   skingen --out <theme folder> --layouts <layout folder>   write the pictures
//   skingen --list --layouts <layout folder>                print the manifest
//
// Output depends only on the inputs and the installed fonts, never on the
// time or the order of the file system, so it can run on every build.
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Files.h"
#include "Skins.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: skingen (--out DIR | --list) --layouts DIR\n");
  return 2;
}

void PrintManifest(const std::vector<skingen::ManifestLine>& manifest) {
  std::printf("%-32s %9s %6s  %s\n", "name", "size", "frames", "shows");
  for (const auto& line : manifest) {
    const std::string size = std::to_string(line.width) + "x" + std::to_string(line.height);
    std::printf("%-32s %9s %6d  %s\n", line.name.c_str(), size.c_str(), line.frames, line.shows.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string out, layouts;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--layouts") == 0 && i + 1 < argc) {
      layouts = argv[++i];
    } else if (std::strcmp(argv[i], "--list") == 0) {
      list = true;
    } else {
      return Usage();
    }
  }
  if (layouts.empty() || out.empty() == !list) return Usage();

  std::vector<skingen::ManifestLine> manifest;
  bool ok = true;
  const auto target = [&](const std::string& name) -> std::string {
    if (list) return {};
    const fs::path path = fs::path(out) / name;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    return path.string();
  };

  for (const skingen::Picture& picture : skingen::Pictures()) {
    manifest.push_back(skingen::ManifestLine{picture.name, picture.frameWidth * picture.frames, picture.height,
                                             picture.frames, picture.shows});
    if (list) continue;
    cairo_surface_t* surface = skingen::RenderPicture(picture);
    ok = skingen::WritePng(surface, target(picture.name)) && ok;
    cairo_surface_destroy(surface);
  }

  // The wait dialog names the spinner at the top of the theme, the loading
  // window inside "loading/"; both get the same animation.
  for (const char* name : {"loading.gif", "loading/loading.gif"}) {
    skingen::ManifestLine line;
    ok = skingen::WriteSpinnerGif(target(name), name, line) && ok;
    manifest.push_back(line);
  }
  {
    skingen::ManifestLine line;
    ok = skingen::WriteTrayIcon(target("DeviceDriver.ico"), "DeviceDriver.ico", line) && ok;
    manifest.push_back(line);
  }
  ok = skingen::WriteKeyboardPictures(layouts, out, manifest, !list) && ok;

  if (list) PrintManifest(manifest);
  cairo_debug_reset_static_data();
  return ok ? 0 : 1;
}
