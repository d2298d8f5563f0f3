#include "backend/x11/X11KeyboardGrab.h"

#include "backend/x11/X11Connection.h"
#include "backend/x11/X11Keymap.h"
#include "zephui/KeyboardGrab.h"

namespace ZephUI::Backend {
namespace {

// X key codes are the Linux input key codes plus 8.
constexpr unsigned kKeycodeOffset = 8;

}  // namespace

bool X11KeyboardGrab::Grab(X11Connection& c, HWND owner, UINT message) {
  Ungrab(c);
  // Asynchronous in both modes: the server keeps delivering, nothing is frozen for other clients.
  const int status = XGrabKeyboard(c.display, c.root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
  if (status != GrabSuccess) return false;
  owner_ = owner;
  message_ = message;
  down_.clear();
  return true;
}

void X11KeyboardGrab::Ungrab(X11Connection& c) {
  if (owner_ == nullptr) return;
  owner_ = nullptr;
  down_.clear();
  XUngrabKeyboard(c.display, CurrentTime);
  // Round trip: when we return, every other client can have the keyboard again.
  XSync(c.display, False);
}

bool X11KeyboardGrab::Take(XEvent& event, X11Output& out) {
  if (owner_ == nullptr || (event.type != KeyPress && event.type != KeyRelease)) return false;
  XKeyEvent& key = event.xkey;
  GrabbedKey grabbed;
  grabbed.keyCode = key.keycode >= kKeycodeOffset ? key.keycode - kKeycodeOffset : 0;
  grabbed.vk = key.keycode != 0 ? X11Keymap::VirtualKeyOf(key) : 0;
  grabbed.timeMs = static_cast<std::uint32_t>(key.time);
  if (event.type == KeyRelease) {
    grabbed.action = GrabbedKeyAction::Release;
    down_.erase(key.keycode);
  } else {
    grabbed.action = down_.insert(key.keycode).second ? GrabbedKeyAction::Press : GrabbedKeyAction::Repeat;
  }
  const auto [wParam, lParam] = KeyboardGrab::Encode(grabbed);
  MSG msg;
  msg.hwnd = owner_;
  msg.message = message_;
  msg.wParam = wParam;
  msg.lParam = lParam;
  out.messages.push_back(msg);
  return true;
}

}  // namespace ZephUI::Backend
