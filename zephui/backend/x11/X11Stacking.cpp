#include "backend/x11/X11Stacking.h"

namespace ZephUI::Backend {

// The child of the root that holds `window`: the window itself, or its window manager's frame.
Window X11Stacking::FrameOf(X11Connection& c, Window window) {
  Window current = window;
  for (int depth = 0; depth < 16; ++depth) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(c.display, current, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    if (parent == root || parent == 0) return current;
    current = parent;
  }
  return 0;
}

void X11Stacking::Restack(X11Connection& c, Window window, X11WindowInfo& info) {
  if (info.stackFrame == 0) info.stackFrame = FrameOf(c, info.stackBelow);
  if (info.stackFrame == 0 || info.stackFrame == window) return;
  XWindowChanges changes{};
  changes.sibling = info.stackFrame;
  changes.stack_mode = Below;
  XConfigureWindow(c.display, window, CWSibling | CWStackMode, &changes);
}

void X11Stacking::KeepBelow(X11Connection& c, Window window, Window sibling) {
  const auto it = c.windows.find(window);
  if (it == c.windows.end() || sibling == 0 || sibling == window) return;
  if (!c.rootWatched) {
    // Every restack the window manager makes shows up here, whichever window it moved.
    XWindowAttributes attributes{};
    XGetWindowAttributes(c.display, c.root, &attributes);
    XSelectInput(c.display, c.root, attributes.your_event_mask | SubstructureNotifyMask);
    c.rootWatched = true;
  }
  it->second.stackBelow = sibling;
  it->second.stackFrame = 0;
  Restack(c, window, it->second);
}

void X11Stacking::Release(X11Connection& c, Window window) {
  const auto it = c.windows.find(window);
  if (it == c.windows.end()) return;
  it->second.stackBelow = 0;
  it->second.stackFrame = 0;
}

void X11Stacking::Follow(X11Connection& c, const XEvent& event) {
  Window changed = 0;
  if (event.type == ConfigureNotify) changed = event.xconfigure.window;
  else if (event.type == MapNotify) changed = event.xmap.window;
  else if (event.type == ReparentNotify) changed = event.xreparent.window;
  else return;
  // A restack of a kept window is our own doing; answering it would set two of them bouncing.
  const auto own = c.windows.find(changed);
  if (own != c.windows.end() && own->second.stackBelow != 0) return;
  for (auto& [window, info] : c.windows) {
    if (info.stackBelow == 0) continue;
    if (event.type == ReparentNotify && changed == info.stackBelow) info.stackFrame = 0;  // a new frame
    Restack(c, window, info);
  }
}

}  // namespace ZephUI::Backend
