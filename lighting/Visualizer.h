// The music visualiser: records the system's output on its own, turns it
// into 256 band levels and paints a 64 x 256 colour image from them every
// 15 ms; the main window samples that image at its keys' positions.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/Clock.h"
#include "lighting/AudioCaptureSource.h"
#include "lighting/ColourTable.h"
#include "lighting/KeySampler.h"
#include "lighting/Spectrum.h"
#include "lighting/VisualizerFrames.h"
#include "store/Records.h"
#include "zephui/Color.h"

/// Whether the paint thread paints.
enum class Painting {
  Off,  ///< the thread only drops waiting sound, every 500 ms
  On,   ///< one frame every 15 ms
};

class Visualizer {
 public:
  static constexpr std::uint32_t kActivePeriodMs = 15;     ///< frame period while painting
  static constexpr std::uint32_t kInactivePeriodMs = 500;  ///< idle period while not painting
  static constexpr std::uint32_t kSettleMs = 150;          ///< pause around a change of the music layer

  /// Records from the source; every wait goes through the clock.
  explicit Visualizer(std::unique_ptr<AudioCaptureSource> source, Clock& clock = SteadyClock::Instance());
  /// Stops the paint thread and the capture.
  ~Visualizer();
  Visualizer(const Visualizer&) = delete;
  Visualizer& operator=(const Visualizer&) = delete;

  /// First connect, before start (it resets what the paint thread owns): openCapture, defaults, startCapture.
  void initialise();
  /// Follows the default output device from now on.
  void openCapture();
  /// Starts, or restarts, capturing the followed source.
  void startCapture();
  /// Records the named source (an output's monitor) from now on, at once; empty follows the default output.
  void setCaptureSource(const std::string& sourceName);
  /// Starts the paint thread (painting stays as set).
  void start();
  /// Ends the paint thread and waits for it.
  void stop();
  /// Turns painting on or off.
  void setActive(Painting painting);
  /// Whether painting is on.
  bool active() const;
  /// Pauses painting, takes the layer's modes, background brightness and gain, restarts capture, then paints as told.
  void setMusicLayer(const MusicLayerRecord& layer, Painting afterwards);
  /// The default output device changed: capture the new one.
  void OnDefaultDeviceChanged();

  /// One frame: analysis, colour tables, painting, swap. The paint thread calls it; tests call it directly.
  void PaintFrame();

  /// The key grid the keys are sampled from (the layout's rows and columns in use).
  void setKeyGrid(int rows, int columns);
  /// The colour of the key at a grid row and column in the front image; black outside the grid.
  ZephUI::GdiColor keyColour(int row, int column) const;
  /// A copy of the front image.
  VisualizerImage frontImage() const;

 private:
  struct Settings {
    int barMode = 15;
    int backgroundMode = 0;
    int backgroundBrightness = 100;
    double gain = 270.0;
    Painting painting = Painting::Off;
  };
  enum class Sound { Analyse, Drop };

  Settings CurrentSettings() const;
  void DrainCapture(Sound sound);
  void AdvancePhase();
  void RunPaintThread(const std::stop_token& stop);
  void Rest(const std::stop_token& stop);

  std::unique_ptr<AudioCaptureSource> source_;
  Clock& clock_;

  mutable std::mutex settingsMutex_;
  Settings settings_;

  mutable std::mutex gridMutex_;
  KeySampler sampler_;

  // Paint-thread state: touched only by PaintFrame and what it calls.
  Spectrum spectrum_;
  ColourTable barTable_;
  ColourTable backgroundTable_;
  double phase_ = 0.0;
  double speed_ = 500.0;
  std::vector<std::uint8_t> packet_;
  std::vector<float> samples_;

  VisualizerFrames frames_;
  std::jthread paintThread_;
};
