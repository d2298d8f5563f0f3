#include "tests/demo/PlayedKeysBackend.h"

#include "macros/virtualdevice/VHidev.h"

void PlayedKeyLog::Add(int usage) {
  std::lock_guard lock(mutex_);
  usages_.push_back(usage);
  ++count_;
  if (usages_.size() > kKept) usages_.pop_front();
}

std::vector<int> PlayedKeyLog::Usages() const {
  std::lock_guard lock(mutex_);
  return {usages_.begin(), usages_.end()};
}

std::uint64_t PlayedKeyLog::Count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

bool PlayedKeysBackend::Open() {
  open_ = true;
  return true;
}

void PlayedKeysBackend::Close() {
  open_ = false;
  held_.fill(0);
}

int PlayedKeysBackend::Write(std::span<const std::uint8_t, 64> bytes) {
  if (bytes[1] != VHidev::kKeyboardReport) return static_cast<int>(bytes.size());
  // Usage u is bit (u mod 8) of byte u / 8; a bit that turns on is a press.
  for (std::size_t index = 0; index < held_.size(); ++index) {
    const std::uint8_t now = bytes[2 + index];
    const auto pressed = static_cast<std::uint8_t>(now & ~held_[index]);
    for (int bit = 0; bit < 8; ++bit) {
      if ((pressed >> bit) & 1) log_.Add(static_cast<int>(index * 8) + bit);
    }
    held_[index] = now;
  }
  return static_cast<int>(bytes.size());
}
