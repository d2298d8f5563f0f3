#include "lighting/Visualizer.h"

#include <cmath>
#include <cstring>

#include "lighting/VisualizerPainter.h"

namespace {

constexpr int kBarBrightness = 100;
constexpr std::uint32_t kInactiveStepMs = 20;  // idle in short steps so stop and activation are prompt

}  // namespace

Visualizer::Visualizer(std::unique_ptr<AudioCaptureSource> source, Clock& clock)
    : source_(std::move(source)), clock_(clock) {}

Visualizer::~Visualizer() {
  stop();
  // Notices arrive on the source's own thread; once the handler is replaced none is under way or can follow.
  source_->SetDefaultChangedHandler(nullptr);
  source_.reset();
}

void Visualizer::initialise() {
  openCapture();
  {
    std::lock_guard lock(settingsMutex_);
    const Painting painting = settings_.painting;
    settings_ = Settings{};
    settings_.painting = painting;
  }
  spectrum_.Reset();
  phase_ = 0.0;
  startCapture();
}

void Visualizer::openCapture() {
  source_->SetDefaultChangedHandler([this] { OnDefaultDeviceChanged(); });
}

void Visualizer::startCapture() { source_->Start(); }

void Visualizer::setCaptureSource(const std::string& sourceName) { source_->FollowSource(sourceName); }

void Visualizer::OnDefaultDeviceChanged() { startCapture(); }

void Visualizer::start() {
  if (paintThread_.joinable()) return;
  paintThread_ = std::jthread([this](std::stop_token stop) { RunPaintThread(stop); });
}

void Visualizer::stop() {
  if (!paintThread_.joinable()) return;
  paintThread_.request_stop();
  paintThread_.join();
}

void Visualizer::setActive(Painting painting) {
  std::lock_guard lock(settingsMutex_);
  settings_.painting = painting;
}

bool Visualizer::active() const { return CurrentSettings().painting == Painting::On; }

void Visualizer::setMusicLayer(const MusicLayerRecord& layer, Painting afterwards) {
  // Settings are locked anyway; the pause keeps the hand-over the lighting page expects.
  setActive(Painting::Off);
  clock_.SleepMs(kSettleMs);
  {
    std::lock_guard lock(settingsMutex_);
    settings_.barMode = layer.foreMode;
    settings_.backgroundMode = layer.backMode;
    settings_.backgroundBrightness = layer.backBright;
    settings_.gain = layer.foreAmplitude;
  }
  startCapture();
  if (afterwards == Painting::On) setActive(Painting::On);
}

Visualizer::Settings Visualizer::CurrentSettings() const {
  std::lock_guard lock(settingsMutex_);
  return settings_;
}

void Visualizer::PaintFrame() {
  const Settings settings = CurrentSettings();
  spectrum_.SetGain(settings.gain);
  spectrum_.Decay();
  DrainCapture(Sound::Analyse);
  spectrum_.Update();

  phase_ = std::fmod(phase_, 360.0);
  if (phase_ < 0.0) phase_ += 360.0;
  barTable_.Build(settings.barMode, kBarBrightness, phase_);
  backgroundTable_.Build(settings.backgroundMode, settings.backgroundBrightness, phase_);
  VisualizerPainter::Paint(frames_.Back(), spectrum_.Display(), barTable_.Grid(), backgroundTable_.Grid());
  frames_.Swap();
  phase_ += speed_ / 100.0;
}

void Visualizer::DrainCapture(Sound sound) {
  for (;;) {
    const PacketStatus status = source_->Read(packet_);
    if (status == PacketStatus::Gone) source_->Stop();
    if (status != PacketStatus::Packet) return;
    if (sound == Sound::Drop) continue;
    samples_.resize(packet_.size() / sizeof(float));
    std::memcpy(samples_.data(), packet_.data(), samples_.size() * sizeof(float));
    spectrum_.Append(samples_);
  }
}

void Visualizer::RunPaintThread(const std::stop_token& stop) {
  while (!stop.stop_requested()) {
    if (active()) {
      PaintFrame();
    } else {
      DrainCapture(Sound::Drop);
    }
    Rest(stop);
  }
}

void Visualizer::Rest(const std::stop_token& stop) {
  if (active()) {
    clock_.SleepMs(kActivePeriodMs);
    return;
  }
  for (std::uint32_t waited = 0; waited < kInactivePeriodMs && !stop.stop_requested() && !active();
       waited += kInactiveStepMs) {
    clock_.SleepMs(kInactiveStepMs);
  }
}

void Visualizer::setKeyGrid(int rows, int columns) {
  std::lock_guard lock(gridMutex_);
  sampler_ = KeySampler(rows, columns);
}

ZephUI::GdiColor Visualizer::keyColour(int row, int column) const {
  KeySampler sampler;
  {
    std::lock_guard lock(gridMutex_);
    sampler = sampler_;
  }
  return frames_.FrontAt(sampler.ImageRow(row), sampler.ImageColumn(column));
}

VisualizerImage Visualizer::frontImage() const { return frames_.CopyFront(); }
