#include "keyboard/KeyLightFrames.h"

namespace ZephUI {

void KeyLightFrames::SetData(const std::uint8_t* bytes, int length, int keyCount) {
  current_ = 0;
  if (bytes == nullptr || length <= 0) {
    data_.clear();
    frames_ = 0;
    return;
  }
  data_.assign(bytes, bytes + length);
  frames_ = keyCount > 0 ? length / keyCount : 0;
}

void KeyLightFrames::SetSpeed(int speed) {
  constexpr int kTicks[] = {5, 4, 3, 2};
  ticksPerFrame_ = speed >= 0 && speed <= 3 ? kTicks[speed] : 1;
}

bool KeyLightFrames::Tick() {
  if (frames_ <= 0) return false;
  if (++ticks_ < ticksPerFrame_) return false;
  ticks_ = 0;
  current_ = (current_ + 1) % frames_;
  return true;
}

bool KeyLightFrames::HasFrames() const { return frames_ > 0; }

int KeyLightFrames::FrameCount() const { return frames_; }

int KeyLightFrames::CurrentFrame() const { return current_; }

std::uint8_t KeyLightFrames::Brightness(int frame, int key, int keyCount) const {
  if (frames_ <= 0 || frame < 0 || frame >= frames_ || key < 0 || key >= keyCount) return 255;
  const std::size_t at = static_cast<std::size_t>(keyCount) * static_cast<std::size_t>(frame) +
                         static_cast<std::size_t>(key);
  return at < data_.size() ? data_[at] : 255;
}

}  // namespace ZephUI
