#include "macros/filter/DeviceReader.h"

DeviceReader::DeviceReader(std::unique_ptr<EvdevDevice> device, Handler& handler, ReaderMode mode)
    : device_(std::move(device)), handler_(handler), mode_(mode), path_(device_->path()) {}

DeviceReader::~DeviceReader() {
  stop();
}

void DeviceReader::start() {
  thread_ = std::thread([this] { run(); });
}

void DeviceReader::stop() {
  device_->cancelRead();
  if (thread_.joinable()) thread_.join();
  finished_ = true;
}

void DeviceReader::run() {
  const ReaderEnd end = mode_ == ReaderMode::Grab ? runGrabbed() : readUntilEnd();
  // Set first, so whoever sees the handler's reaction to the end also sees the
  // reader as finished (and may reap it: that joins this thread).
  finished_ = true;
  handler_.onEnded(end);
}

ReaderEnd DeviceReader::runGrabbed() {
  if (const auto ended = waitForNoHeldKey()) return *ended;
  if (!device_->grab()) return ReaderEnd::GrabRefused;
  const ReaderEnd end = readUntilEnd();
  device_->ungrab();
  return end;
}

std::optional<ReaderEnd> DeviceReader::waitForNoHeldKey() {
  InputEvent event;
  while (!device_->heldKeys().empty()) {
    const ReadStatus status = device_->readEvent(event);
    if (status != ReadStatus::Event) return endOf(status);
    handler_.onEvent(event, ReaderPhase::BeforeGrab);
  }
  return std::nullopt;
}

ReaderEnd DeviceReader::readUntilEnd() {
  InputEvent event;
  for (;;) {
    const ReadStatus status = device_->readEvent(event);
    if (status != ReadStatus::Event) return endOf(status);
    handler_.onEvent(event, ReaderPhase::Reading);
  }
}

ReaderEnd DeviceReader::endOf(ReadStatus status) {
  switch (status) {
    case ReadStatus::Vanished:
      return ReaderEnd::Vanished;
    case ReadStatus::Failed:
      return ReaderEnd::Failed;
    default:
      return ReaderEnd::Stopped;
  }
}
