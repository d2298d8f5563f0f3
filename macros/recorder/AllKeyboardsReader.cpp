#include "macros/recorder/AllKeyboardsReader.h"

#include <linux/input-event-codes.h>

AllKeyboardsReader::AllKeyboardsReader(EvdevDiscovery& discovery, Clock& clock)
    : discovery_(discovery), clock_(clock) {}

AllKeyboardsReader::~AllKeyboardsReader() {
  stop();
}

int AllKeyboardsReader::start(ReaderMode mode, Receiver receiver) {
  stop();
  events_.clear();
  events_.resume();
  receiver_ = std::move(receiver);
  for (const std::string& path : discovery_.findKeyboards()) {
    // Keyboards we may not open are simply not read; the others still are.
    OpenResult opened = discovery_.open(path);
    if (opened.status != OpenStatus::Opened || !opened.device) continue;
    DeviceReader::Handler& handler = *this;
    readers_.push_back(std::make_unique<DeviceReader>(std::move(opened.device), handler, mode));
  }
  deliverer_ = std::thread([this] { deliverLoop(); });
  for (auto& reader : readers_) reader->start();
  return static_cast<int>(readers_.size());
}

void AllKeyboardsReader::stop() {
  readers_.clear();
  events_.cancel();
  if (deliverer_.joinable()) deliverer_.join();
}

void AllKeyboardsReader::onEvent(const InputEvent& event, ReaderPhase phase) {
  if (event.type != EV_KEY && event.type != EV_REL) return;
  // The kernel's stamp tells when the key moved; the reading may come much later on a busy machine.
  events_.push({event, phase, event.timeMs != 0 ? event.timeMs : clock_.NowMs()});
}

void AllKeyboardsReader::onEnded(ReaderEnd) {
  // A keyboard that leaves (or is held by another program) just stops contributing.
}

void AllKeyboardsReader::deliverLoop() {
  while (const auto event = events_.pop()) receiver_(*event);
}
