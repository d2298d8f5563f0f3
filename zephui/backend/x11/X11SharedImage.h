// One MIT-SHM segment holding a window-sized image. The server reads it
// after XShmPutImage returns, so the image counts the puts it has not yet
// confirmed with a completion event and must not be written while any are
// outstanding. Used under the connection lock.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "backend/NativeWindow.h"

namespace ZephUI::Backend {

/// A shared-memory image.
class X11SharedImage {
 public:
  X11SharedImage() = default;
  ~X11SharedImage();
  X11SharedImage(const X11SharedImage&) = delete;
  X11SharedImage& operator=(const X11SharedImage&) = delete;

  /// Makes a segment of the size and attaches it to the server; false (and nothing held) on failure.
  bool Create(Display* display, Visual* visual, int depth, int width, int height);
  /// Detaches and frees the segment; the server finishes earlier puts first, as it handles requests in order.
  void Release();
  /// True while a segment is held.
  bool Valid() const { return image_ != nullptr; }
  /// Width of the held image; 0 when none.
  int Width() const { return image_ != nullptr ? image_->width : 0; }
  /// Height of the held image; 0 when none.
  int Height() const { return image_ != nullptr ? image_->height : 0; }
  /// True when a segment of this size is held.
  bool Fits(int width, int height) const;
  /// True while a put waits for its completion event.
  bool Busy() const { return pending_ > 0; }
  /// The segment id completion events name.
  ShmSeg Segment() const { return segment_.shmseg; }
  /// Converts `area` of the frame into the segment; the frame must have the segment's size and the segment must not be busy.
  void Fill(const FrameSource& frame, const Rect& area);
  /// The segment's pixels; none when no segment is held.
  PixelView View() const;
  /// Copies part of the segment (client pixels) to the window and asks for a completion event.
  void Put(Window window, GC gc, const Rect& area);
  /// Takes one completion event for this segment.
  void Completed();

 private:
  Display* display_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool attached_ = false;
  int pending_ = 0;
};

}  // namespace ZephUI::Backend
