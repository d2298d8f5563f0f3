// Shrinks the root window inside the X server with XRender: the screen is
// drawn through scaling transforms into a small pixmap, so only the small
// picture has to be read back (at 1920 × 1080 into 480 × 270 a sixteenth of
// the bytes, and no full-screen copy into client memory).
//
// Filter: box averaging by repeated halving. Each pass draws its source at
// exactly half the size with the bilinear filter, which samples midway between
// four pixels and so averages each 2 × 2 block; the last pass takes what scale
// is left (at most 2) bilinearly. At 1920 × 1080 this is the exact mean of each
// 4 × 4 block, as the client-side shrink gives. Bilinear passes are cheap in
// pixman and run on the GPU in accelerated servers; XRender's convolution
// filter would do one pass but costs about forty times the server time here.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <memory>
#include <vector>

class ScreenXDisplay;

class ScreenRenderScaler {
 public:
  /// Depth of the target pixmap; its pixels are 0x00RRGGBB words.
  static constexpr int kTargetDepth = 24;

  /// Null when the server lacks XRender 0.10 (transforms, bilinear filter, pad repeat) or refuses the pictures.
  static std::unique_ptr<ScreenRenderScaler> Create(ScreenXDisplay& display, int width, int height);
  /// Frees the pictures and pixmaps.
  ~ScreenRenderScaler();
  ScreenRenderScaler(const ScreenRenderScaler&) = delete;
  ScreenRenderScaler& operator=(const ScreenRenderScaler&) = delete;

  /// Queues drawing the rootWidth × rootHeight root window shrunk into the target; nothing waits for it.
  void Scale(int rootWidth, int rootHeight);
  /// Width of the target pixmap.
  int Width() const { return width_; }
  /// Height of the target pixmap.
  int Height() const { return height_; }
  /// The pixmap the screen is shrunk into.
  Pixmap Target() const { return target_.pixmap; }

 private:
  // A picture to draw into (or the root to draw from) and its size.
  struct Stage {
    Picture picture = 0;
    Pixmap pixmap = 0;  // 0 for the root window
    int width = 0;
    int height = 0;
  };

  ScreenRenderScaler(ScreenXDisplay& display, int width, int height);
  bool CreatePictures();
  Stage CreateStage(int width, int height);
  void FreeStage(const Stage& stage);
  void PlanPasses(int rootWidth, int rootHeight);
  void SetSourceScale(const Stage& source, const Stage& target);

  ScreenXDisplay& display_;
  int width_;
  int height_;
  const XRenderPictFormat* format_ = nullptr;  // of the pixmaps
  Stage root_;
  Stage target_;
  std::vector<Stage> halves_;  // the intermediate halvings between root and target, largest first
};
