// A button that clicks itself 10 seconds after it is started: while running
// it shows the seconds left after its title and, when the time is up,
// reports NOTIFY_CLICKED (0, 0) as a click would. Presses and clicks as
// MButton's. Its ticks come from a window timer rather than the animation
// timer, so the report reaches the dialog on the window's own thread.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// Run time of a timer button in milliseconds.
inline constexpr std::uint64_t TIMER_BUTTON_RUN_MS = 10000;

/// The library's timer button ("CTimerButton" in the factory).
class ZEPHUI_API CTimerButton : public MButton {
 public:
  /// A stopped button.
  CTimerButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CTimerButton() override;

  /// While running: repaints when the seconds shown change; at the end stops and reports NOTIFY_CLICKED (0, 0).
  int OnControlTimer() override;

  /// Starts (ignored while disabled or without a window) or stops the run; a start restarts the 10 seconds.
  void SetRun(bool on);
  /// True while running.
  bool IsRun() const;
  /// Whole seconds left, rounded up; 0 when stopped.
  int GetSecondsLeft() const;

 protected:
  /// Skin frame, icon, and the title with the seconds left while running.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// Stops the window timer and the run.
  void Stop();

  bool running_ = false;       ///< counting down
  std::uint64_t start_ = 0;    ///< tick count at the start
  int shownSeconds_ = 0;       ///< seconds in the cached rendering
};

}  // namespace ZephUI
