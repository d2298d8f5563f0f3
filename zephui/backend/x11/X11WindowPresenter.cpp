#include "backend/x11/X11WindowPresenter.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <string_view>

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

void X11WindowPresenter::Present(const PresentedImage& image) {
  if (image.pixels.empty()) return;
  if (shared_ && PresentShared(image)) return;
  PresentPlain(image);
}

bool X11WindowPresenter::PresentShared(const PresentedImage& image) {
  X11SharedImage* back = BackBuffer(image.width, image.height);
  if (back == nullptr) return false;
  back->Fill(image);
  back->Put(window_, gc_, Rect{0, 0, image.width, image.height});
  front_ = back == &buffers_[0] ? 0 : 1;
  plain_ = PresentedImage{};
  return true;
}

// The buffer the server is not showing, at the size; null when none can be had now.
X11SharedImage* X11WindowPresenter::BackBuffer(int width, int height) {
  X11SharedImage& back = buffers_[front_ == 0 ? 1 : 0];
  if (back.Fits(width, height)) return AwaitIdle(back) ? &back : nullptr;
  if (front_ >= 0 && !buffers_[static_cast<std::size_t>(front_)].Fits(width, height)) Release();
  const X11Connection& c = connection_;
  if (!back.Create(c.display, c.visual, c.depth, width, height)) {
    shared_ = false;  // the server refused; through the socket from now on
    Release();
    return nullptr;
  }
  return &back;
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

void X11WindowPresenter::PresentPlain(const PresentedImage& image) {
  plain_ = image;
  front_ = -1;
  PutPlain(Rect{0, 0, image.width, image.height});
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

void X11WindowPresenter::Release() {
  for (X11SharedImage& buffer : buffers_) buffer.Release();
  front_ = -1;
  plain_ = PresentedImage{};
}

}  // namespace ZephUI::Backend
