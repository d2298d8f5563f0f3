// Test sound: interleaved stereo float packets as the capture delivers them.
// One history sample is made of two stereo frames, so a tone's period is
// given in history samples.
#pragma once

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace music_signals {

/// A tone of the given amplitude on transform bin `bin` (fractions allowed), `samples` history samples
/// long, starting `start` history samples into the tone (so packets can continue one another).
inline std::vector<float> Tone(double bin, double amplitude, int samples, int start = 0) {
  std::vector<float> out;
  out.reserve(static_cast<std::size_t>(samples) * 4);
  for (int n = start * 2; n < (start + samples) * 2; ++n) {
    // Two frames per history sample, so the tone turns at half the rate per frame.
    const double v = amplitude * std::sin(2.0 * std::numbers::pi * bin * n / 512.0);
    out.push_back(static_cast<float>(v));
    out.push_back(static_cast<float>(v));
  }
  return out;
}

/// Uniform noise in [-amplitude, amplitude], `samples` history samples long, from a fixed seed.
inline std::vector<float> Noise(double amplitude, int samples, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> dist(static_cast<float>(-amplitude), static_cast<float>(amplitude));
  std::vector<float> out(static_cast<std::size_t>(samples) * 4);
  for (float& v : out) v = dist(random);
  return out;
}

/// Silence, `samples` history samples long.
inline std::vector<float> Silence(int samples) { return std::vector<float>(static_cast<std::size_t>(samples) * 4, 0.0f); }

/// History samples in one 15 ms packet at 48 kHz (720 frames, two per sample).
constexpr int kPacketSamples = 360;

}  // namespace music_signals
