// The library's timer thread: periodic callbacks for control animation, timed
// by the backend's clock. Under a virtual clock every period passed fires, and
// CatchUp lets the thread that moved the clock wait until they have.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "zephui/PeriodicTimer.h"

namespace ZephUI::Backend {

class NativeBackend;

/// Periodic timers on one thread, started on first use.
class PeriodicTimerThread {
 public:
  /// Times everything with the backend's clock, which must outlive this object.
  explicit PeriodicTimerThread(const NativeBackend& clock);
  ~PeriodicTimerThread();
  PeriodicTimerThread(const PeriodicTimerThread&) = delete;
  PeriodicTimerThread& operator=(const PeriodicTimerThread&) = delete;

  /// Starts a timer; returns its id.
  std::uint32_t Start(std::uint32_t periodMs, PeriodicCallback callback);
  /// Stops a timer and waits until its callback is not running (unless called from it).
  bool Stop(std::uint32_t id);
  /// Parks a timer until Resume, unless Resume was asked since the last Pause; true when parked.
  bool Pause(std::uint32_t id);
  /// Restarts a parked timer one period from now; on a running one, makes the next Pause a no-op.
  void Resume(std::uint32_t id);
  /// Stops every timer.
  void StopAll();
  /// The earliest expiry, if any timer runs.
  std::optional<std::uint64_t> NextDue();
  /// Wakes the thread after the clock moved and waits until every tick due by now has fired.
  void CatchUp();

 private:
  struct Entry {
    std::uint32_t id = 0;
    std::uint32_t periodMs = 0;
    std::uint64_t dueMs = 0;
    PeriodicCallback callback;
    bool paused = false;
    bool resumeAsked = false;
  };

  void Run();
  Entry* EarliestDue(std::uint64_t now);
  Entry* Find(std::uint32_t id);
  void Sleep(std::unique_lock<std::mutex>& lock);

  const NativeBackend& clock_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Entry> entries_;
  std::uint32_t nextId_ = 1;
  std::uint32_t firingId_ = 0;
  std::uint64_t generation_ = 0;
  std::uint64_t caughtUpTo_ = 0;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace ZephUI::Backend
