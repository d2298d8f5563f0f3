#include "lighting/LevelCapture.h"

#include <cstring>

namespace {

// Until the stream reports its format, samples are taken as 16-bit stereo.
constexpr CaptureFormat kAssumedFormat{0, 2, 16, 4, 0};

}  // namespace

LevelCapture::LevelCapture(std::unique_ptr<AudioCaptureSource> source, AudioCapture::IProxy& proxy, Clock& clock)
    : source_(std::move(source)), proxy_(proxy), clock_(clock) {
  // A new default device (or an audio server that came back) is captured at once.
  source_->SetDefaultChangedHandler([this] {
    if (running_) source_->Start();
  });
}

LevelCapture::~LevelCapture() {
  stop();
  // Notices arrive on the source's own thread; once the handler is replaced none is under way or can follow.
  source_->SetDefaultChangedHandler(nullptr);
  source_.reset();
}

void LevelCapture::setRefreshPeriod(int milliseconds) {
  if (milliseconds >= 1) period_ = milliseconds;
}

bool LevelCapture::startLevelCapture() {
  if (thread_.joinable()) {
    if (running_) return false;
    thread_.join();
  }
  running_ = true;
  thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
  return true;
}

void LevelCapture::stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void LevelCapture::Run(const std::stop_token& stop) {
  if (source_->Start()) {
    while (!stop.stop_requested()) {
      Pass();
      clock_.SleepMs(static_cast<std::uint32_t>(period_.load()));
    }
  }
  source_->Stop();
  proxy_.stopped();
  running_ = false;
}

void LevelCapture::Pass() {
  ReportFormat();
  const CaptureFormat format = format_.value_or(kAssumedFormat);
  const PacketStatus status = source_->Read(packet_);
  samples_.clear();
  if (status == PacketStatus::Packet) {
    samples_.resize(packet_.size() / sizeof(std::int16_t));
    std::memcpy(samples_.data(), packet_.data(), samples_.size() * sizeof(std::int16_t));
  } else if (status == PacketStatus::Gone) {
    // Captured again when the handler hears of a new default device.
    source_->Stop();
  }
  proxy_.data(samples_, format.blockSize, format.bitsPerSample, format.channels);
}

void LevelCapture::ReportFormat() {
  const std::optional<CaptureFormat> current = source_->Format();
  if (!current || current == format_) return;
  format_ = current;
  proxy_.format(*current);
}
