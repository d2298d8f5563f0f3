// Small concrete controls for the control and paint manager tests: a control
// that fills its rectangle with one colour and records what reaches it, and a
// panel that does the same under its children.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "zephui/MControlFont.h"
#include "zephui/MPanel.h"

namespace controltest {

/// What reached a test control; counters may be read from any thread.
struct EventLog {
  std::atomic<int> moves{0};
  std::atomic<int> downs{0};
  std::atomic<int> ups{0};
  std::atomic<int> doubleClicks{0};
  std::atomic<int> rightDowns{0};
  std::atomic<int> keys{0};
  std::atomic<int> timers{0};
  std::atomic<int> draws{0};
  ZephUI::Point lastMove;
  ZephUI::Point lastDown;
  ZephUI::Rect lastPaint;
  std::vector<int> scrolls;  ///< wheel directions, in order
  std::vector<std::uint32_t> keyCodes;  ///< keys, in order
};

/// A control drawn as one colour that records its events; hooks let a test act inside a handler.
class ColourControl : public ZephUI::MControlFont {
 public:
  ColourControl(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect,
                ZephUI::ArgbColor colour = ZephUI::ArgbColor(0xFFFF0000), bool visible = true, bool enabled = true);
  ~ColourControl() override;

  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;
  int OnControlMouseMove(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlLButtonDown(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlLButtonUp(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlLButtonDblClk(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlRButtonDown(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlScroll(int bar, int direction, ZephUI::Point point) override;
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  int OnControlTimer() override;

  /// The fill colour.
  ZephUI::ArgbColor colour;
  /// What the mouse and key handlers answer.
  int answer = 1;
  /// What an animation tick answers: 1 when the control moved.
  int timerAnswer = 1;
  /// Called inside the handlers, after they recorded.
  std::function<void()> onDown, onUp, onTimer;
  /// Set to true by the destructor.
  std::atomic<bool>* destroyed = nullptr;
  /// The events that reached the control.
  EventLog log;
  /// Written after a hook ran, so a hook that destroyed the control shows up under the sanitizer.
  int touchedAfterHook = 0;
};

/// A panel filled with one colour under its children.
class ColourPanel : public ZephUI::MPanel {
 public:
  ColourPanel(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect, bool visible = true);
  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;
  /// The fill colour.
  ZephUI::ArgbColor colour{0xFF202020};
  /// Runs on each animation tick of the panel (timer thread).
  std::function<void()> onTimer;
  int OnControlTimer() override;
};

/// Registers "TestColour" (both factories), "TestDialogOnly" and "TestPanelOnly" with the factory.
void RegisterTestClasses();

}  // namespace controltest
