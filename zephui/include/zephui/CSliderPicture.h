// A picture that slides into view: started with a direction, it enters from
// the left, the top or the right by one hundredth of its size every n-th
// animation tick until it covers the control, then stops. Frame 0 of its
// skin strip is stretched over the control; takes no input.
#pragma once

#include <atomic>
#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// Directions a sliding picture enters from.
enum SlideDirection : int {
  SLIDE_FROM_LEFT = 1,   ///< moves right until it covers the control
  SLIDE_FROM_TOP = 2,    ///< moves down
  SLIDE_FROM_RIGHT = 3,  ///< moves left
};

/// The library's sliding picture ("CSliderPicture" in the factory).
class ZEPHUI_API CSliderPicture : public MControlFont {
 public:
  /// A picture shown in full, not sliding.
  CSliderPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CSliderPicture() override;

  /// Registers for the window's animation ticks.
  void InitControl(PaintManager* manager) override;
  /// The picture stretched over the control, displaced by the part still to come, clipped to the control.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Every n-th tick while running: one step, invalidating the control; the last step stops the run.
  int OnControlTimer() override;

  /// Starts a slide from the beginning in `direction` (SlideDirection), or stops it showing the whole picture.
  void SetRun(bool run, int direction);
  /// Steps only on every `ticks`-th animation tick (default 1).
  void SetStepTicks(int ticks);
  /// True while sliding.
  bool IsRun() const;
  /// How far the picture has come in, 0 up to the width (or the height from the top).
  int GetOffset() const;

 private:
  /// Width, or height when sliding from the top.
  int Extent() const;

  std::atomic<bool> running_{false};       ///< sliding
  std::atomic<int> direction_{SLIDE_FROM_LEFT};  ///< SlideDirection
  std::atomic<int> offset_{-1};            ///< pixels in; -1 = whole picture
  std::atomic<int> stepTicks_{1};          ///< ticks per step
  std::atomic<int> ticks_{0};              ///< ticks since the last step
};

}  // namespace ZephUI
