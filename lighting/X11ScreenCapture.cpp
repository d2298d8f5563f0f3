#include "lighting/X11ScreenCapture.h"

#include "lighting/ScreenImage.h"
#include "lighting/ScreenRenderScaler.h"
#include "lighting/ScreenXDisplay.h"
#include "lighting/ScreenXImageReader.h"

X11ScreenCapture::X11ScreenCapture(std::string displayName, ScreenServerScaling serverScaling,
                                   ScreenSharedMemory sharedMemory)
    : displayName_(std::move(displayName)), serverScaling_(serverScaling), sharedMemory_(sharedMemory) {}

X11ScreenCapture::~X11ScreenCapture() { Disconnect(); }

bool X11ScreenCapture::Grab(ScreenImage& image) {
  path_ = ScreenCapturePath::NotGrabbed;
  if (!Connect()) return false;
  int width = 0;
  int height = 0;
  const bool grabbed = RootSize(width, height) && (serverScaling_ == ScreenServerScaling::WhenAvailable
                                                       ? GrabServerScaled(image, width, height)
                                                       : GrabFull(image, width, height));
  if (display_->Broken()) Disconnect();  // the server went away: connect afresh next time
  return grabbed;
}

bool X11ScreenCapture::Connect() {
  if (display_) return true;
  display_ = ScreenXDisplay::Open(displayName_);
  if (!display_) return false;
  reader_ = std::make_unique<ScreenXImageReader>(*display_, sharedMemory_);
  return true;
}

void X11ScreenCapture::Disconnect() {
  scaler_.reset();
  reader_.reset();
  display_.reset();
}

// Asked every time, as the screen can change size while the program runs.
bool X11ScreenCapture::RootSize(int& width, int& height) const {
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned int rootWidth = 0;
  unsigned int rootHeight = 0;
  unsigned int border = 0;
  unsigned int depth = 0;
  if (!XGetGeometry(display_->Get(), display_->Root(), &root, &x, &y, &rootWidth, &rootHeight, &border, &depth)) {
    return false;
  }
  width = static_cast<int>(rootWidth);
  height = static_cast<int>(rootHeight);
  return width > 0 && height > 0;
}

bool X11ScreenCapture::GrabServerScaled(ScreenImage& image, int rootWidth, int rootHeight) {
  if (scaler_ && (scaler_->Width() != image.Width() || scaler_->Height() != image.Height())) scaler_.reset();
  if (!scaler_) scaler_ = ScreenRenderScaler::Create(*display_, image.Width(), image.Height());
  if (scaler_) {
    scaler_->Scale(rootWidth, rootHeight);
    // The read waits for a reply, so a failed drawing pass has been reported by then.
    if (reader_->Read(scaler_->Target(), ScreenRenderScaler::kTargetDepth, image.Width(), image.Height(),
                      ScreenChannelMasks{}) &&
        !display_->TakeError()) {
      image.ShrinkFrom(reader_->Pixels(), image.Width(), image.Height(), reader_->Stride());
      path_ = reader_->UsedSharedMemory() ? ScreenCapturePath::ServerScaledSharedImage
                                          : ScreenCapturePath::ServerScaledImage;
      return true;
    }
  }
  scaler_.reset();
  if (display_->Broken()) return false;
  serverScaling_ = ScreenServerScaling::Never;  // this server cannot shrink for us: do it here from now on
  return GrabFull(image, rootWidth, rootHeight);
}

bool X11ScreenCapture::GrabFull(ScreenImage& image, int rootWidth, int rootHeight) {
  Display* display = display_->Get();
  const Visual* visual = DefaultVisual(display, DefaultScreen(display));
  const ScreenChannelMasks masks{visual->red_mask, visual->green_mask, visual->blue_mask};
  if (!reader_->Read(display_->Root(), DefaultDepth(display, DefaultScreen(display)), rootWidth, rootHeight, masks)) {
    return false;
  }
  image.ShrinkFrom(reader_->Pixels(), rootWidth, rootHeight, reader_->Stride());
  path_ = reader_->UsedSharedMemory() ? ScreenCapturePath::FullSharedImage : ScreenCapturePath::FullImage;
  return true;
}
