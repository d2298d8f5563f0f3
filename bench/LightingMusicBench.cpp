// One music visualiser frame: a 15 ms packet of stereo sound analysed,
// both colour tables built and the image painted and swapped.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "lighting/Visualizer.h"

namespace {

// Hands out the same 15 ms packet of noise once per frame.
class RepeatingSource : public AudioCaptureSource {
 public:
  RepeatingSource() : packet_(720 * 2 * sizeof(float)) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
    std::vector<float> samples(720 * 2);
    for (float& v : samples) v = dist(random);
    std::memcpy(packet_.data(), samples.data(), packet_.size());
  }
  bool Start() override { return true; }
  void Stop() override {}
  std::optional<CaptureFormat> Format() const override { return CaptureFormat{48000, 2, 32, 8, 384000}; }
  PacketStatus Read(std::vector<std::uint8_t>& packet) override {
    given_ = !given_;
    if (!given_) return PacketStatus::None;
    packet = packet_;
    return PacketStatus::Packet;
  }
  void SetDefaultChangedHandler(std::function<void()>) override {}

 private:
  std::vector<std::uint8_t> packet_;
  bool given_ = false;
};

void RunFrames(benchmark::State& state, int barMode, int backgroundMode) {
  auto visualizer = std::make_unique<Visualizer>(std::make_unique<RepeatingSource>());
  visualizer->initialise();
  MusicLayerRecord layer;
  layer.foreMode = barMode;
  layer.backMode = backgroundMode;
  layer.backBright = 100;
  layer.foreAmplitude = 300;
  visualizer->setMusicLayer(layer, Painting::On);
  for (auto _ : state) {
    visualizer->PaintFrame();
    benchmark::DoNotOptimize(visualizer->keyColour(0, 0));
  }
}

// The default look: a moving rainbow over black.
void BM_VisualizerFrameRainbow(benchmark::State& state) { RunFrames(state, 15, 0); }
BENCHMARK(BM_VisualizerFrameRainbow)->Unit(benchmark::kMicrosecond);

// The costliest tables: a hue wheel per cell for both the bars and the background.
void BM_VisualizerFrameHueWheels(benchmark::State& state) { RunFrames(state, 17, 18); }
BENCHMARK(BM_VisualizerFrameHueWheels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
