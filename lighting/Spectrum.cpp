#include "lighting/Spectrum.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kTransformScale = 1.0f / 512.0f;

float WindowValue(WindowKind kind, int n) {
  const double x = 2.0 * std::numbers::pi * n / (Spectrum::kHistory - 1);
  switch (kind) {
    case WindowKind::Hann: return static_cast<float>(0.5 - 0.5 * std::cos(x));
    case WindowKind::Hamming: return static_cast<float>(0.54 - 0.46 * std::cos(x));
    case WindowKind::Blackman: return static_cast<float>(0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2.0 * x));
    case WindowKind::None: break;
  }
  return 1.0f;
}

float Mean(std::span<const float> values) {
  float sum = 0.0f;
  for (float v : values) sum += v;
  return sum / static_cast<float>(values.size());
}

void AverageGroup(std::span<float> group) { std::fill(group.begin(), group.end(), Mean(group)); }

// The first and the last w bars, then each further group of w bars between them.
void SmoothBlock(std::span<float, Spectrum::kBands> bars, int width) {
  constexpr int n = Spectrum::kBands;
  AverageGroup(bars.first(static_cast<std::size_t>(width)));
  AverageGroup(bars.last(static_cast<std::size_t>(width)));
  for (int start = width; start < n - width; start += width) {
    const int end = std::min(start + width, n - width);
    AverageGroup(bars.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
  }
}

// A window of 2h + 1 bars centred on each bar, h = min(w, distance to the nearer end).
void SmoothMoving(std::span<float, Spectrum::kBands> bars, int width) {
  constexpr int n = Spectrum::kBands;
  std::array<float, n> source{};
  std::copy(bars.begin(), bars.end(), source.begin());
  for (int i = 0; i < n; ++i) {
    const int half = std::min({width, i, n - 1 - i});
    bars[static_cast<std::size_t>(i)] = Mean(std::span<const float>(source).subspan(
        static_cast<std::size_t>(i - half), static_cast<std::size_t>(2 * half + 1)));
  }
}

}  // namespace

void Spectrum::FftDeleter::operator()(kiss_fftr_state* state) const { kiss_fftr_free(state); }

Spectrum::Spectrum() : fft_(kiss_fftr_alloc(kHistory, 0, nullptr, nullptr)) {
  for (int k = 0; k < kHistory; ++k) tilt_[static_cast<std::size_t>(k)] = 0.04f + 0.5f * static_cast<float>(k) / 256.0f;
  Reset();
}

Spectrum::~Spectrum() = default;

void Spectrum::Reset() {
  history_.fill(0.0f);
  oldest_ = 0;
  groupCount_ = 0;
  bars_.fill(0.0f);
  display_.fill(0.0f);
  gain_ = 270.0;
  decay_ = 80;
  SetWindow(WindowKind::Hann);
  SetSmoothing(Smoothing::Moving, 8);
  follow_ = 1.0;
}

WindowKind Spectrum::WindowFromCode(int code) {
  return code >= 1 && code <= 3 ? static_cast<WindowKind>(code) : WindowKind::None;
}

void Spectrum::SetWindow(WindowKind kind) {
  for (int n = 0; n < kHistory; ++n) window_[static_cast<std::size_t>(n)] = WindowValue(kind, n);
}

void Spectrum::SetSmoothing(Smoothing kind, int width) {
  smoothing_ = kind;
  width_ = width;
}

void Spectrum::Decay() {
  for (float& bar : bars_) bar = bar * static_cast<float>(decay_) / 100.0f;
}

void Spectrum::Append(std::span<const float> interleavedStereo) {
  for (float value : interleavedStereo) {
    group_[static_cast<std::size_t>(groupCount_++)] = value;
    if (groupCount_ < 4) continue;
    groupCount_ = 0;
    PushSample(static_cast<float>(Mean(group_) * 2.0 * gain_));
  }
}

void Spectrum::PushSample(float sample) {
  history_[static_cast<std::size_t>(oldest_)] = sample;
  oldest_ = (oldest_ + 1) % kHistory;
}

void Spectrum::Update() {
  std::array<float, kHistory> input{};
  for (int n = 0; n < kHistory; ++n) {
    const auto i = static_cast<std::size_t>(n);
    input[i] = history_[static_cast<std::size_t>((oldest_ + n) % kHistory)] * window_[i];
  }
  std::array<kiss_fft_cpx, kHistory / 2 + 1> bins{};
  kiss_fftr(fft_.get(), input.data(), bins.data());
  bins[0] = bins[1];
  for (int k = 0; k < kBins; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const float scale = kTransformScale * tilt_[i];
    RaiseBars(k, std::hypot(bins[i].r * scale, bins[i].i * scale));
  }
  Smooth(bars_, smoothing_, width_);
  for (int i = 0; i < kBands; ++i) {
    const auto b = static_cast<std::size_t>(i);
    display_[b] = static_cast<float>(display_[b] + (bars_[b] - display_[b]) * follow_);
  }
}

void Spectrum::RaiseBars(int bin, float magnitude) {
  // log10(0) is -infinity, which leaves a silent bin's bars as they are.
  const double level = std::min(0.5 * std::log10(1.1 * magnitude) + 0.9 * magnitude, 1.0);
  for (int j = 0; j < 4; ++j) {
    float& bar = bars_[static_cast<std::size_t>(bin * 4 + j)];
    bar = std::max(std::max(bar, static_cast<float>(level)), 0.0f);
  }
}

void Spectrum::Smooth(std::span<float, kBands> bars, Smoothing kind, int width) {
  if (width <= 0) return;
  if (kind == Smoothing::Block) {
    SmoothBlock(bars, std::min(width, kBands / 2));
  } else {
    SmoothMoving(bars, width);
  }
}
