#include "backend/x11/X11Clipboard.h"

#include <poll.h>

#include <chrono>
#include <climits>

#include "zephui/Text.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {
namespace {

constexpr auto kReplyTimeout = std::chrono::seconds(1);
constexpr int kPollSliceMs = 10;

std::string Latin1(const std::string& utf8) {
  std::string out;
  for (char16_t unit : ToUtf16(utf8)) out.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  return out;
}

std::u16string FromLatin1(const unsigned char* data, unsigned long count) {
  return std::u16string(data, data + count);
}

}  // namespace

X11Clipboard::X11Clipboard(X11Connection& connection) : connection_(connection) {
  connection_.With([this](X11Connection& c) {
    window_ = XCreateSimpleWindow(c.display, c.root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(c.display, window_, PropertyChangeMask);
  });
}

X11Clipboard::~X11Clipboard() {
  connection_.With([this](X11Connection& c) { XDestroyWindow(c.display, window_); });
}

bool X11Clipboard::Set(std::u16string_view text) {
  return connection_.With([this, text](X11Connection& c) {
    text_ = ToUtf8(text);
    XSetSelectionOwner(c.display, c.atoms.clipboard, window_, CurrentTime);
    owner_ = XGetSelectionOwner(c.display, c.atoms.clipboard) == window_;
    return owner_;
  });
}

void X11Clipboard::Clear() {
  connection_.With([this](X11Connection& c) {
    if (!owner_) return;
    XSetSelectionOwner(c.display, c.atoms.clipboard, None, CurrentTime);
    owner_ = false;
    text_.clear();
    XFlush(c.display);
  });
}

std::optional<std::u16string> X11Clipboard::ReadTransfer() {
  X11Connection& c = connection_;  // the lock is held by the caller
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(c.display, window_, c.atoms.transfer, 0, LONG_MAX / 4, 1, AnyPropertyType, &type, &format,
                         &count, &remaining, &data) != 0) {
    return std::nullopt;
  }
  std::optional<std::u16string> text;
  // Transfers in pieces (INCR) are not supported; such large texts read as none.
  if (data != nullptr && format == 8 && type == c.atoms.utf8String) text = ToUtf16(std::string(reinterpret_cast<char*>(data), count));
  if (data != nullptr && format == 8 && type == XA_STRING) text = FromLatin1(data, count);
  if (data != nullptr) XFree(data);
  return text;
}

std::optional<std::optional<std::u16string>> X11Clipboard::TakeReply() {
  return connection_.With([this](X11Connection& c) -> std::optional<std::optional<std::u16string>> {
    XEvent event;
    if (!reply_ && XCheckTypedWindowEvent(c.display, window_, SelectionNotify, &event) != 0) reply_ = event.xselection;
    if (!reply_) return std::nullopt;
    const bool refused = reply_->property == None;
    reply_.reset();
    return refused ? std::optional<std::u16string>() : ReadTransfer();
  });
}

std::optional<std::u16string> X11Clipboard::Get() {
  const auto start = connection_.With([this](X11Connection& c) -> std::optional<std::optional<std::u16string>> {
    const Window current = XGetSelectionOwner(c.display, c.atoms.clipboard);
    owner_ = owner_ && current == window_;  // the server knows before our SelectionClear arrives
    if (owner_) return std::optional<std::u16string>(ToUtf16(text_));
    if (current == None) return std::optional<std::u16string>();
    reply_.reset();
    XConvertSelection(c.display, c.atoms.clipboard, c.atoms.utf8String, c.atoms.transfer, window_, CurrentTime);
    XFlush(c.display);
    return std::nullopt;
  });
  if (start) return *start;
  const auto deadline = std::chrono::steady_clock::now() + kReplyTimeout;
  const int fd = ConnectionNumber(connection_.display);
  while (std::chrono::steady_clock::now() < deadline) {
    if (const auto reply = TakeReply()) return *reply;
    pollfd readable{fd, POLLIN, 0};
    poll(&readable, 1, kPollSliceMs);
  }
  return std::nullopt;
}

void X11Clipboard::Answer(const XSelectionRequestEvent& request) {
  X11Connection& c = connection_;  // the lock is held by the caller
  const X11Atoms& a = c.atoms;
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = None;
  const Atom property = request.property != None ? request.property : request.target;
  if (owner_ && request.target == a.targets) {
    const Atom offered[] = {a.targets, a.utf8String, XA_STRING, a.text};
    XChangeProperty(c.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 4);
    reply.property = property;
  } else if (owner_ && (request.target == a.utf8String || request.target == a.text || request.target == XA_STRING)) {
    const bool latin = request.target == XA_STRING;
    const std::string data = latin ? Latin1(text_) : text_;
    XChangeProperty(c.display, request.requestor, property, latin ? XA_STRING : a.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    reply.property = property;
  }
  XEvent event{};
  event.xselection = reply;
  XSendEvent(c.display, request.requestor, 0, 0, &event);
  XFlush(c.display);
}

bool X11Clipboard::Handle(const XEvent& event) {
  switch (event.type) {
    case SelectionRequest:
      if (event.xselectionrequest.owner != window_) return false;
      Answer(event.xselectionrequest);
      return true;
    case SelectionClear:
      if (event.xselectionclear.window != window_) return false;
      owner_ = false;
      text_.clear();
      return true;
    case SelectionNotify:
      if (event.xselection.requestor != window_) return false;
      reply_ = event.xselection;
      return true;
    default:
      return false;
  }
}

}  // namespace ZephUI::Backend
