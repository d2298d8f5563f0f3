// The common part of the buttons that carry a check state (check box, radio
// button, switch): eight visual states, the unchecked four (normal, hover,
// pressed, disabled) and the same four checked, each one frame of an
// eight-frame skin strip, rendered once into the control's cache. A click or
// Space on the focused control makes the class's choice (toggle, or check and
// clear the group).
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// Added to a ButtonState for the checked states: 4 normal, 5 hover, 6 pressed, 7 disabled.
inline constexpr int CHECKED_STATE_OFFSET = 4;

/// Base of the check-type buttons; not built by the factory itself.
class ZEPHUI_API MCheckTypeButton : public MControlFont {
 public:
  /// A mouse-responsive tab stop, unchecked; state 3 when built disabled, else 0.
  MCheckTypeButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                   bool enabled);
  ~MCheckTypeButton() override;

  // ---- overrides ----
  /// Copies the cached slot of the current state, rendering all eight first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// While not pressed: hover inside, normal outside (checked or not).
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Inside an enabled control: remembers the press and shows the pressed state.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Inside after a press: the choice, then NOTIFY_CLICKED; outside: normal. Forgets the press.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// The accelerator, or Space without modifiers while focused: the choice, then NOTIFY_CHECK (0, check).
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Normal or disabled, keeping the check.
  void SetControlEnabled(bool enabled) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- check operations ----
  /// The check state, 0 or 1.
  int GetCheck() const;
  /// Sets the check as the class does (a radio button clears its group); nothing while disabled. The check after.
  virtual int SetCheck(int check);
  /// Sets the check and the state, nothing else.
  void SetControlCheck(int check);
  /// The current state number, 0 to 7.
  int GetState() const;
  /// Corner size used where the class stretches its skin (default 4); drops the cache.
  void SetFrameSize(int corner);
  /// Rectangle relative to the control for the title (empty: right of the box); drops the cache.
  void SetTextRect(const Rect& rect);

 protected:
  /// What a click or Space does to the check.
  virtual void Choose() = 0;
  /// Sends the click report; NOTIFY_CLICKED (0, 0) by default.
  virtual void NotifyClicked();
  /// Draws one state into `slot`: box frame at the left, title after it.
  virtual void RenderState(RenderContext& target, const Rect& slot, int state);
  /// The state for a base state (ButtonState) and the current check.
  int StateFor(int baseState) const;
  /// Sets the state; a change repaints without dropping the cache.
  void SetState(int state);

  int check_ = 0;               ///< 0 or 1
  int state_;                   ///< 0 to 7
  bool pressed_ = false;        ///< a press started inside
  int frameSize_ = 4;           ///< nine-slice corner
  Rect textRect_;               ///< relative to the control; empty = right of the box
};

}  // namespace ZephUI
