#include "backend/x11/X11WindowPresenter.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <string_view>

#include "backend/RectMath.h"
#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {
namespace {

bool SharedMemoryWanted() {
  const char* setting = std::getenv("ZEPHUI_X11_SHM");
  return setting == nullptr || std::string_view(setting) != "0";
}

Rect Clamp(const Rect& area, int width, int height) {
  const int left = std::clamp(area.left, 0, width);
  const int top = std::clamp(area.top, 0, height);
  return Rect{left, top, std::clamp(area.right, left, width), std::clamp(area.bottom, top, height)};
}

struct CompletionMatch {
  int type;
  Window window;
};

Bool IsCompletionFor(Display*, XEvent* event, XPointer arg) {
  const auto* match = reinterpret_cast<const CompletionMatch*>(arg);
  return event->type == match->type && reinterpret_cast<XShmCompletionEvent*>(event)->drawable == match->window;
}

}  // namespace

X11WindowPresenter::X11WindowPresenter(X11Connection& connection, Window window, GC gc)
    : connection_(connection),
      window_(window),
      gc_(gc),
      shared_(connection.extensions.shmCompletion >= 0 && SharedMemoryWanted()) {}

void X11WindowPresenter::Present(const FrameSource& frame, const Rect& damage) {
  const int width = frame.Width();
  const int height = frame.Height();
  if (width <= 0 || height <= 0) return;
  const Rect area = Shows(width, height) ? Clamp(damage, width, height) : Rect{0, 0, width, height};
  if (area.Width() <= 0 || area.Height() <= 0) return;
  // Both segments now differ from the frame there, whichever of them takes it.
  for (Rect& owed : owed_) owed = Union(owed, area);
  if (shared_ && PresentShared(frame, area)) return;
  PresentPlain(frame, area);
}

// True when the window shows an earlier image of this size, so only changes need sending.
bool X11WindowPresenter::Shows(int width, int height) const {
  if (front_ >= 0) return buffers_[static_cast<std::size_t>(front_)].Fits(width, height);
  return !plain_.pixels.empty() && plain_.width == width && plain_.height == height;
}

bool X11WindowPresenter::PresentShared(const FrameSource& frame, const Rect& area) {
  X11SharedImage* back = BackBuffer(frame.Width(), frame.Height());
  if (back == nullptr) return false;
  const std::size_t index = back == &buffers_[0] ? 0 : 1;
  back->Fill(frame, owed_[index]);
  owed_[index] = Rect{};
  back->Put(window_, gc_, area);
  front_ = static_cast<int>(index);
  plain_ = PresentedImage{};
  return true;
}

// The buffer the server is not showing, at the size; null when none can be had now.
X11SharedImage* X11WindowPresenter::BackBuffer(int width, int height) {
  const std::size_t index = front_ == 0 ? 1 : 0;
  X11SharedImage& back = buffers_[index];
  if (back.Fits(width, height)) return AwaitIdle(back) ? &back : nullptr;
  if (front_ >= 0 && !buffers_[static_cast<std::size_t>(front_)].Fits(width, height)) Release();
  return MakeBuffer(index, width, height) ? &back : nullptr;
}

bool X11WindowPresenter::MakeBuffer(std::size_t index, int width, int height) {
  const X11Connection& c = connection_;
  if (!buffers_[index].Create(c.display, c.visual, c.depth, width, height)) {
    shared_ = false;  // the server refused; through the socket from now on
    Release();
    return false;
  }
  owed_[index] = Rect{0, 0, width, height};  // a new segment holds nothing yet
  return true;
}

// Servers send the completion as soon as they copied the image, so after a
// round trip it has arrived unless the server copies later.
bool X11WindowPresenter::AwaitIdle(const X11SharedImage& buffer) {
  TakeCompletions();
  if (!buffer.Busy()) return true;
  XSync(connection_.display, False);
  TakeCompletions();
  return !buffer.Busy();
}

void X11WindowPresenter::TakeCompletions() {
  CompletionMatch match{connection_.extensions.shmCompletion, window_};
  XEvent event;
  while (XCheckIfEvent(connection_.display, &event, IsCompletionFor, reinterpret_cast<XPointer>(&match)) != 0) {
    Completed(reinterpret_cast<XShmCompletionEvent&>(event).shmseg);
  }
}

void X11WindowPresenter::Completed(ShmSeg segment) {
  for (X11SharedImage& buffer : buffers_) {
    if (buffer.Valid() && buffer.Segment() == segment) buffer.Completed();
  }
}

void X11WindowPresenter::PresentPlain(const FrameSource& frame, const Rect& area) {
  Rect converted = area;
  if (plain_.width != frame.Width() || plain_.height != frame.Height() || plain_.pixels.empty()) {
    plain_.width = frame.Width();
    plain_.height = frame.Height();
    plain_.pixels.assign(static_cast<std::size_t>(plain_.width) * static_cast<std::size_t>(plain_.height), 0);
    converted = Rect{0, 0, plain_.width, plain_.height};
  }
  frame.Convert(converted, plain_.pixels.data(), plain_.width);
  front_ = -1;
  PutPlain(area);
}

void X11WindowPresenter::PutPlain(const Rect& area) {
  const X11Connection& c = connection_;
  // The XImage only borrows the pixels of the kept copy.
  XImage* xi = XCreateImage(c.display, c.visual, static_cast<unsigned>(c.depth), ZPixmap, 0,
                            const_cast<char*>(reinterpret_cast<const char*>(plain_.pixels.data())),
                            static_cast<unsigned>(plain_.width), static_cast<unsigned>(plain_.height), 32, plain_.width * 4);
  if (xi == nullptr) return;
  xi->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;  // native 32-bit words
  XPutImage(c.display, window_, gc_, xi, area.left, area.top, area.left, area.top, static_cast<unsigned>(area.Width()),
            static_cast<unsigned>(area.Height()));
  xi->data = nullptr;
  XDestroyImage(xi);
}

bool X11WindowPresenter::Repaint(const Rect& area) {
  if (front_ >= 0) {
    X11SharedImage& front = buffers_[static_cast<std::size_t>(front_)];
    const Rect clamped = Clamp(area, front.Width(), front.Height());
    if (clamped.Width() > 0 && clamped.Height() > 0) front.Put(window_, gc_, clamped);
    return true;
  }
  if (plain_.pixels.empty()) return false;
  const Rect clamped = Clamp(area, plain_.width, plain_.height);
  if (clamped.Width() > 0 && clamped.Height() > 0) PutPlain(clamped);
  return true;
}

// The segment shown last stays: it answers exposures.
void X11WindowPresenter::ReleaseSpare() {
  if (front_ >= 0) buffers_[front_ == 0 ? 1 : 0].Release();
}

PixelView X11WindowPresenter::Shown() const {
  if (front_ >= 0) return buffers_[static_cast<std::size_t>(front_)].View();
  return plain_.View();
}

void X11WindowPresenter::Release() {
  for (X11SharedImage& buffer : buffers_) buffer.Release();
  owed_ = {};
  front_ = -1;
  plain_ = PresentedImage{};
}

}  // namespace ZephUI::Backend
