// The desktop's side of the session-bus tray, played by the test: a
// StatusNotifierWatcher that records the items registering with it, and a
// host that calls them. Its bus is served only when the test calls Process,
// so everything happens on the test's thread between pumps of the window
// system (which serves the item itself).
#pragma once

#include <systemd/sd-bus.h>

#include <string>
#include <vector>

namespace zephuitest {

/// Whether the test bus has a watcher.
enum class WatcherRole { Watcher, PlainClient };

class TestWatcher {
 public:
  /// Connects to DBUS_SESSION_BUS_ADDRESS; as Watcher also owns the watcher's name and object.
  explicit TestWatcher(WatcherRole role);
  ~TestWatcher();
  TestWatcher(const TestWatcher&) = delete;
  TestWatcher& operator=(const TestWatcher&) = delete;

  /// Whether the connection (and the watcher's name) could be had.
  bool Ready() const { return ready_; }
  /// Handles whatever arrived, without waiting.
  void Process();
  /// The service names registered so far.
  const std::vector<std::string>& Registered() const { return registered_; }

  /// Sends `call` and returns its answer (to unref), handling the window system's messages meanwhile; null on timeout.
  sd_bus_message* Ask(sd_bus_message* call);
  /// A new method call to `service`.
  sd_bus_message* NewCall(const std::string& service, const char* path, const char* interface, const char* member);
  /// Whether a bus name has an owner now.
  bool HasOwner(const std::string& name);

 private:
  static int OnRegister(sd_bus_message* call, void* self, sd_bus_error* error);
  static int OnReply(sd_bus_message* reply, void* self, sd_bus_error* error);

  sd_bus* bus_ = nullptr;
  sd_bus_slot* object_ = nullptr;
  sd_bus_message* reply_ = nullptr;
  bool ready_ = false;
  std::vector<std::string> registered_;
};

}  // namespace zephuitest
