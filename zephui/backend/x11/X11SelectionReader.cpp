#include "backend/x11/X11SelectionReader.h"

#include <climits>

#include "zephui/Text.h"

#include <X11/Xatom.h>

namespace ZephUI::Backend {

X11SelectionReader::X11SelectionReader(X11Connection& connection, Window window)
    : connection_(connection), window_(window) {}

void X11SelectionReader::Start() {
  X11Connection& c = connection_;
  XDeleteProperty(c.display, window_, c.atoms.transfer);  // a piece an abandoned transfer left behind
  stage_ = Stage::Requested;
  type_ = None;
  pieces_.clear();
  result_.reset();
  XConvertSelection(c.display, c.atoms.clipboard, c.atoms.utf8String, c.atoms.transfer, window_, CurrentTime);
}

void X11SelectionReader::Abandon() {
  stage_ = Stage::Idle;
  pieces_.clear();
}

bool X11SelectionReader::Handle(const XEvent& event) {
  if (event.type == SelectionNotify && event.xselection.requestor == window_) {
    if (stage_ == Stage::Requested) Notified(event.xselection);
    return true;
  }
  if (event.type != PropertyNotify || event.xproperty.window != window_) return false;
  if (stage_ == Stage::Incremental && event.xproperty.atom == connection_.atoms.transfer &&
      event.xproperty.state == PropertyNewValue) {
    PieceArrived();
  }
  return true;
}

void X11SelectionReader::Notified(const XSelectionEvent& event) {
  ++progress_;
  Atom type = None;
  std::string bytes;
  if (event.property == None || !TakeProperty(type, bytes)) {
    Finish(None, {});
  } else if (type == connection_.atoms.incr) {
    stage_ = Stage::Incremental;  // deleting the announcement asked for the first piece
  } else {
    Finish(type, bytes);
  }
}

void X11SelectionReader::PieceArrived() {
  ++progress_;
  Atom type = None;
  std::string bytes;
  if (!TakeProperty(type, bytes)) return;
  if (bytes.empty()) {
    Finish(type_ != None ? type_ : type, pieces_);
    return;
  }
  type_ = type;
  pieces_ += bytes;
}

// Reads and deletes the transfer property; the deletion tells an INCR owner to send on.
bool X11SelectionReader::TakeProperty(Atom& type, std::string& bytes) {
  X11Connection& c = connection_;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(c.display, window_, c.atoms.transfer, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                         &count, &remaining, &data) != 0) {
    return false;
  }
  if (data != nullptr && format == 8) bytes.assign(reinterpret_cast<const char*>(data), count);
  if (data != nullptr) XFree(data);
  return true;
}

void X11SelectionReader::Finish(Atom type, const std::string& bytes) {
  stage_ = Stage::Finished;
  if (type == connection_.atoms.utf8String) result_ = ToUtf16(bytes);
  if (type == XA_STRING) {
    result_.emplace();
    for (unsigned char latin : bytes) result_->push_back(latin);  // Latin-1 is the first 256 code points
  }
  pieces_.clear();  // after decoding: `bytes` may be these pieces
}

}  // namespace ZephUI::Backend
