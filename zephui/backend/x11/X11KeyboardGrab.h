// The X side of a keyboard grab: an active grab on the root window, so every
// keyboard's keys come to us in order and to no other client, and the key
// events it brings turned into messages for the window the grab serves.
// Every call runs under the connection lock.
#pragma once

#include <X11/Xlib.h>

#include <set>

#include "backend/x11/X11EventTranslator.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class X11Connection;

/// The connection's keyboard grab.
class X11KeyboardGrab {
 public:
  /// Grabs the keyboard on the root window for `owner`; false when the server refuses.
  bool Grab(X11Connection& c, HWND owner, UINT message);
  /// Ungrabs and waits until the server has done it; nothing when no grab is held.
  void Ungrab(X11Connection& c);
  /// Turns a key event into a message for the grab's window; true when the event was taken.
  bool Take(XEvent& event, X11Output& out);

 private:
  HWND owner_ = nullptr;
  UINT message_ = 0;
  std::set<unsigned> down_;  // key codes held, so a press of a held key is known as a repeat
};

}  // namespace ZephUI::Backend
