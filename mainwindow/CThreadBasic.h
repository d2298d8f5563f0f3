// A thread that calls its step every period until stopped: the base of the
// main window's worker.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class Clock;

class CThreadBasic {
 public:
  /// Whether the thread calls the step again after each period or only once.
  enum class LoopMode { Repeat, Once };

  /// The step period Start sets, in milliseconds.
  static constexpr std::uint32_t kPeriodMs = 16;

  /// Every wait goes through the clock, which must outlive the thread.
  explicit CThreadBasic(Clock& clock);
  /// Stops and joins; derived classes must Stop() first so no step sees them half destroyed.
  virtual ~CThreadBasic();
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;

  /// Starts the thread with the 16 ms period: 1 when started, 0 when it was already running.
  int Start(LoopMode mode = LoopMode::Repeat);
  /// Clears the running flag and joins the thread; call from outside the thread.
  void Stop();
  /// Blocks until the thread has left its loop; returns at once when it is not running.
  void WaitFinished();
  /// True from Start until the thread leaves its loop or is told to stop.
  bool IsRunning() const;
  /// Clock reading taken by the last Start.
  std::uint64_t StartTickMs() const;

 protected:
  /// One unit of work, called on the thread.
  virtual void Step() = 0;
  /// Lets the loop end after the current step; safe from the step itself.
  void RequestStop();
  /// The clock every wait goes through.
  Clock& GetClock() const { return clock_; }

 private:
  void Run();
  void MarkFinished(bool finished);

  Clock& clock_;
  std::atomic<bool> running_{false};
  std::atomic<std::uint64_t> startTickMs_{0};
  LoopMode mode_ = LoopMode::Repeat;   // written before the thread starts
  std::uint32_t periodMs_ = kPeriodMs;  // written before the thread starts
  std::mutex finishedMutex_;
  std::condition_variable finishedChanged_;
  bool finished_ = true;  // guarded by finishedMutex_
  std::thread thread_;    // owned by the thread that calls Start and Stop
};
