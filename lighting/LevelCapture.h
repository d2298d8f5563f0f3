// The level capture thread: records the system's output as 16-bit samples
// and hands one cycle's samples to the main window every refresh period,
// which turns them into the family B music level.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "device/Clock.h"
#include "lighting/AudioCapture.h"
#include "lighting/AudioCaptureSource.h"

class LevelCapture {
 public:
  static constexpr int kDefaultPeriodMs = 33;  ///< refresh period at start

  /// Records from the source and reports through the proxy; every wait goes through the clock.
  LevelCapture(std::unique_ptr<AudioCaptureSource> source, AudioCapture::IProxy& proxy,
               Clock& clock = SteadyClock::Instance());
  /// Ends the thread.
  ~LevelCapture();
  LevelCapture(const LevelCapture&) = delete;
  LevelCapture& operator=(const LevelCapture&) = delete;

  /// The time between cycles in milliseconds (33, 66 or 99 from the lighting page); others below 1 are ignored.
  void setRefreshPeriod(int milliseconds);
  /// The time between cycles in milliseconds.
  int refreshPeriod() const { return period_.load(); }
  /// Creates the capture thread; false when it already runs.
  bool startLevelCapture();
  /// Ends the capture thread and waits for it; it reports stopped on leaving.
  void stop();
  /// Whether the capture thread is running.
  bool running() const { return running_.load(); }

 private:
  void Run(const std::stop_token& stop);
  void Pass();
  void ReportFormat();

  std::unique_ptr<AudioCaptureSource> source_;
  AudioCapture::IProxy& proxy_;
  Clock& clock_;
  std::atomic<int> period_{kDefaultPeriodMs};
  std::atomic<bool> running_{false};

  // Capture-thread state.
  std::optional<CaptureFormat> format_;
  std::vector<std::uint8_t> packet_;
  std::vector<std::int16_t> samples_;

  std::jthread thread_;
};
