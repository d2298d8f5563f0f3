// The light animation of a keyboard picture: frames of one brightness byte
// per key, the frame shown now, and how many animation ticks each frame
// lasts. Not locked: its owner guards it with the lock of its key items.
#pragma once

#include <cstdint>
#include <vector>

namespace ZephUI {

/// Brightness frames and their pace.
class KeyLightFrames {
 public:
  /// Copies `length` bytes as frames of `keyCount` keys (length / keyCount frames); length <= 0 clears.
  void SetData(const std::uint8_t* bytes, int length, int keyCount);
  /// Ticks per frame: 5, 4, 3, 2 for speeds 0 to 3, 1 for any other speed.
  void SetSpeed(int speed);
  /// Counts one tick; true when it moved to the next frame (wrapping after the last).
  bool Tick();
  /// True when there is at least one whole frame.
  bool HasFrames() const;
  /// The number of whole frames.
  int FrameCount() const;
  /// The frame shown now.
  int CurrentFrame() const;
  /// Brightness of key `key` of `keyCount` in frame `frame`; 255 where there is no byte for it.
  std::uint8_t Brightness(int frame, int key, int keyCount) const;

 private:
  std::vector<std::uint8_t> data_;
  int frames_ = 0;
  int current_ = 0;
  int ticks_ = 0;
  int ticksPerFrame_ = 0;  // 0 until a speed is set: every tick
};

}  // namespace ZephUI
