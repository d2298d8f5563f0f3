// A session bus of the test binary's own: dbus-daemon started on a private
// socket, DBUS_SESSION_BUS_ADDRESS pointing at it, stopped with the object.
#pragma once

#include <sys/types.h>

#include <string>

namespace zephuitest {

class PrivateSessionBus {
 public:
  PrivateSessionBus() = default;
  ~PrivateSessionBus();
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  /// Starts the daemon and sets DBUS_SESSION_BUS_ADDRESS; false when it cannot run.
  bool Start();
  /// The address clients connect to.
  const std::string& Address() const { return address_; }

 private:
  pid_t pid_ = -1;
  std::string address_;
};

}  // namespace zephuitest
