#include "backend/x11/X11IncrSender.h"

#include <algorithm>

namespace ZephUI::Backend {
namespace {

// Pieces stay well below any server's request limit and keep each round short.
constexpr std::size_t kLargestPiece = 256 * 1024;
// Room for the ChangeProperty request's own fields.
constexpr std::size_t kRequestHeader = 1024;
// A requestor silent this long has gone away or given up.
constexpr auto kStaleAfter = std::chrono::seconds(10);

std::size_t LargestRequest(Display* display) {
  const long extended = XExtendedMaxRequestSize(display);
  return static_cast<std::size_t>(extended > 0 ? extended : XMaxRequestSize(display)) * 4;  // in 4-byte units
}

}  // namespace

X11IncrSender::X11IncrSender(X11Connection& connection)
    : connection_(connection), pieceSize_(std::min(kLargestPiece, LargestRequest(connection.display) - kRequestHeader)) {}

void X11IncrSender::Begin(Window requestor, Atom property, Atom type, std::string data) {
  DropStale();
  X11Connection& c = connection_;
  XSelectInput(c.display, requestor, PropertyChangeMask);  // before the reply, so no deletion is missed
  const long size = static_cast<long>(data.size());
  XChangeProperty(c.display, requestor, property, c.atoms.incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  transfers_.push_back(Transfer{requestor, property, type, std::move(data), 0, std::chrono::steady_clock::now()});
}

bool X11IncrSender::Handle(const XEvent& event) {
  if (event.type != PropertyNotify || event.xproperty.state != PropertyDelete) return false;
  const auto it = std::find_if(transfers_.begin(), transfers_.end(), [&event](const Transfer& t) {
    return t.requestor == event.xproperty.window && t.property == event.xproperty.atom;
  });
  if (it == transfers_.end()) return false;
  if (!SendNext(*it)) {
    const Window requestor = it->requestor;
    transfers_.erase(it);
    StopWatching(requestor);
  }
  XFlush(connection_.display);
  return true;
}

// Writes the next piece, or the empty one after the last; false once the transfer is over.
bool X11IncrSender::SendNext(Transfer& t) {
  X11Connection& c = connection_;
  const std::size_t length = std::min(pieceSize_, t.data.size() - t.sent);
  XChangeProperty(c.display, t.requestor, t.property, t.type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(t.data.data() + t.sent), static_cast<int>(length));
  t.sent += length;
  t.lastStep = std::chrono::steady_clock::now();
  return length > 0;
}

void X11IncrSender::StopWatching(Window requestor) {
  const bool inUse = std::any_of(transfers_.begin(), transfers_.end(), [requestor](const Transfer& t) { return t.requestor == requestor; });
  if (!inUse) XSelectInput(connection_.display, requestor, NoEventMask);
}

void X11IncrSender::DropStale() {
  const auto now = std::chrono::steady_clock::now();
  std::vector<Window> dropped;
  std::erase_if(transfers_, [now, &dropped](const Transfer& t) {
    if (now - t.lastStep <= kStaleAfter) return false;
    dropped.push_back(t.requestor);
    return true;
  });
  for (Window requestor : dropped) StopWatching(requestor);
}

}  // namespace ZephUI::Backend
