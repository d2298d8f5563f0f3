#include "backend/x11/X11Painter.h"

namespace ZephUI::Backend {

void X11Painter::Focus(X11Connection& c, Window window) {
  const X11WindowInfo& info = c.windows[window];
  XSetInputFocus(c.display, window, RevertToParent, CurrentTime);
  if (!info.overrideRedirect && !info.child) Activate(c, window);
  XFlush(c.display);
}

void X11Painter::Activate(X11Connection& c, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = c.atoms.netActiveWindow;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // from an application
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(c.display, c.root, 0, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

std::optional<Window> X11Painter::FocusedWindow(X11Connection& c) {
  for (const auto& [window, info] : c.windows) {
    if (info.focusWanted) return std::nullopt;
  }
  Window focused = 0;
  int revert = 0;
  XGetInputFocus(c.display, &focused, &revert);
  return focused;
}

}  // namespace ZephUI::Backend
