// A virtual clock: sleeping only moves its time on, so steps and pauses can be
// checked without waiting.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <utility>

#include "device/Clock.h"

class FakeClock : public Clock {
 public:
  explicit FakeClock(std::uint64_t startMs = 0) : nowMs_(startMs) {}

  void SleepMs(std::uint32_t milliseconds) override {
    nowMs_ += milliseconds;
    if (onSleep_) onSleep_(milliseconds);
    std::this_thread::yield();  // a thread looping on this clock must not starve the test
  }

  std::uint64_t NowMs() override { return nowMs_.load(); }

  /// Calls the observer on every sleep, on the sleeping thread; set it before any thread uses the clock.
  void OnSleep(std::function<void(std::uint32_t)> observer) { onSleep_ = std::move(observer); }

 private:
  std::atomic<std::uint64_t> nowMs_;
  std::function<void(std::uint32_t)> onSleep_;
};
