#include "backend/RoundRegion.h"

#include <algorithm>
#include <cmath>

namespace ZephUI::Backend {

RoundRegion::RoundRegion(int width, int height, int diameter)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      radius_(std::clamp(diameter, 0, std::min(width_, height_)) / 2.0) {}

int RoundRegion::Inset(int y) const {
  const double centre = y + 0.5;
  double dy = 0;
  if (centre < radius_) dy = radius_ - centre;
  else if (centre > height_ - radius_) dy = centre - (height_ - radius_);
  if (dy <= 0) return 0;
  const double dx = std::sqrt(std::max(0.0, radius_ * radius_ - dy * dy));
  // Columns whose centres lie left of the circle's edge at this row.
  return std::max(0, static_cast<int>(std::ceil(radius_ - dx - 0.5)));
}

bool RoundRegion::Contains(Point pixel) const {
  if (pixel.y < 0 || pixel.y >= height_) return false;
  const int inset = Inset(pixel.y);
  return pixel.x >= inset && pixel.x < width_ - inset;
}

std::vector<Rect> RoundRegion::Bands() const {
  std::vector<Rect> bands;
  for (int y = 0; y < height_; ++y) {
    const int inset = Inset(y);
    if (2 * inset >= width_) continue;
    if (!bands.empty() && bands.back().bottom == y && bands.back().left == inset) {
      bands.back().bottom = y + 1;
    } else {
      bands.push_back(Rect{inset, y, width_ - inset, y + 1});
    }
  }
  return bands;
}

}  // namespace ZephUI::Backend
