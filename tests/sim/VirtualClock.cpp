#include "tests/sim/VirtualClock.h"

#include <utility>

namespace hidsim {

void VirtualClock::SleepMs(std::uint32_t milliseconds) {
  std::function<void(std::uint32_t)> hook;
  {
    std::lock_guard lock(mutex_);
    now_ += milliseconds;
    waits_.push_back(milliseconds);
    hook = onSleep_;
  }
  if (hook) hook(milliseconds);
}

void VirtualClock::OnSleep(std::function<void(std::uint32_t)> hook) {
  std::lock_guard lock(mutex_);
  onSleep_ = std::move(hook);
}

std::uint64_t VirtualClock::NowMs() {
  std::lock_guard lock(mutex_);
  return now_;
}

void VirtualClock::Advance(std::uint64_t milliseconds) {
  std::lock_guard lock(mutex_);
  now_ += milliseconds;
}

std::vector<std::uint32_t> VirtualClock::Waits() const {
  std::lock_guard lock(mutex_);
  return waits_;
}

void VirtualClock::ClearWaits() {
  std::lock_guard lock(mutex_);
  waits_.clear();
}

}  // namespace hidsim
