#include "tests/sim/Bus.h"

#include <utility>

namespace hidsim {

Bus& Bus::Instance() {
  static Bus bus;
  return bus;
}

int Bus::Plug(const InterfaceSpec& spec, std::shared_ptr<Firmware> firmware) {
  std::lock_guard lock(mutex_);
  for (const auto& entry : devices_) {
    if (entry.second.spec.path == spec.path) return -1;
  }
  const int id = nextId_++;
  devices_.emplace(id, Device{spec, std::move(firmware), Faults{}});
  return id;
}

Bus::KeyboardIds Bus::PlugKeyboard(std::uint16_t vendorId, std::uint16_t productId,
                                   std::shared_ptr<Firmware> firmware, int vendorInterface) {
  const auto plug = [&](std::uint16_t usagePage, std::uint16_t usage, int number) {
    InterfaceSpec spec;
    spec.vendorId = vendorId;
    spec.productId = productId;
    spec.usagePage = usagePage;
    spec.usage = usage;
    spec.interfaceNumber = number;
    for (;;) {
      int n = 0;
      {
        std::lock_guard lock(mutex_);
        n = nextHidraw_++;
      }
      spec.path = "/dev/hidraw" + std::to_string(n);
      const int id = Plug(spec, firmware);
      if (id >= 0) return id;
    }
  };
  KeyboardIds ids;
  ids.keys = plug(0x0001, 0x0006, 0);
  ids.vendor = plug(0xFF01, 0x0001, vendorInterface);
  ids.stream = plug(0xFF01, 0x0001, 3);
  return ids;
}

void Bus::Unplug(int id) {
  std::lock_guard lock(mutex_);
  devices_.erase(id);
}

void Bus::UnplugKeyboard(int id) {
  std::lock_guard lock(mutex_);
  UnplugKeyboardLocked(id);
}

void Bus::UnplugKeyboardLocked(int id) {
  const auto it = devices_.find(id);
  if (it == devices_.end()) return;
  const std::shared_ptr<Firmware> firmware = it->second.firmware;
  if (!firmware) {
    devices_.erase(it);
    return;
  }
  std::erase_if(devices_, [&](const auto& entry) { return entry.second.firmware == firmware; });
}

void Bus::UnplugAll() {
  std::lock_guard lock(mutex_);
  devices_.clear();
}

bool Bus::IsPlugged(int id) const {
  std::lock_guard lock(mutex_);
  return devices_.contains(id);
}

std::string Bus::PathOf(int id) const {
  std::lock_guard lock(mutex_);
  const auto it = devices_.find(id);
  return it == devices_.end() ? std::string() : it->second.spec.path;
}

void Bus::Reset() {
  std::lock_guard lock(mutex_);
  devices_.clear();
  // Ids keep counting so a handle left from before never reaches a new device.
  nextHidraw_ = 0;
  clock_ = nullptr;
  initFails_ = false;
  initCalls_ = 0;
  exitCalls_ = 0;
  handles_.clear();
}

void Bus::SetClock(Clock* clock) {
  std::lock_guard lock(mutex_);
  clock_ = clock;
}

std::uint64_t Bus::NowLocked() const { return clock_ ? clock_->NowMs() : 0; }

void Bus::RefuseOutputWrites(int id, int count) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.refuseWrites = count;
}

void Bus::RefuseFeatureSends(int id, int count) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.refuseFeatures = count;
}

void Bus::FailGetFeatures(int id, int count) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.failGets = count;
}

void Bus::WrongReportIdOnGets(int id, int count) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.wrongIdGets = count;
}

void Bus::CannedGetReplies(int id, std::vector<Bytes> replies) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.canned = std::move(replies);
}

void Bus::UnplugAfterFrames(int id, int count) {
  std::lock_guard lock(mutex_);
  const auto it = devices_.find(id);
  if (it == devices_.end()) return;
  if (count <= 0) {
    UnplugKeyboardLocked(id);
  } else {
    it->second.faults.unplugAfter = count;
  }
}

void Bus::RefuseOpens(int id, int count) {
  std::lock_guard lock(mutex_);
  if (auto it = devices_.find(id); it != devices_.end()) it->second.faults.refuseOpens = count;
}

void Bus::SetInitFails(bool fails) {
  std::lock_guard lock(mutex_);
  initFails_ = fails;
}

int Bus::InitCalls() const {
  std::lock_guard lock(mutex_);
  return initCalls_;
}

int Bus::ExitCalls() const {
  std::lock_guard lock(mutex_);
  return exitCalls_;
}

int Bus::OpenHandles() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(handles_.size());
}

void Bus::AfterTransferLocked(int id) {
  const auto it = devices_.find(id);
  if (it == devices_.end() || it->second.faults.unplugAfter < 0) return;
  if (--it->second.faults.unplugAfter == 0) UnplugKeyboardLocked(id);
}

}  // namespace hidsim
