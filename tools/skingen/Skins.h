// The table of skin pictures: every file the interface loads from the theme
// folder, with its frame layout and a routine that draws one frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Draw.h"

namespace skingen {

// One line of the manifest, whatever kind of file it describes.
struct ManifestLine {
  std::string name;  // path under the theme folder, '/' separated
  int width = 0;     // whole file (all frames)
  int height = 0;
  int frames = 1;
  std::string shows;
};

// A PNG strip: `frames` frames of frameWidth x height side by side.
struct Picture {
  std::string name;
  int frameWidth = 0;
  int height = 0;
  int frames = 1;
  std::string shows;
  std::function<void(cairo_t* cr, int frame, double w, double h)> draw;
};

std::vector<Picture> Pictures();

// Renders a strip into a new ARGB surface; the caller destroys it.
cairo_surface_t* RenderPicture(const Picture& picture);

}  // namespace skingen
