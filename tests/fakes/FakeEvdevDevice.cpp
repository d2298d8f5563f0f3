#include "tests/fakes/FakeEvdevDevice.h"

#include <linux/input-event-codes.h>

#include <chrono>

namespace {
// Long enough for any loaded machine; a test that gets here has failed anyway.
constexpr auto kSafetyLimit = std::chrono::seconds(10);
}  // namespace

FakeEvdevDevice::Script::Script(Identity identity) : identity_(std::move(identity)) {}

void FakeEvdevDevice::Script::queue(const std::vector<InputEvent>& events) {
  std::lock_guard lock(mutex_);
  events_.insert(events_.end(), events.begin(), events.end());
  changed();
}

void FakeEvdevDevice::Script::setHeld(std::set<int> keys) {
  std::lock_guard lock(mutex_);
  held_ = std::move(keys);
  changed();
}

void FakeEvdevDevice::Script::vanish() {
  std::lock_guard lock(mutex_);
  present_ = false;
  grabbed_ = false;
  error_ = ENODEV;
  changed();
}

void FakeEvdevDevice::Script::fail(int error) {
  std::lock_guard lock(mutex_);
  error_ = error;
  changed();
}

void FakeEvdevDevice::Script::comeBack() {
  std::lock_guard lock(mutex_);
  present_ = true;
  error_ = 0;
  events_.clear();
  held_.clear();
  changed();
}

void FakeEvdevDevice::Script::setGrabRefused(bool refused) {
  std::lock_guard lock(mutex_);
  grabRefused_ = refused;
}

void FakeEvdevDevice::Script::setOpenStatus(OpenStatus status) {
  std::lock_guard lock(mutex_);
  openStatus_ = status;
}

bool FakeEvdevDevice::Script::present() const {
  std::lock_guard lock(mutex_);
  return present_;
}

OpenStatus FakeEvdevDevice::Script::openStatus() const {
  std::lock_guard lock(mutex_);
  return present_ ? openStatus_ : OpenStatus::Missing;
}

bool FakeEvdevDevice::Script::grabbed() const {
  std::lock_guard lock(mutex_);
  return grabbed_;
}

int FakeEvdevDevice::Script::grabCount() const {
  std::lock_guard lock(mutex_);
  return grabCount_;
}

int FakeEvdevDevice::Script::ungrabCount() const {
  std::lock_guard lock(mutex_);
  return ungrabCount_;
}

std::size_t FakeEvdevDevice::Script::pending() const {
  std::lock_guard lock(mutex_);
  return events_.size();
}

bool FakeEvdevDevice::Script::readerWaiting() const {
  std::lock_guard lock(mutex_);
  return waiting_ > 0 && events_.empty();
}

bool FakeEvdevDevice::Script::waitUntil(const std::function<bool()>& condition) const {
  // The condition takes the lock itself, so it is checked unlocked; the change
  // counter catches a change made between that check and the wait.
  const auto deadline = std::chrono::steady_clock::now() + kSafetyLimit;
  std::unique_lock lock(mutex_);
  for (;;) {
    const std::uint64_t seen = changes_;
    lock.unlock();
    if (condition()) return true;
    lock.lock();
    if (!changed_.wait_until(lock, deadline, [&] { return changes_ != seen; })) {
      lock.unlock();
      return condition();
    }
  }
}

ReadStatus FakeEvdevDevice::Script::read(InputEvent& event, const bool& cancelled) {
  std::unique_lock lock(mutex_);
  ++waiting_;
  changed();
  changed_.wait(lock, [&] { return cancelled || !present_ || error_ != 0 || !events_.empty(); });
  --waiting_;
  if (cancelled) return ReadStatus::Cancelled;
  if (!present_) return ReadStatus::Vanished;
  if (error_ != 0) return ReadStatus::Failed;
  event = events_.front();
  events_.pop_front();
  // Like libevdev, the held state follows the events as they are read.
  if (event.type == EV_KEY && event.value == 0) held_.erase(event.code);
  if (event.type == EV_KEY && event.value == 1) held_.insert(event.code);
  changed();
  return ReadStatus::Event;
}

void FakeEvdevDevice::Script::cancel(bool& cancelled) {
  std::lock_guard lock(mutex_);
  cancelled = true;
  changed();
}

bool FakeEvdevDevice::Script::grab() {
  std::lock_guard lock(mutex_);
  if (!present_ || grabRefused_ || grabbed_) return false;
  grabbed_ = true;
  ++grabCount_;
  changed();
  return true;
}

void FakeEvdevDevice::Script::ungrab() {
  std::lock_guard lock(mutex_);
  grabbed_ = false;
  ++ungrabCount_;
  changed();
}

std::vector<int> FakeEvdevDevice::Script::held() const {
  std::lock_guard lock(mutex_);
  return {held_.begin(), held_.end()};
}

int FakeEvdevDevice::Script::error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

void FakeEvdevDevice::Script::changed() {
  ++changes_;
  changed_.notify_all();
}

FakeEvdevDevice::FakeEvdevDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}

std::vector<InputEvent> FakeEvdevDevice::keyFrame(int code, int value, std::uint64_t timeMs) {
  // Real keyboards send the HID usage as MSC_SCAN; any stable number will do here.
  return {{EV_MSC, MSC_SCAN, 0x70000 + code, timeMs},
          {EV_KEY, static_cast<std::uint16_t>(code), value, timeMs},
          {EV_SYN, SYN_REPORT, 0, timeMs}};
}

std::vector<int> FakeEvdevDevice::defaultKeys() {
  std::vector<int> keys;
  for (int code = KEY_ESC; code <= KEY_F12; ++code) keys.push_back(code);
  for (int code = KEY_KPENTER; code <= KEY_DELETE; ++code) keys.push_back(code);
  keys.insert(keys.end(), {KEY_LEFTMETA, KEY_RIGHTMETA, KEY_COMPOSE, KEY_VOLUMEUP, KEY_VOLUMEDOWN, KEY_MUTE});
  return keys;
}
