// Where the screen light gets its picture of the screen. The X11 capture is
// the real one; tests put a painted pattern in its place.
#pragma once

class ScreenImage;

class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  /// Fills the image with the whole screen shrunk to the image's size; false when there is no screen to read.
  virtual bool Grab(ScreenImage& image) = 0;
};
