// The frames behind an Image; shared by Image.cpp and RenderCairo.cpp only.
#pragma once

#include <vector>

#include "core/RenderCairo.h"
#include "zephui/Image.h"

namespace ZephUI {

/// The ARGB32 surfaces of an image, all of one size.
struct Image::Frames {
  std::vector<RenderCairo::SurfacePtr> surfaces;  ///< one per animation frame
};

}  // namespace ZephUI
