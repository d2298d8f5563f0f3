#include "lighting/ScreenXImageReader.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>

#include "lighting/ScreenXDisplay.h"

namespace {

constexpr ScreenChannelMasks kNativeMasks{};

// The channel under `mask` in a pixel value, scaled to 0-255.
std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long maximum = mask >> shift;
  return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / maximum);
}

bool IsNativeLayout(const XImage& image, const ScreenChannelMasks& masks) {
  return image.bits_per_pixel == 32 && image.byte_order == LSBFirst && masks.red == kNativeMasks.red &&
         masks.green == kNativeMasks.green && masks.blue == kNativeMasks.blue &&
         std::endian::native == std::endian::little;
}

}  // namespace

void ScreenXImageReader::ImageDeleter::operator()(XImage* image) const { XDestroyImage(image); }

ScreenXImageReader::ScreenXImageReader(ScreenXDisplay& display, ScreenSharedMemory sharedMemory)
    : display_(display), sharedMemory_(sharedMemory) {
  if (sharedMemory_ == ScreenSharedMemory::WhenAvailable && !XShmQueryExtension(display_.Get())) {
    sharedMemory_ = ScreenSharedMemory::Never;
  }
}

ScreenXImageReader::~ScreenXImageReader() { ReleaseShared(); }

bool ScreenXImageReader::Read(Drawable drawable, int depth, int width, int height,
                              const ScreenChannelMasks& masks) {
  usedShared_ = sharedMemory_ == ScreenSharedMemory::WhenAvailable && ReadShared(drawable, depth, width, height);
  if (usedShared_) {
    PointAt(*sharedImage_, masks);
    return true;
  }
  if (!ReadPlain(drawable, width, height)) return false;
  PointAt(*plainImage_, masks);
  return true;
}

bool ScreenXImageReader::ReadShared(Drawable drawable, int depth, int width, int height) {
  if (!PrepareShared(depth, width, height)) {
    sharedMemory_ = ScreenSharedMemory::Never;  // through the socket from now on
    return false;
  }
  if (XShmGetImage(display_.Get(), drawable, sharedImage_.get(), 0, 0, AllPlanes) != 0) return true;
  display_.Sync();  // clears the recorded error, so the next check starts clean
  return false;
}

bool ScreenXImageReader::ReadPlain(Drawable drawable, int width, int height) {
  plainImage_.reset(XGetImage(display_.Get(), drawable, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap));
  if (plainImage_) return true;
  display_.Sync();
  return false;
}

// Keeps one segment for as long as the size and depth stay the same.
bool ScreenXImageReader::PrepareShared(int depth, int width, int height) {
  if (sharedImage_ && sharedImage_->width == width && sharedImage_->height == height &&
      sharedImage_->depth == depth) {
    return true;
  }
  ReleaseShared();
  if (CreateSegment(depth, width, height) && AttachSegment()) return true;
  ReleaseShared();
  return false;
}

bool ScreenXImageReader::CreateSegment(int depth, int width, int height) {
  sharedImage_.reset(XShmCreateImage(display_.Get(), nullptr, static_cast<unsigned>(depth), ZPixmap, nullptr,
                                     &segment_, static_cast<unsigned>(width), static_cast<unsigned>(height)));
  if (!sharedImage_) return false;
  const auto bytes = static_cast<std::size_t>(sharedImage_->bytes_per_line) * static_cast<std::size_t>(height);
  segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (segment_.shmid < 0) return false;
  void* address = shmat(segment_.shmid, nullptr, 0);
  // Marked for removal at once: the segment goes away with its last user, even after a crash.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) return false;
  segment_.shmaddr = static_cast<char*>(address);
  sharedImage_->data = segment_.shmaddr;
  return true;
}

// A server on another machine cannot map the segment and refuses it here.
bool ScreenXImageReader::AttachSegment() {
  segment_.readOnly = False;
  attached_ = XShmAttach(display_.Get(), &segment_) && display_.Sync();
  return attached_;
}

void ScreenXImageReader::ReleaseShared() {
  if (attached_ && !display_.Broken()) {
    XShmDetach(display_.Get(), &segment_);
    display_.Sync();
  }
  attached_ = false;
  if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
  if (sharedImage_) sharedImage_->data = nullptr;  // the segment is not Xlib's to free
  sharedImage_.reset();
  segment_ = XShmSegmentInfo{};
}

void ScreenXImageReader::PointAt(const XImage& image, const ScreenChannelMasks& masks) {
  if (IsNativeLayout(image, masks)) {
    pixels_ = reinterpret_cast<const std::uint32_t*>(image.data);
    stride_ = static_cast<std::size_t>(image.bytes_per_line) / 4;
    return;
  }
  Convert(image, masks);
  pixels_ = converted_.data();
  stride_ = static_cast<std::size_t>(image.width);
}

// Slow but general: 16-bit or deep-colour screens, other byte orders.
void ScreenXImageReader::Convert(const XImage& image, const ScreenChannelMasks& masks) {
  converted_.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  auto& source = const_cast<XImage&>(image);  // XGetPixel takes a non-const image but only reads it
  std::size_t index = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const unsigned long pixel = XGetPixel(&source, x, y);
      converted_[index++] = (Channel(pixel, masks.red) << 16) | (Channel(pixel, masks.green) << 8) |
                            Channel(pixel, masks.blue);
    }
  }
}
