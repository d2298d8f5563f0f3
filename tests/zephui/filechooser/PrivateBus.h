// A session bus of the test's own: dbus-daemon on a socket in a short-named
// temporary folder (socket paths are short), with no service files (nothing is
// started on demand), made the process's session bus through
// DBUS_SESSION_BUS_ADDRESS.
#pragma once

#include <sys/types.h>

#include <string>

namespace zephuitest {

class PrivateBus {
 public:
  /// Starts the daemon and points the environment at it.
  PrivateBus();
  /// Stops the daemon it started.
  ~PrivateBus();
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  /// Whether the daemon runs and listens.
  bool Running() const { return listening_; }

 private:
  std::string folder_;
  pid_t pid_ = -1;
  bool listening_ = false;
};

}  // namespace zephuitest
