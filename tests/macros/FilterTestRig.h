// Helpers the key filter tests share: uinput clones that log what they are
// sent (safe to watch from the test thread while a reader writes), and a
// filter callback that logs the keys it is offered.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "macros/filter/EvdevDevice.h"
#include "macros/filter/HidUsbFilter.h"
#include "macros/virtualdevice/UinputSink.h"

namespace filtertest {

// Long enough for any loaded machine; reaching it means the test failed.
inline constexpr auto kSafetyLimit = std::chrono::seconds(10);

/// An event as a clone or sink received it.
using Sent = std::tuple<int, int, int>;

/// What one clone was created with and sent; outlives the clone itself.
class CloneLog {
 public:
  /// Records a successful create.
  void created(const UinputDeviceSpec& announced) {
    std::lock_guard lock(mutex_);
    announced_ = announced;
    live_ = true;
    changed_.notify_all();
  }
  /// Records one event.
  void sent(int type, int code, int value) {
    std::lock_guard lock(mutex_);
    events_.emplace_back(type, code, value);
    changed_.notify_all();
  }
  /// Records the removal.
  void destroyed() {
    std::lock_guard lock(mutex_);
    live_ = false;
    changed_.notify_all();
  }
  /// Waits until at least `count` events arrived; false if they never did.
  bool waitForEvents(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyLimit, [&] { return events_.size() >= count; });
  }
  /// Waits until the clone was removed; false if it never was.
  bool waitForRemoval() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyLimit, [&] { return !live_; });
  }
  /// Every event so far.
  std::vector<Sent> events() {
    std::lock_guard lock(mutex_);
    return events_;
  }
  /// What it announced when created.
  UinputDeviceSpec announced() {
    std::lock_guard lock(mutex_);
    return announced_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Sent> events_;
  UinputDeviceSpec announced_;
  bool live_ = false;
};

/// A uinput sink writing into a CloneLog; can refuse creation like a machine without /dev/uinput.
class LoggingSink : public UinputSink {
 public:
  /// A sink logging into `log`; with `refuse` every Create fails.
  LoggingSink(std::shared_ptr<CloneLog> log, bool refuse) : log_(std::move(log)), refuse_(refuse) {}
  /// Logs the creation unless refusing.
  bool Create(const UinputDeviceSpec& announced) override {
    if (refuse_) return false;
    created_ = true;
    log_->created(announced);
    return true;
  }
  /// Between Create and Destroy.
  bool IsCreated() const override { return created_; }
  /// Logs the event while created.
  bool Emit(int type, int code, int value) override {
    if (!created_) return false;
    log_->sent(type, code, value);
    return true;
  }
  /// Logs the removal.
  void Destroy() override {
    if (created_) log_->destroyed();
    created_ = false;
  }

 private:
  std::shared_ptr<CloneLog> log_;
  bool refuse_;
  bool created_ = false;
};

/// Makes logging clones and keeps their logs in creation order.
class CloneFactory {
 public:
  /// The factory function the filter takes.
  std::function<std::unique_ptr<UinputSink>()> function() {
    return [this]() -> std::unique_ptr<UinputSink> {
      std::lock_guard lock(mutex_);
      auto log = std::make_shared<CloneLog>();
      logs_.push_back(log);
      return std::make_unique<LoggingSink>(log, refuse);
    };
  }
  /// The log of the n-th clone made (0-based); null if there is none yet.
  std::shared_ptr<CloneLog> log(std::size_t n) {
    std::lock_guard lock(mutex_);
    return n < logs_.size() ? logs_[n] : nullptr;
  }
  /// Clones made so far, refused ones included.
  std::size_t count() {
    std::lock_guard lock(mutex_);
    return logs_.size();
  }

  bool refuse = false;  ///< set before the filter starts: no /dev/uinput

 private:
  std::mutex mutex_;
  std::vector<std::shared_ptr<CloneLog>> logs_;
};

/// A filter callback that logs every key offered and answers as told.
class KeyLog : public HidUsbFilter::IMonitorProxy {
 public:
  /// One offered key.
  struct Key {
    std::uint8_t spare;     ///< always 0
    std::uint16_t keyCode;  ///< layout code
    bool pressed;           ///< down or up
    bool operator==(const Key&) const = default;
  };

  /// A log that answers `handles` to every key.
  explicit KeyLog(bool handles = true) : handles_(handles) {}

  /// Logs the key.
  bool onFilterKey(std::uint8_t spare, std::uint16_t keyCode, bool pressed) override {
    std::lock_guard lock(mutex_);
    keys_.push_back({spare, keyCode, pressed});
    changed_.notify_all();
    return handles_;
  }
  /// Waits until at least `count` keys were offered; false if they never were.
  bool waitForKeys(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyLimit, [&] { return keys_.size() >= count; });
  }
  /// Every key offered so far.
  std::vector<Key> keys() {
    std::lock_guard lock(mutex_);
    return keys_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Key> keys_;
  bool handles_;
};

/// The events of a key frame as a clone receives them.
inline std::vector<Sent> sentFrame(const std::vector<InputEvent>& frame) {
  std::vector<Sent> sent;
  for (const InputEvent& e : frame) sent.emplace_back(e.type, e.code, e.value);
  return sent;
}

}  // namespace filtertest
