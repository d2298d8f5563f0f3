#include "tests/zephui/backend/SelectionPeer.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>

namespace zephuitest {

SelectionPeer::SelectionPeer() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) return;
  window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display_, window_, PropertyChangeMask);
  clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
  utf8_ = XInternAtom(display_, "UTF8_STRING", False);
  incr_ = XInternAtom(display_, "INCR", False);
  property_ = XInternAtom(display_, "PEER_TRANSFER", False);
}

SelectionPeer::~SelectionPeer() {
  if (display_ == nullptr) return;
  XDestroyWindow(display_, window_);
  XCloseDisplay(display_);
}

// The next event of the type for the window (any window when 0); false after ten seconds.
bool SelectionPeer::Next(XEvent& event, int type, Window window) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < giveUp) {
    while (XPending(display_) > 0) {
      XNextEvent(display_, &event);
      if (event.type == type && (window == 0 || event.xany.window == window)) return true;
    }
    pollfd readable{ConnectionNumber(display_), POLLIN, 0};
    poll(&readable, 1, 50);
  }
  return false;
}

ReceivedSelection SelectionPeer::Read() {
  ReceivedSelection received;
  XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
  XFlush(display_);
  XEvent event;
  if (!Next(event, SelectionNotify, window_) || event.xselection.property == None) return received;
  received.answered = true;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display_, window_, property_, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count, &after, &data);
  received.incremental = type == incr_;
  if (!received.incremental && data != nullptr) received.bytes.assign(reinterpret_cast<char*>(data), count);
  if (data != nullptr) XFree(data);
  while (received.incremental) {
    do {
      if (!Next(event, PropertyNotify, window_)) return received;
    } while (event.xproperty.atom != property_ || event.xproperty.state != PropertyNewValue);
    XGetWindowProperty(display_, window_, property_, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count, &after, &data);
    if (data != nullptr && count > 0) received.bytes.append(reinterpret_cast<char*>(data), count);
    if (data != nullptr) XFree(data);
    if (count == 0) break;
    ++received.pieces;
  }
  return received;
}

void SelectionPeer::Own() {
  XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
  XSync(display_, False);
}

bool SelectionPeer::ServeIncrementally(const std::string& text, std::size_t piece, std::size_t pieceLimit) {
  XEvent event;
  if (!Next(event, SelectionRequest, 0)) return false;
  const XSelectionRequestEvent request = event.xselectionrequest;
  XSelectInput(display_, request.requestor, PropertyChangeMask);
  const long size = static_cast<long>(text.size());
  XChangeProperty(display_, request.requestor, request.property, incr_, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  XEvent notify{};
  notify.xselection.type = SelectionNotify;
  notify.xselection.requestor = request.requestor;
  notify.xselection.selection = request.selection;
  notify.xselection.target = request.target;
  notify.xselection.property = request.property;
  notify.xselection.time = request.time;
  XSendEvent(display_, request.requestor, False, 0, &notify);
  XFlush(display_);
  for (std::size_t sent = 0, pieces = 0; pieces <= pieceLimit; ++pieces) {
    do {
      if (!Next(event, PropertyNotify, request.requestor)) return true;
    } while (event.xproperty.atom != request.property || event.xproperty.state != PropertyDelete);
    if (pieces == pieceLimit) break;
    const std::size_t length = std::min(piece, text.size() - sent);
    XChangeProperty(display_, request.requestor, request.property, utf8_, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data() + sent), static_cast<int>(length));
    XFlush(display_);
    sent += length;
    if (length == 0) break;
  }
  XSelectInput(display_, request.requestor, NoEventMask);
  XFlush(display_);
  return true;
}

}  // namespace zephuitest
