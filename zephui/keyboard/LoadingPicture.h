// What the loading window shows: the product logo above an animation that
// steps one frame per call of Step. The animation is either the frames of a
// GIF or a horizontal strip of equal frames.
#pragma once

#include <cstdint>
#include <memory>

#include "zephui/Image.h"
#include "zephui/MControl.h"

namespace ZephUI {

/// The loading window's logo and animation.
class LoadingPicture : public MControl {
 public:
  /// An empty picture over `rect`, taking no input.
  LoadingPicture(MObject* parent, const Rect& rect);
  ~LoadingPicture() override;

  /// The logo centred above the current animation frame, both centred horizontally.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// Replaces the logo; none leaves it out.
  void SetLogo(std::unique_ptr<Image> logo);
  /// Replaces the animation: a GIF's frames when `stripFrames` is 0, else a strip of that many frames.
  void SetAnimation(std::unique_ptr<Image> animation, int stripFrames);
  /// Shows the next animation frame (wrapping) and repaints.
  void Step();
  /// The animation frame shown now.
  int GetFrame() const;

 private:
  /// The number of animation frames; 0 without an animation.
  int FrameCount() const;

  std::unique_ptr<Image> logo_;       ///< drawn at its natural size
  std::unique_ptr<Image> animation_;  ///< GIF or strip
  int stripFrames_ = 0;               ///< 0 = GIF frames
  int frame_ = 0;                     ///< shown frame
};

}  // namespace ZephUI
