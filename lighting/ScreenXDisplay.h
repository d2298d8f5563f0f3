// The screen light's own connection to the X server, used only by the sampling
// thread. Protocol errors on it are recorded instead of ending the process, and
// a lost server marks it broken instead of exiting, so the sampler can give up
// quietly and try again later.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>

class ScreenXDisplay {
 public:
  /// Connects to the named display ($DISPLAY when empty); null when no server answers.
  static std::unique_ptr<ScreenXDisplay> Open(const std::string& name);
  /// Closes the connection.
  ~ScreenXDisplay();
  ScreenXDisplay(const ScreenXDisplay&) = delete;
  ScreenXDisplay& operator=(const ScreenXDisplay&) = delete;

  /// The Xlib connection.
  Display* Get() const { return display_; }
  /// The root window of the default screen.
  Window Root() const;
  /// Waits until the server has handled every request; false when one of them failed since the last check.
  bool Sync();
  /// True (and forgotten) when a request failed since the last check; call after a reply, which brings errors in.
  bool TakeError();
  /// True once the connection to the server is lost; every later request is pointless.
  bool Broken() const;

 private:
  explicit ScreenXDisplay(Display* display);

  Display* display_;
};
