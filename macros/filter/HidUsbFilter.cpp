#include "macros/filter/HidUsbFilter.h"

#include <algorithm>

namespace {
constexpr std::uint8_t kPressedFlag = 0x01;
}

HidUsbFilter::HidUsbFilter(EvdevDiscovery& discovery, KeyFilterDriver::CloneFactory makeClone,
                           std::vector<UsbId> served, Options options)
    : driver_(std::make_unique<KeyFilterDriver>(discovery, std::move(makeClone), std::move(served))),
      options_(options) {}

HidUsbFilter::~HidUsbFilter() {
  stopMonitor();
  driver_->stop();
}

bool HidUsbFilter::loadTable(std::span<const std::uint8_t> input) {
  auto table = KeyFilterTable::decode(input);
  if (!table) return false;
  driver_->loadTable(std::move(*table));
  return true;
}

void HidUsbFilter::commitTable() {
  driver_->commitTable();
}

FilterStatus HidUsbFilter::startFiltering() {
  return driver_->start();
}

FilterStatus HidUsbFilter::rescan() {
  return driver_->rescan();
}

FilterStatus HidUsbFilter::status() {
  return driver_->status();
}

void HidUsbFilter::startMonitor() {
  stopMonitor();
  driver_->keyEvents().resume();
  const std::uint64_t id = ++lastMonitorId_;
  monitorId_ = id;
  monitor_ = std::thread([this, id] { monitorLoop(id); });
}

void HidUsbFilter::stopMonitor() {
  monitorId_ = 0;
  driver_->keyEvents().cancel();
  joinUnlessCurrent(retired_);
  if (monitor_.joinable() && monitor_.get_id() == std::this_thread::get_id()) {
    // Reprogrammed from a callback: this thread ends by itself once the offer
    // returns, as its id no longer matches; the next stop joins it.
    retired_ = std::move(monitor_);
  }
  joinUnlessCurrent(monitor_);
}

void HidUsbFilter::joinUnlessCurrent(std::thread& thread) {
  if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
}

std::optional<HidUsbFilter::KeyEventBytes> HidUsbFilter::waitKeyEvent(std::chrono::milliseconds timeout) {
  const auto key = driver_->keyEvents().pop(timeout);
  if (!key) return std::nullopt;
  return KeyEventBytes{static_cast<std::uint8_t>(key->keyCode & 0xFF), static_cast<std::uint8_t>(key->keyCode >> 8),
                       0, key->pressed ? kPressedFlag : std::uint8_t{0}};
}

void HidUsbFilter::registerCallback(IMonitorProxy& proxy) {
  std::lock_guard lock(callbackMutex_);
  if (std::ranges::find(callbacks_, &proxy) == callbacks_.end()) callbacks_.push_back(&proxy);
}

void HidUsbFilter::unregisterCallback(IMonitorProxy& proxy) {
  std::lock_guard lock(callbackMutex_);
  std::erase(callbacks_, &proxy);
}

void HidUsbFilter::monitorLoop(std::uint64_t id) {
  while (monitorId_.load() == id) {
    if (const auto event = waitKeyEvent(options_.rediscoveryPeriod)) {
      offer(*event);
    } else if (monitorId_.load() == id && options_.rediscoveryPeriod.count() > 0 && driver_->needsRescan()) {
      driver_->rescan();
    }
  }
}

void HidUsbFilter::offer(const KeyEventBytes& event) {
  const auto keyCode = static_cast<std::uint16_t>(event[0] | (event[1] << 8));
  const bool pressed = (event[3] & kPressedFlag) != 0;
  // Held for the whole offer, so a callback is never called after unregisterCallback returns.
  std::lock_guard lock(callbackMutex_);
  for (IMonitorProxy* proxy : callbacks_) {
    if (proxy->onFilterKey(event[2], keyCode, pressed)) break;
  }
}
