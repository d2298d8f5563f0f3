// The picture of a tray icon: read once from its file, then scaled to the
// sizes a StatusNotifierItem host picks from or painted into an XEmbed icon
// window of whatever size the tray gives it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace ZephUI::Backend {

/// One square rendition for the session bus: straight-alpha ARGB32, each pixel big-endian (network order).
struct TrayPixmap {
  int width = 0;               ///< pixels across
  int height = 0;              ///< pixels down
  std::vector<std::uint8_t> argb;  ///< width * height * 4 bytes: A, R, G, B
};

/// A tray icon's picture; empty when the file could not be read.
class TrayPicture {
 public:
  /// Reads a PNG or ICO file; an empty picture when it cannot.
  explicit TrayPicture(const std::filesystem::path& path);
  ~TrayPicture();
  TrayPicture(const TrayPicture&) = delete;
  TrayPicture& operator=(const TrayPicture&) = delete;

  /// Whether there is a picture.
  bool Empty() const { return surface_ == nullptr; }
  /// The picture at the usual tray sizes; none when empty.
  std::vector<TrayPixmap> Pixmaps() const;
  /// Draws the picture scaled into (0, 0, width, height) of `cr` over what is there.
  void Paint(cairo_t* cr, int width, int height) const;

 private:
  TrayPixmap Scaled(int side) const;

  cairo_surface_t* surface_ = nullptr;  // premultiplied ARGB32 copy of the picture
};

}  // namespace ZephUI::Backend
