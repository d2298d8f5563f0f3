#include "macros/filter/KeyFilterDriver.h"

#include <algorithm>

KeyFilterDriver::KeyFilterDriver(EvdevDiscovery& discovery, CloneFactory makeClone, std::vector<UsbId> served)
    : discovery_(discovery), makeClone_(std::move(makeClone)), served_(std::move(served)) {}

KeyFilterDriver::~KeyFilterDriver() {
  stop();
}

void KeyFilterDriver::loadTable(KeyFilterTable table) {
  std::vector<Session> stopped;
  {
    std::lock_guard lock(mutex_);
    loaded_ = std::move(table);
    // The grab belongs to the table being replaced; an empty table leaves the keyboard alone.
    started_ = false;
    status_ = FilterStatus::Idle;
    stopped = takeSessionsLocked();
  }
  // Keys still waiting for the monitor were reported under the old table.
  keyEvents_.clear();
}

void KeyFilterDriver::commitTable() {
  std::lock_guard lock(mutex_);
  committed_ = std::make_shared<const KeyFilterTable>(loaded_);
}

FilterStatus KeyFilterDriver::start() {
  std::lock_guard lock(mutex_);
  started_ = true;
  return serveLocked();
}

void KeyFilterDriver::stop() {
  std::vector<Session> stopped;
  {
    std::lock_guard lock(mutex_);
    started_ = false;
    status_ = FilterStatus::Idle;
    stopped = takeSessionsLocked();
  }
  // Leaving the scope stops the readers, outside the lock.
}

FilterStatus KeyFilterDriver::rescan() {
  std::vector<Session> ended;
  std::lock_guard lock(mutex_);
  // Ended readers have finished their threads, so dropping them is quick.
  auto firstEnded = std::partition(sessions_.begin(), sessions_.end(),
                                   [](const Session& s) { return !s.reader->finished(); });
  ended.assign(std::make_move_iterator(firstEnded), std::make_move_iterator(sessions_.end()));
  sessions_.erase(firstEnded, sessions_.end());
  return serveLocked();
}

bool KeyFilterDriver::needsRescan() {
  std::lock_guard lock(mutex_);
  if (!started_ || committed_->empty()) return false;
  return sessions_.empty() ||
         std::ranges::any_of(sessions_, [](const Session& s) { return s.reader->finished(); });
}

FilterStatus KeyFilterDriver::status() {
  std::lock_guard lock(mutex_);
  return status_;
}

FilterStatus KeyFilterDriver::serveLocked() {
  if (!started_ || committed_->empty()) return status_ = FilterStatus::Idle;
  std::vector<Opened> opened;
  const FilterStatus opening = openNewLocked(opened);
  if (opening != FilterStatus::Running) {
    // All or nothing: a half-served keyboard would behave differently per key.
    for (Opened& o : opened) o.clone->Destroy();
    return status_ = opening;
  }
  for (Opened& o : opened) {
    auto passThrough = std::make_unique<FilterPassThrough>(committed_, std::move(o.clone), keyEvents_);
    auto reader = std::make_unique<DeviceReader>(std::move(o.device), *passThrough, ReaderMode::Grab);
    reader->start();
    sessions_.push_back({std::move(passThrough), std::move(reader)});
  }
  return status_ = sessions_.empty() ? FilterStatus::KeyboardAbsent : FilterStatus::Running;
}

FilterStatus KeyFilterDriver::openNewLocked(std::vector<Opened>& opened) {
  for (const std::string& path : discovery_.findDevices(served_)) {
    if (isServedLocked(path)) continue;
    OpenResult result = discovery_.open(path);
    // Gone between listing and opening: it was unplugged, nothing to serve.
    if (result.status == OpenStatus::Missing) continue;
    if (result.status == OpenStatus::PermissionDenied) return FilterStatus::NoPermission;
    if (result.status != OpenStatus::Opened || !result.device) return FilterStatus::DeviceError;
    auto clone = makeCloneOf(*result.device);
    if (!clone) return FilterStatus::NoUinput;
    opened.push_back({std::move(result.device), std::move(clone)});
  }
  return FilterStatus::Running;
}

std::unique_ptr<UinputSink> KeyFilterDriver::makeCloneOf(const EvdevDevice& device) {
  auto clone = makeClone_ ? makeClone_() : nullptr;
  if (!clone) return nullptr;
  UinputDeviceSpec announced;
  // Same name and ids, so per-keyboard settings of the desktop still apply;
  // the virtual bus keeps discovery from taking the clone for the keyboard.
  announced.name = device.name();
  announced.vendorId = device.vendorId();
  announced.productId = device.productId();
  announced.keys = device.keyCodes();
  announced.relativeAxes = device.hasRelativeAxes();
  if (!clone->Create(announced)) return nullptr;
  return clone;
}

std::vector<KeyFilterDriver::Session> KeyFilterDriver::takeSessionsLocked() {
  std::vector<Session> taken;
  taken.swap(sessions_);
  return taken;
}

bool KeyFilterDriver::isServedLocked(const std::string& path) const {
  return std::ranges::any_of(sessions_, [&path](const Session& s) { return s.reader->path() == path; });
}
