// The desktop's tray for the end-to-end run: a StatusNotifierWatcher on the
// session bus that notes the items registering with it, and a host that
// calls an item's methods as a panel does when the icon is clicked. The
// program runs in another process, so calls may wait for their answers.
#pragma once

#include <systemd/sd-bus.h>

#include <string>
#include <vector>

class TrayHost {
 public:
  /// Connects to DBUS_SESSION_BUS_ADDRESS and owns the watcher's name.
  TrayHost();
  ~TrayHost();
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;

  /// Whether the connection and the watcher's name could be had.
  bool Ready() const { return ready_; }
  /// Handles whatever arrived, without waiting.
  void Process();
  /// The service names registered so far.
  const std::vector<std::string>& Registered() const { return registered_; }
  /// Calls `method` (Activate, ContextMenu) at screen point x, y on the first registered item; whether it answered without error.
  bool CallItem(const char* method, int x, int y);
  /// Whether a bus name has an owner now.
  bool HasOwner(const std::string& name);

 private:
  static int OnRegister(sd_bus_message* call, void* self, sd_bus_error* error);

  sd_bus* bus_ = nullptr;
  sd_bus_slot* object_ = nullptr;
  bool ready_ = false;
  std::vector<std::string> registered_;
};
