// Screen colour lighting: a thread keeps a grid of cell colours taken from the
// screen, so every key can show the colour of the part of the screen that lies
// where the key does. The lighting page switches sampling on and off; the
// worker reads the cells for the keyboard picture and the live stream.
//
// The screen is shrunk in two steps, both box averages (each result pixel is
// the mean of the block it covers): first to 480 × 270 (by the capture, inside
// the X server where it can), then here to 18 × 6. Averaging keeps a key steady
// when small things move in its area (the pointer, text), where picking single
// pixels would flicker.
//
// The thread's pauses are condition-variable waits, so stop() and turning
// sampling on end them at once; the clock only times the samples for pacing.
// Tests drive step() and sampleOnce() directly.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "lighting/ScreenImage.h"
#include "zephui/Color.h"

class Clock;
class ScreenCapture;

/// Whether the screen light samples the screen.
enum class ScreenSampling { Off, On };

class ScreenLight {
 public:
  static constexpr int kMaxColumns = 32;                      ///< key grid columns the cells hold
  static constexpr int kMaxRows = 8;                          ///< key grid rows the cells hold (the column stride)
  static constexpr int kCellCount = kMaxColumns * kMaxRows;   ///< 256: 32 columns of 8, column j row i at j × 8 + i
  static constexpr int kScreenWidth = 480;                    ///< width of the first shrink
  static constexpr int kScreenHeight = 270;                   ///< height of the first shrink
  static constexpr int kGridWidth = 18;                       ///< columns of the sampled colour grid
  static constexpr int kGridHeight = 6;                       ///< rows of the sampled colour grid
  static constexpr std::uint32_t kIdleWaitMs = 1000;          ///< pause between checks while sampling is off
  static constexpr std::uint32_t kMinSampleIntervalMs = 33;   ///< at most about 30 samples a second
  static constexpr std::uint32_t kRestPerBusyMs = 4;          ///< rest after each millisecond spent sampling

  /// Takes the capture; the clock, which times the samples, must outlive this object.
  ScreenLight(std::unique_ptr<ScreenCapture> capture, Clock& clock);
  /// Stops the thread.
  ~ScreenLight();
  ScreenLight(const ScreenLight&) = delete;
  ScreenLight& operator=(const ScreenLight&) = delete;

  /// Stores the key grid size (clamped to 32 × 8) and starts the thread unless it runs; call from the owner's thread.
  void start(int columns, int rows);
  /// Ends the thread and waits for it; the cells keep their colours. Call from the owner's thread.
  void stop();
  /// Turns sampling on or off; safe from any thread, and turning it on wakes an idle thread at once.
  void setActive(ScreenSampling sampling);
  /// Colour of key row i, column j: cells[j × 8 + i]; black outside 8 rows × 32 columns. Safe from any thread.
  ZephUI::GdiColor cellColour(int row, int column) const;

  /// One pass of the thread (samples when active); the pause before the next in ms, 1000 when off or without a screen.
  std::uint32_t step();
  /// One sample into the cells, on the thread or while it is stopped or idle; false (cells untouched) without a screen.
  bool sampleOnce();

 private:
  void run();
  void waitFor(std::uint32_t milliseconds);
  void storeCells();
  static std::uint32_t pauseAfter(std::uint64_t busyMs);

  std::unique_ptr<ScreenCapture> capture_;
  Clock& clock_;
  ScreenImage screen_{kScreenWidth, kScreenHeight};  // sampling thread only
  ScreenImage grid_{kGridWidth, kGridHeight};        // sampling thread only
  // Written by the sampling thread, read by the worker: one atomic per cell,
  // so a reader never sees a torn colour; a key may show the previous sample.
  std::array<std::atomic<std::uint32_t>, kCellCount> cells_{};
  std::atomic<int> columns_{0};
  std::atomic<int> rows_{0};
  std::atomic<bool> running_{false};
  std::atomic<bool> active_{false};
  std::mutex wakeMutex_;                // guards wakeRequested_ for the idle wait
  std::condition_variable wake_;
  bool wakeRequested_ = false;
  std::thread thread_;                  // owner's thread only
};
