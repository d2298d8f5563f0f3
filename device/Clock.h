// Time as the keyboard protocol sees it. Every protocol wait goes through a
// clock, so tests can run the waits on a virtual clock and check them.
#pragma once

#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  /// Blocks the calling thread for the given milliseconds.
  virtual void SleepMs(std::uint32_t milliseconds) = 0;
  /// Milliseconds since an arbitrary fixed start.
  virtual std::uint64_t NowMs() = 0;
};

/// The real clock: std::chrono::steady_clock and std::this_thread::sleep_for.
class SteadyClock : public Clock {
 public:
  /// Sleeps for real.
  void SleepMs(std::uint32_t milliseconds) override;
  /// Steady time in milliseconds.
  std::uint64_t NowMs() override;

  /// The process-wide steady clock.
  static SteadyClock& Instance();
};
