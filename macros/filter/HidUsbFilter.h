// The key filter the program programs with the current profile's assigned
// keys. On Linux the filter is an evdev grab of the served keyboard
// (KeyFilterDriver); this class keeps the control operations the program
// issues and the monitor thread that offers each reported key to the
// registered callbacks.
//
// The monitor thread runs while its recorded id equals its own; stopping
// clears the id, cancels the blocking wait and joins. While it waits it also
// re-discovers the keyboard now and then when a device has gone away, in case
// no hot-plug notice reaches rescan.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "macros/filter/EvdevDiscovery.h"
#include "macros/filter/KeyFilterControl.h"
#include "macros/filter/KeyFilterDriver.h"

class HidUsbFilter : public KeyFilterControl {
 public:
  /// Size of one key event: key code (16-bit LE), a spare byte, flags (bit 0 pressed).
  static constexpr std::size_t kKeyEventBytes = 4;
  /// One key event as the filter reports it.
  using KeyEventBytes = std::array<std::uint8_t, kKeyEventBytes>;

  /// Receives the keys the filter reports, on the monitor thread.
  class IMonitorProxy {
   public:
    virtual ~IMonitorProxy() = default;
    /// One key (spare byte, layout code, pressed), under the callback lock (never register from here); true ends the offer.
    virtual bool onFilterKey(std::uint8_t spare, std::uint16_t keyCode, bool pressed) = 0;
  };

  /// An IMonitorProxy that forwards to a member function of its owner.
  template <class Owner>
  class MonitorProxy : public IMonitorProxy {
   public:
    /// The owner's handler for reported keys.
    using Method = bool (Owner::*)(std::uint8_t, std::uint16_t, bool);
    /// Forwards to owner.*method.
    MonitorProxy(Owner& owner, Method method) : owner_(owner), method_(method) {}
    /// Calls the owner.
    bool onFilterKey(std::uint8_t spare, std::uint16_t keyCode, bool pressed) override {
      return (owner_.*method_)(spare, keyCode, pressed);
    }

   private:
    Owner& owner_;
    Method method_;
  };

  /// Tuning; tests turn the periodic re-discovery off.
  struct Options {
    std::chrono::milliseconds rediscoveryPeriod{2000};  ///< zero: only rescan finds returning keyboards
  };

  /// A filter for the keyboards with these ids; `discovery` must outlive it.
  HidUsbFilter(EvdevDiscovery& discovery, KeyFilterDriver::CloneFactory makeClone, std::vector<UsbId> served,
               Options options);
  /// Stops the monitor and releases the keyboard.
  ~HidUsbFilter() override;
  HidUsbFilter(const HidUsbFilter&) = delete;
  HidUsbFilter& operator=(const HidUsbFilter&) = delete;

  /// Clears (256 zero bytes) or sets (1024 bytes) the table; stops serving until started again.
  bool loadTable(std::span<const std::uint8_t> input) override;
  /// The loaded table becomes the served one.
  void commitTable() override;
  /// Grabs the keyboard when the table lists keys; says why not otherwise.
  FilterStatus startFiltering() override;
  /// Starts the monitor thread (restarting it when it runs).
  void startMonitor() override;
  /// Stops the monitor thread; reported keys wait until it runs again or the table changes.
  void stopMonitor() override;

  /// Waits for the next reported key; nullopt when the monitor is stopped or `timeout` (if positive) passes.
  std::optional<KeyEventBytes> waitKeyEvent(std::chrono::milliseconds timeout);
  /// Adds a callback after the ones registered before it.
  void registerCallback(IMonitorProxy& proxy);
  /// Removes a callback; it is not called after this returns.
  void unregisterCallback(IMonitorProxy& proxy);

  /// Picks up keyboards that arrived (and drops ones that left); call on hot-plug notices.
  FilterStatus rescan();
  /// The outcome of the last start or rescan.
  FilterStatus status();

 private:
  void monitorLoop(std::uint64_t id);
  void offer(const KeyEventBytes& event);
  static void joinUnlessCurrent(std::thread& thread);

  std::unique_ptr<KeyFilterDriver> driver_;
  Options options_;

  std::mutex callbackMutex_;  // guards callbacks_; held while a key is offered
  std::vector<IMonitorProxy*> callbacks_;

  std::atomic<std::uint64_t> monitorId_{0};
  std::uint64_t lastMonitorId_ = 0;  // start and stop never race each other
  std::thread monitor_;
  std::thread retired_;  // a monitor that stopped itself from a callback
};
