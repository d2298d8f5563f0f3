// A clock for the capture and paint threads: it records every sleep and
// either lets the thread go on at once (after a token real pause, so a
// thread in a loop does not spin) or holds it until the test releases it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "device/Clock.h"

class MusicFakeClock : public Clock {
 public:
  /// Records the sleep; blocks while gated until a release.
  void SleepMs(std::uint32_t milliseconds) override {
    std::unique_lock lock(mutex_);
    sleeps_.push_back(milliseconds);
    now_ += milliseconds;
    changed_.notify_all();
    if (!gated_) {
      lock.unlock();
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      return;
    }
    changed_.wait(lock, [this] { return tickets_ > 0 || !gated_; });
    if (tickets_ > 0) --tickets_;
  }
  /// Virtual time: the sum of all sleeps.
  std::uint64_t NowMs() override {
    std::lock_guard lock(mutex_);
    return now_;
  }

  /// From now on each sleep waits for a release.
  void Gate() {
    std::lock_guard lock(mutex_);
    gated_ = true;
  }
  /// Lets one held sleep go on.
  void Release() {
    std::lock_guard lock(mutex_);
    ++tickets_;
    changed_.notify_all();
  }
  /// Stops holding sleeps.
  void Open() {
    std::lock_guard lock(mutex_);
    gated_ = false;
    changed_.notify_all();
  }
  /// Waits until at least count sleeps were recorded; false if that never happens (a hung thread).
  bool WaitForSleeps(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return sleeps_.size() >= count; });
  }
  /// Every sleep so far.
  std::vector<std::uint32_t> Sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::uint32_t> sleeps_;
  std::uint64_t now_ = 0;
  bool gated_ = false;
  int tickets_ = 0;
};
