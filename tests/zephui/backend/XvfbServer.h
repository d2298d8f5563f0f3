// A private Xvfb for the X11 tests: started on a free display number (Xvfb
// picks it and reports it through -displayfd), stopped with the object.
#pragma once

#include <sys/types.h>

#include <string>

namespace zephuitest {

class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  /// Starts Xvfb with one 1280 x 800 screen and points DISPLAY at it; false when it cannot run.
  bool Start();
  /// The one server of the test binary, started on first use (every suite must share the display the
  /// window system connected to); null when it cannot run.
  static const XvfbServer* Shared();
  /// The display name, ":N".
  const std::string& Display() const { return display_; }
  /// The server's process id; -1 when it does not run.
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace zephuitest
