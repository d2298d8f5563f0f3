#include "backend/x11/X11Painter.h"

#include <algorithm>
#include <bit>

namespace ZephUI::Backend {

void X11Painter::PutBacking(X11Connection& c, Window window, const X11WindowInfo& info, const Rect& area) {
  const PresentedImage& image = info.backing;
  if (image.pixels.empty()) return;
  const int left = std::clamp(area.left, 0, image.width);
  const int top = std::clamp(area.top, 0, image.height);
  const int right = std::clamp(area.right, left, image.width);
  const int bottom = std::clamp(area.bottom, top, image.height);
  if (right == left || bottom == top) return;
  // The image only borrows the pixels; they stay with the backing copy.
  XImage* xi = XCreateImage(c.display, c.visual, static_cast<unsigned>(c.depth), ZPixmap, 0,
                            const_cast<char*>(reinterpret_cast<const char*>(image.pixels.data())),
                            static_cast<unsigned>(image.width), static_cast<unsigned>(image.height), 32, image.width * 4);
  if (xi == nullptr) return;
  xi->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;  // native 32-bit words
  XPutImage(c.display, window, info.gc, xi, left, top, left, top, static_cast<unsigned>(right - left),
            static_cast<unsigned>(bottom - top));
  xi->data = nullptr;
  XDestroyImage(xi);
}

void X11Painter::Focus(X11Connection& c, Window window) {
  const X11WindowInfo& info = c.windows[window];
  XSetInputFocus(c.display, window, RevertToParent, CurrentTime);
  if (!info.overrideRedirect && !info.child) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = c.atoms.netActiveWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // from an application
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(c.display, c.root, 0, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  }
  XFlush(c.display);
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
