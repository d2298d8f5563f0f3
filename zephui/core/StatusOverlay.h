// The status message box of a window with its progress bar: text, place,
// alpha while it fades, shown and target progress, and its drawing.
#pragma once

#include <mutex>
#include <string>

#include "zephui/ControlTypes.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"

namespace ZephUI {

/// Status message state under one lock; the paint manager runs its timers.
class StatusOverlay {
 public:
  /// What a progress request asks the caller to do.
  enum class ProgressStart { Ignored, Jumped, Run };
  /// What one fade or progress step changed.
  struct Step {
    bool finished = false;  ///< the fade reached 0, or the progress its target
    bool full = false;      ///< the shown progress is 100 or more
  };
  /// A copy for drawing.
  struct View {
    std::u16string text;
    std::u16string face;
    Rect rect;
    int alpha = 0;
    int progress = 0;
  };

  /// Text drawn in `face`.
  explicit StatusOverlay(std::u16string face);

  /// A new message at full alpha without progress.
  void SetMessage(std::u16string text, const Rect& rect, MsgLevel level);
  /// A progress request; `band` is the place used for an empty rectangle.
  ProgressStart SetProgress(int percent, std::u16string text, const Rect& rect, const Rect& band);
  /// One fade tick: alpha down by 10, to 0 (with the progress) once it would fall below 20.
  Step Fade();
  /// One progress tick: 2 more, up to the target.
  Step Advance();
  /// The shown progress is 100 or more.
  bool Full() const;
  /// Alpha now.
  int Alpha() const;
  /// Shown progress now.
  int Progress() const;
  /// The box.
  Rect Box() const;
  /// The text.
  std::u16string Text() const;
  /// A copy for drawing.
  View Snapshot() const;

  /// Draws the box when its alpha is above 10 and it has text.
  static void Draw(RenderContext& hdc, const View& view);

 private:
  static void DrawProgress(RenderContext& hdc, const View& view);

  mutable std::mutex lock_;
  std::u16string text_;
  std::u16string face_;
  MsgLevel level_ = MsgLevel::Info;
  Rect rect_;
  int alpha_ = 0;
  int shown_ = 0;
  int target_ = 0;
};

}  // namespace ZephUI
