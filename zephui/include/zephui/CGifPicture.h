// An animated picture: a multi-frame image (GIF) whose current frame is
// stretched over the control. While running, every fifth animation tick
// shows the next frame, wrapping to the first. Optionally the animation
// runs only while the pointer is over the control.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's animated picture ("CGifPicture" in the factory).
class ZEPHUI_API CGifPicture : public MControlFont {
 public:
  /// A stopped picture without image; its run-timer flag is set.
  CGifPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CGifPicture() override;

  using MControlFont::SetImage;
  /// Registers for the window's animation ticks.
  void InitControl(PaintManager* manager) override;
  /// The current frame stretched over the control.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// While running, every fifth tick: the next frame, repainted.
  int OnControlTimer() override;
  /// With mouse activation: entering starts from frame 0, leaving stops at frame 0.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Loads the image through the cache and counts its frames (`frames` is not used); 0 on failure.
  int SetImage(std::u16string_view path, int frames) override;

  /// Sets the running flag and the current frame; 0 and no change unless the image has several frames.
  int SetRunState(bool run, int frame);
  /// Makes the animation follow the pointer (and the control take mouse moves) when on.
  void SetMouseMoveActive(bool on);
  /// True while running.
  bool IsAnimate() const;
  /// Shows frame `index`; 0 when out of range.
  int SelectActiveFrame(int index);
  /// Shows the next frame, wrapping; the new index (0 without image).
  int ActiveNextFrame();
  /// The frame shown.
  int GetActiveFrame() const;
  /// Frames in the image; 0 without image.
  int GetFrameCount() const;

 private:
  std::atomic<int> frames_{0};       ///< frames in the image
  std::atomic<int> frame_{0};        ///< current frame
  std::atomic<bool> running_{false}; ///< advancing on ticks
  std::atomic<int> ticks_{0};        ///< ticks since the last frame change
  bool mouseActive_ = false;         ///< runs while hovered
  bool hovered_ = false;             ///< the pointer is over it
};

}  // namespace ZephUI
