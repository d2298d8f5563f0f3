#include "lighting/ScreenLight.h"

#include <algorithm>
#include <chrono>

#include "device/Clock.h"
#include "lighting/ScreenCapture.h"

ScreenLight::ScreenLight(std::unique_ptr<ScreenCapture> capture, Clock& clock)
    : capture_(std::move(capture)), clock_(clock) {}

ScreenLight::~ScreenLight() { stop(); }

void ScreenLight::start(int columns, int rows) {
  columns_ = std::clamp(columns, 0, kMaxColumns);
  rows_ = std::clamp(rows, 0, kMaxRows);
  if (thread_.joinable()) return;
  running_ = true;
  thread_ = std::thread(&ScreenLight::run, this);
}

void ScreenLight::stop() {
  {
    std::lock_guard lock(wakeMutex_);
    running_ = false;
    wakeRequested_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void ScreenLight::setActive(ScreenSampling sampling) {
  active_ = sampling == ScreenSampling::On;
  if (sampling == ScreenSampling::Off) return;
  {
    std::lock_guard lock(wakeMutex_);
    wakeRequested_ = true;
  }
  wake_.notify_all();
}

ZephUI::GdiColor ScreenLight::cellColour(int row, int column) const {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns) return ZephUI::GdiColor();
  return ZephUI::GdiColor(cells_[static_cast<std::size_t>(column * kMaxRows + row)].load(std::memory_order_relaxed));
}

std::uint32_t ScreenLight::step() {
  if (!active_) return kIdleWaitMs;
  const std::uint64_t begin = clock_.NowMs();
  if (!sampleOnce()) return kIdleWaitMs;  // no screen: look again in a second, not 30 times a second
  return pauseAfter(clock_.NowMs() - begin);
}

bool ScreenLight::sampleOnce() {
  if (!capture_ || !capture_->Grab(screen_)) return false;
  grid_.ShrinkFrom(screen_);
  storeCells();
  return true;
}

void ScreenLight::run() {
  while (running_) waitFor(step());
}

void ScreenLight::waitFor(std::uint32_t milliseconds) {
  std::unique_lock lock(wakeMutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return wakeRequested_; });
  wakeRequested_ = false;
}

// Cells outside the 18 × 6 grid repeat the colour read last, going down each
// column and then on to the next one.
void ScreenLight::storeCells() {
  const int columns = columns_;
  const int rows = rows_;
  ZephUI::GdiColor last;  // opaque black until the first pixel is read
  for (int j = 0; j < columns; ++j) {
    for (int i = 0; i < rows; ++i) {
      if (grid_.Contains(j, i)) last = ZephUI::ToGdi(grid_.Pixel(j, i));
      cells_[static_cast<std::size_t>(j * kMaxRows + i)].store(last.Value(), std::memory_order_relaxed);
    }
  }
}

// Back to back sampling would keep the X server and this thread busy all the
// time; each sample is followed by a rest four times its length (a fifth of a
// core at most) and samples start at most about 30 times a second, which is
// already faster than the keyboard's live stream needs.
std::uint32_t ScreenLight::pauseAfter(std::uint64_t busyMs) {
  const std::uint64_t rest = std::max<std::uint64_t>(busyMs * kRestPerBusyMs,
                                                     busyMs < kMinSampleIntervalMs ? kMinSampleIntervalMs - busyMs : 0);
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(rest, kIdleWaitMs));
}
