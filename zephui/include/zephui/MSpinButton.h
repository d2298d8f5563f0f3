// A number field with an up and a down button at its right edge. The
// buttons, the wheel, the arrow keys and typed digits change the value; every
// change is reported as NOTIFY_SPIN (0, 0). Typed text that is not yet a
// value in range is shown as typed and settled when Enter is pressed or the
// focus leaves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// The library's spin field ("MSpinButton" in the factory).
class ZEPHUI_API MSpinButton : public MPanel {
 public:
  /// Value 0 in range 1 … 100, at most 3 digits.
  MSpinButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MSpinButton() override;

  // ---- overrides ----
  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Highlights the button under the pointer.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// On a button: one step and NOTIFY_SPIN when the value changed.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Lets go of a pressed button.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Over the field: one step down for direction 1, else up.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// While focused: Up and Down step, digits and Backspace edit the text, Enter settles it.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Losing the focus settles typed text.
  int SetControlFocus(FocusChange focus) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- spin operations ----
  /// Sets the range; ignored when min > max.
  void SetRange(int minimum, int maximum);
  /// Sets the value when it lies in the range (no report); returns the value.
  int SetCurValue(int value);
  /// The value.
  int GetCurValue() const;
  /// The most digits that can be typed (at least 1).
  void SetLimitLength(int digits);
  /// The text shown: the typed text while typing, else the value.
  std::u16string GetText() const;
  /// The up button in window pixels.
  Rect GetUpRect() const;
  /// The down button in window pixels.
  Rect GetDownRect() const;

 private:
  /// The parts of the control the pointer can be over.
  enum class Part { None, Up, Down };
  /// Field and buttons into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// One button with its arrow.
  void DrawButton(RenderContext& target, const Rect& button, Part part) const;
  /// The button under `point`.
  Part PartAt(Point point) const;
  /// Moves the value by `delta` within the range; reports a change.
  int Step(int delta);
  /// Takes a value from the user: stores it and reports when it changed.
  int Take(int value);
  /// Adds a typed digit, taking the text's value when it lies in the range.
  int Type(char16_t digit);
  /// Removes the last typed digit.
  int Erase();
  /// Ends typing: the text's value clamped to the range (empty text keeps the value).
  int Settle();
  /// Sets the hovered or pressed part and repaints on a change.
  void SetPart(Part& member, Part part);

  int value_ = 0;                    ///< the value
  int min_ = 1;                      ///< lowest value
  int max_ = 100;                    ///< highest value
  int limit_ = 3;                    ///< most digits typed
  std::optional<std::u16string> typed_; ///< text being typed, none when showing the value
  Part hover_ = Part::None;          ///< button under the pointer
  Part pressed_ = Part::None;        ///< button held down
};

}  // namespace ZephUI
