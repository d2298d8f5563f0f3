// The visualiser's analysis: a 256-sample history of the captured sound, a
// 256-point transform of it, and 256 band levels (bars) that rise with the
// sound at once and fall back by a fixed share every frame.
#pragma once

#include <array>
#include <memory>
#include <span>

struct kiss_fftr_state;

/// The window laid over the history before the transform (n = 0..255, N - 1 = 255).
enum class WindowKind {
  None = 0,      ///< w(n) = 1
  Hann = 1,      ///< w(n) = 0.5 - 0.5 cos(2 pi n / 255)
  Hamming = 2,   ///< w(n) = 0.54 - 0.46 cos(2 pi n / 255)
  Blackman = 3,  ///< w(n) = 0.42 - 0.5 cos(2 pi n / 255) + 0.08 cos(4 pi n / 255)
};

/// How neighbouring bars are evened out after each transform.
enum class Smoothing {
  Block = 0,   ///< the first and the last w bars, then every further group of w bars, take their group's mean
  Moving = 1,  ///< bar i takes the mean of bars i - h .. i + h, h = min(w, i, 255 - i)
};

class Spectrum {
 public:
  static constexpr int kBands = 256;    ///< bars and display values
  static constexpr int kHistory = 256;  ///< samples transformed each frame
  static constexpr int kBins = 64;      ///< transform bins that drive the bars, four bars each

  /// Default analysis: gain 270, decay 80 %, Hann, moving average of width 8, follow 1.0.
  Spectrum();
  /// Frees the transform.
  ~Spectrum();
  Spectrum(const Spectrum&) = delete;
  Spectrum& operator=(const Spectrum&) = delete;

  /// Back to the defaults with an empty history and all bars at zero.
  void Reset();
  /// The sample scale (the music layer's amplitude).
  void SetGain(double gain) { gain_ = gain; }
  /// Percent of each bar kept from one frame to the next.
  void SetDecay(int percent) { decay_ = percent; }
  /// Chooses the window laid over the history.
  void SetWindow(WindowKind kind);
  /// Chooses the smoothing and its width in bars (0 turns it off).
  void SetSmoothing(Smoothing kind, int width);
  /// How far the display moves towards the bars each frame (1.0: all the way).
  void SetFollow(double follow) { follow_ = follow; }

  /// Frame step a: every bar keeps decay percent of itself.
  void Decay();
  /// Frame step b: each group of four floats (two stereo frames) adds (mean x 2 x gain) to the history.
  void Append(std::span<const float> interleavedStereo);
  /// Frame steps c-f: transform the history, raise the bars, smooth them, move the display.
  void Update();

  /// The band levels, 0-1.
  std::span<const float, kBands> Bars() const { return bars_; }
  /// The band levels as painted.
  std::span<const float, kBands> Display() const { return display_; }
  /// The current window's coefficients.
  std::span<const float, kHistory> Window() const { return window_; }

  /// The window for a code: 1 Hann, 2 Hamming, 3 Blackman, anything else none.
  static WindowKind WindowFromCode(int code);
  /// Evens out bars in place with the given smoothing of width w (0 or less: unchanged).
  static void Smooth(std::span<float, kBands> bars, Smoothing kind, int width);

 private:
  struct FftDeleter {
    void operator()(kiss_fftr_state* state) const;
  };

  void PushSample(float sample);
  void RaiseBars(int bin, float magnitude);

  std::unique_ptr<kiss_fftr_state, FftDeleter> fft_;
  std::array<float, kHistory> history_{};
  int oldest_ = 0;  // index of the oldest history sample (ring buffer)
  std::array<float, 4> group_{};
  int groupCount_ = 0;  // an incomplete group is carried over to the next packet
  std::array<float, kBands> bars_{};
  std::array<float, kBands> display_{};
  std::array<float, kHistory> window_{};
  std::array<float, kHistory> tilt_{};
  double gain_ = 270.0;
  int decay_ = 80;
  Smoothing smoothing_ = Smoothing::Moving;
  int width_ = 8;
  double follow_ = 1.0;
};
