#include "lighting/VisualizerFrames.h"

void VisualizerFrames::Swap() {
  std::lock_guard lock(mutex_);
  front_ = 1 - front_;
}

ZephUI::GdiColor VisualizerFrames::FrontAt(int row, int column) const {
  if (row < 0 || row >= VisualizerImage::kRows || column < 0 || column >= VisualizerImage::kColumns) return {};
  std::lock_guard lock(mutex_);
  return images_[static_cast<std::size_t>(front_)].At(row, column);
}

VisualizerImage VisualizerFrames::CopyFront() const {
  std::lock_guard lock(mutex_);
  return images_[static_cast<std::size_t>(front_)];
}
