// A clock for tests: waits take no real time, and every wait is kept so a test
// can check the protocol's fixed pauses.
//
//   hidsim::VirtualClock clock;                 // starts at 0 ms
//   hidsim::Bus::Instance().SetClock(&clock);    // frames get this clock's time
//   ... hand &clock to the code under test ...
//   EXPECT_EQ(clock.Waits(), (std::vector<std::uint32_t>{16, 16}));
//   EXPECT_EQ(clock.NowMs(), 32u);
//
// Safe to use from several threads at once.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "device/Clock.h"

namespace hidsim {

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::uint64_t startMs = 0) : now_(startMs) {}

  /// Returns at once; time moves on by `milliseconds` and the wait is recorded.
  void SleepMs(std::uint32_t milliseconds) override;
  /// The virtual time in milliseconds.
  std::uint64_t NowMs() override;

  /// Moves time on without recording a wait (time spent outside the code under test).
  void Advance(std::uint64_t milliseconds);
  /// Every SleepMs argument so far, in call order.
  std::vector<std::uint32_t> Waits() const;
  /// Forgets the recorded waits; the time stays where it is.
  void ClearWaits();
  /// Called after every wait with its length, on the waiting thread, outside
  /// the clock's lock: lets a test act in the middle of a sequence.
  void OnSleep(std::function<void(std::uint32_t)> hook);

 private:
  mutable std::mutex mutex_;
  std::uint64_t now_;
  std::vector<std::uint32_t> waits_;
  std::function<void(std::uint32_t)> onSleep_;
};

}  // namespace hidsim
