// The desktop programs an x11 test runs under on its private Xvfb: nothing,
// the openbox window manager, or openbox with the xcompmgr compositor. Each is
// started on DISPLAY, waited for until it owns its selection (WM_S0,
// _NET_WM_CM_S0), and stopped with the session.
#pragma once

#include <sys/types.h>

#include <string>

// Declared as Xlib declares them, so this header does not bring in Xlib's macros.
typedef struct _XDisplay Display;

namespace zephuitest {

/// The three desktops the tests run under.
enum class Desktop { Bare, Openbox, OpenboxXcompmgr };

/// Names a desktop for test names and screenshot files.
std::string DesktopName(Desktop desktop);

class DesktopSession {
 public:
  /// Observes selections through `client`, a connection to the test's display.
  explicit DesktopSession(Display* client) : client_(client) {}
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  /// Brings the display to `desktop`, starting and stopping programs; false when one does not come up.
  bool Switch(Desktop desktop);
  /// Starts the compositor alone; false when it does not come up.
  bool StartCompositor();
  /// Stops the compositor and waits until its selection is free.
  void StopCompositor();

 private:
  bool StartWindowManager();
  bool FramesWindows() const;
  void StopWindowManager();
  bool Owned(const char* selection) const;
  bool WaitFor(const char* selection, bool owned) const;

  Display* client_;
  pid_t windowManager_ = -1;
  pid_t compositor_ = -1;
};

}  // namespace zephuitest
