#include "backend/x11/X11Clipboard.h"

#include <poll.h>

#include <chrono>

#include "zephui/Text.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {
namespace {

// The longest silence from the owner while a transfer is under way.
constexpr auto kReplyTimeout = std::chrono::seconds(1);
constexpr int kPollSliceMs = 10;

std::string Latin1(const std::string& utf8) {
  std::string out;
  for (char16_t unit : ToUtf16(utf8)) out.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  return out;
}

Bool IsForWindow(Display*, XEvent* event, XPointer window) {
  return event->xany.window == *reinterpret_cast<Window*>(window);
}

}  // namespace

X11Clipboard::X11Clipboard(X11Connection& connection) : connection_(connection) {
  connection_.With([this](X11Connection& c) {
    window_ = XCreateSimpleWindow(c.display, c.root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(c.display, window_, PropertyChangeMask);
    reader_.emplace(c, window_);
    sender_.emplace(c);
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

std::optional<std::u16string> X11Clipboard::Get() {
  std::lock_guard lock(readMutex_);
  if (const auto known = StartReading()) return *known;
  return AwaitTransfer();
}

// The answer when it needs no other client; otherwise asks the owner and returns none.
std::optional<std::optional<std::u16string>> X11Clipboard::StartReading() {
  return connection_.With([this](X11Connection& c) -> std::optional<std::optional<std::u16string>> {
    const Window current = XGetSelectionOwner(c.display, c.atoms.clipboard);
    owner_ = owner_ && current == window_;  // the server knows before our SelectionClear arrives
    if (owner_) return std::optional<std::u16string>(ToUtf16(text_));
    if (current == None) return std::optional<std::u16string>();
    reader_->Start();
    XFlush(c.display);
    return std::nullopt;
  });
}

std::optional<std::u16string> X11Clipboard::AwaitTransfer() {
  auto deadline = std::chrono::steady_clock::now() + kReplyTimeout;
  std::uint64_t progress = 0;
  const int fd = ConnectionNumber(connection_.display);
  while (std::chrono::steady_clock::now() < deadline) {
    const auto [finished, now] = connection_.With([this](X11Connection&) {
      TakeOwnEvents();  // this thread may be the only one reading events
      return std::pair(reader_->Finished(), reader_->Progress());
    });
    if (finished) return connection_.With([this](X11Connection&) { return reader_->Result(); });
    if (now != progress) deadline = std::chrono::steady_clock::now() + kReplyTimeout;
    progress = now;
    pollfd readable{fd, POLLIN, 0};
    poll(&readable, 1, kPollSliceMs);
  }
  connection_.With([this](X11Connection&) { reader_->Abandon(); });
  return std::nullopt;
}

void X11Clipboard::TakeOwnEvents() {
  XEvent event;
  while (XCheckIfEvent(connection_.display, &event, IsForWindow, reinterpret_cast<XPointer>(&window_)) != 0) Handle(event);
}

void X11Clipboard::Answer(const XSelectionRequestEvent& request) {
  X11Connection& c = connection_;  // the lock is held by the caller
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  const Atom property = request.property != None ? request.property : request.target;
  reply.property = owner_ && Serve(request, property) ? property : None;
  XEvent event{};
  event.xselection = reply;
  XSendEvent(c.display, request.requestor, 0, 0, &event);
  XFlush(c.display);
}

// Writes the requested form of the text to the requestor's property; false for a target we do not offer.
bool X11Clipboard::Serve(const XSelectionRequestEvent& request, Atom property) {
  X11Connection& c = connection_;
  const X11Atoms& a = c.atoms;
  if (request.target == a.targets) {
    const Atom offered[] = {a.targets, a.utf8String, XA_STRING, a.text};
    XChangeProperty(c.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(offered), 4);
    return true;
  }
  if (request.target != a.utf8String && request.target != a.text && request.target != XA_STRING) return false;
  const bool latin = request.target == XA_STRING;
  std::string data = latin ? Latin1(text_) : text_;
  const Atom type = latin ? XA_STRING : a.utf8String;
  if (data.size() > sender_->PieceSize()) {
    sender_->Begin(request.requestor, property, type, std::move(data));
  } else {
    XChangeProperty(c.display, request.requestor, property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
  }
  return true;
}

bool X11Clipboard::Handle(const XEvent& event) {
  if (sender_->Handle(event) || reader_->Handle(event)) return true;
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
    default:
      return false;
  }
}

}  // namespace ZephUI::Backend
