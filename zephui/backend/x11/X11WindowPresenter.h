// How one X window shows its frames: through two MIT-SHM segments used in
// turn when the server can map them (a new frame goes into the segment the
// server is not reading), else through XPutImage from a kept image. Only the
// changed part of a frame is converted, straight into the segment or the kept
// image, and sent; each segment remembers what changed since it was last
// filled, so the one filled next is brought up to date in full. The last
// image shown also answers exposures. Used under the connection lock.
#pragma once

#include <array>

#include <X11/Xlib.h>

#include "backend/NativeWindow.h"
#include "backend/x11/X11SharedImage.h"

namespace ZephUI::Backend {

class X11Connection;

/// Presentation of one window.
class X11WindowPresenter {
 public:
  /// For `window`, drawn with `gc`; shared memory only when the connection allows it and ZEPHUI_X11_SHM is not 0.
  X11WindowPresenter(X11Connection& connection, Window window, GC gc);

  /// Shows `damage` of the frame (client pixels); all of it when the window shows nothing of this size yet.
  void Present(const FrameSource& frame, const Rect& damage);
  /// Shows part of the last image again (client pixels); false when nothing was shown yet.
  bool Repaint(const Rect& area);
  /// Takes a completion event for one of this window's segments.
  void Completed(ShmSeg segment);
  /// Frees the segments and the kept image (after a resize, when hidden, before the window goes).
  void Release();
  /// Frees the segment the server is not showing from; the next frame brings it back, filled whole.
  void ReleaseSpare();
  /// The image shown last; no pixels when none.
  PixelView Shown() const;
  /// True while the last image was shown through shared memory.
  bool SharedShown() const { return front_ >= 0; }

 private:
  bool Shows(int width, int height) const;
  bool PresentShared(const FrameSource& frame, const Rect& area);
  void PresentPlain(const FrameSource& frame, const Rect& area);
  void PutPlain(const Rect& area);
  X11SharedImage* BackBuffer(int width, int height);
  bool MakeBuffer(std::size_t index, int width, int height);
  bool AwaitIdle(const X11SharedImage& buffer);
  void TakeCompletions();

  X11Connection& connection_;
  Window window_;
  GC gc_;
  bool shared_;
  std::array<X11SharedImage, 2> buffers_;
  std::array<Rect, 2> owed_;  // per segment: what changed since it was last filled
  int front_ = -1;         // buffer shown last; -1 when the plain copy was
  PresentedImage plain_;   // last frame shown through XPutImage
};

}  // namespace ZephUI::Backend
