// The screen as the X server shows it: the root window of the display, with
// every window on it. Preferred route: XRender shrinks the screen inside the
// server and only the small picture is read back. Fallback: the whole screen
// is read (through MIT-SHM when the server offers it, else XGetImage) and
// shrunk here by box averaging. Without a display every grab fails and the
// connection is tried again on the next one.
#pragma once

#include <memory>
#include <string>

#include "lighting/ScreenCapture.h"
#include "lighting/ScreenCaptureOptions.h"

class ScreenRenderScaler;
class ScreenXDisplay;
class ScreenXImageReader;

class X11ScreenCapture : public ScreenCapture {
 public:
  /// Reads the named display ($DISPLAY when empty), by the best route both options allow.
  explicit X11ScreenCapture(std::string displayName = {},
                            ScreenServerScaling serverScaling = ScreenServerScaling::WhenAvailable,
                            ScreenSharedMemory sharedMemory = ScreenSharedMemory::WhenAvailable);
  /// Closes the connection.
  ~X11ScreenCapture() override;

  /// Fills the image with the root window shrunk to its size; false without a display or when the server refused.
  bool Grab(ScreenImage& image) override;
  /// The route of the last grab.
  ScreenCapturePath Path() const { return path_; }

 private:
  bool Connect();
  void Disconnect();
  bool RootSize(int& width, int& height) const;
  bool GrabServerScaled(ScreenImage& image, int rootWidth, int rootHeight);
  bool GrabFull(ScreenImage& image, int rootWidth, int rootHeight);

  std::string displayName_;
  ScreenServerScaling serverScaling_;
  ScreenSharedMemory sharedMemory_;
  std::unique_ptr<ScreenXDisplay> display_;     // declared first: the others use it until they go
  std::unique_ptr<ScreenXImageReader> reader_;
  std::unique_ptr<ScreenRenderScaler> scaler_;  // null when the server cannot shrink
  ScreenCapturePath path_ = ScreenCapturePath::NotGrabbed;
};
