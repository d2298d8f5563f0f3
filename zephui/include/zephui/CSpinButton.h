// A number field on a rich edit: digits only, a range (0 to 100 by default),
// the value shown with "%d". Typing, Up and Down and the wheel change the
// value within the range and report NOTIFY_SPIN (0, 0); a value typed out of
// range is brought back into it when the field loses the focus.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MRichEdit.h"

namespace ZephUI {

/// The library's rich-edit number field ("CSpinButton" in the factory).
class ZEPHUI_API CSpinButton : public MRichEdit {
 public:
  /// A field showing 0 in the range 0 … 100.
  CSpinButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CSpinButton() override;

  /// Up and Down step the value; other keys edit.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// One wheel notch steps the value (down lowers it).
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Losing the focus shows the value brought into the range.
  int SetControlFocus(FocusChange focus) override;

  /// Sets the range (swapped when given the wrong way round) and brings the value into it.
  void SetRange(int minimum, int maximum);
  /// Reads the range.
  void GetRange(int& minimum, int& maximum) const;
  /// Sets the value, brought into the range, and shows it; no notification.
  void SetCurValue(int value);
  /// The value.
  int GetCurValue() const;

 protected:
  /// Typed digits become the value when they are in the range.
  void OnTextChanged() override;

 private:
  /// Moves the value by `delta` within the range; reports a change.
  void Step(int delta);
  /// Shows the value as text.
  void ShowValue();

  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
  bool showing_ = false;  ///< the text is being set from the value
};

}  // namespace ZephUI
