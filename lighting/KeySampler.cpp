#include "lighting/KeySampler.h"

int KeySampler::ImageRow(int gridRow) const {
  if (gridRow < 0 || gridRow >= rows_) return -1;
  const int step = 62 / rows_;
  return static_cast<int>(gridRow * step + 2 + step * 0.5);
}

int KeySampler::ImageColumn(int gridColumn) const {
  if (gridColumn < 0 || gridColumn >= columns_) return -1;
  return gridColumn * (255 / columns_);
}
