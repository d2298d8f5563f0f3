#include "backend/x11/X11SharedImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>

#include "backend/x11/X11Connection.h"

namespace ZephUI::Backend {

X11SharedImage::~X11SharedImage() { Release(); }

bool X11SharedImage::Create(Display* display, Visual* visual, int depth, int width, int height) {
  Release();
  display_ = display;
  image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment_,
                           static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image_ == nullptr || image_->bits_per_pixel != 32) {
    Release();
    return false;
  }
  const auto bytes = static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(height);
  segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  void* address = segment_.shmid >= 0 ? shmat(segment_.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
  // Marked for removal at once: it goes away with its last user, even after a crash.
  if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) {
    Release();
    return false;
  }
  segment_.shmaddr = static_cast<char*>(address);
  segment_.readOnly = True;
  image_->data = segment_.shmaddr;
  XSync(display, False);
  X11Connection::TakeLastError();
  attached_ = XShmAttach(display, &segment_) != 0;
  XSync(display, False);  // a refusal arrives as an error
  if (X11Connection::TakeLastError() != 0) attached_ = false;
  if (!attached_) Release();
  return attached_;
}

void X11SharedImage::Release() {
  if (attached_) XShmDetach(display_, &segment_);
  attached_ = false;
  if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
  if (image_ != nullptr) {
    image_->data = nullptr;  // the segment is not Xlib's to free
    XDestroyImage(image_);
  }
  image_ = nullptr;
  segment_ = XShmSegmentInfo{};
  pending_ = 0;
}

bool X11SharedImage::Fits(int width, int height) const {
  return image_ != nullptr && image_->width == width && image_->height == height;
}

void X11SharedImage::Fill(const FrameSource& frame, const Rect& area) {
  if (area.Width() <= 0 || area.Height() <= 0) return;
  frame.Convert(area, reinterpret_cast<std::uint32_t*>(image_->data), image_->bytes_per_line / 4);
}

PixelView X11SharedImage::View() const {
  if (image_ == nullptr) return PixelView{};
  return PixelView{reinterpret_cast<const std::uint32_t*>(image_->data), image_->width, image_->height,
                   image_->bytes_per_line / 4};
}

void X11SharedImage::Put(Window window, GC gc, const Rect& area) {
  XShmPutImage(display_, window, gc, image_, area.left, area.top, area.left, area.top,
               static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()), True);
  ++pending_;
}

void X11SharedImage::Completed() {
  if (pending_ > 0) --pending_;
}

}  // namespace ZephUI::Backend
