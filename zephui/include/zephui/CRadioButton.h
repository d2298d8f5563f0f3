// A radio button in a named group: checking one, by click, Space or
// SetCheck, unchecks the other radio buttons of the same group name in the
// same list (its container's, or the window's top-level controls).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MCheckTypeButton.h"

namespace ZephUI {

/// The library's radio button ("CRadioButton" in the factory).
class ZEPHUI_API CRadioButton : public MCheckTypeButton {
 public:
  /// An unchecked button in the unnamed group; state 3 when built disabled.
  CRadioButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CRadioButton() override;

  /// "RadioButton".
  std::u16string_view GetClassNameW() const override;
  /// Sets the check; checking unchecks the group. Nothing while disabled; the check after.
  int SetCheck(int check) override;
  /// Names the group (empty by default).
  void SetGroupName(std::u16string name);
  /// The group name.
  std::u16string GetGroupName() const;

 protected:
  /// Checks this button and unchecks its group.
  void Choose() override;

 private:
  /// Unchecks every other radio button of the group.
  void UncheckGroup();

  std::u16string groupName_;  ///< empty = the unnamed group
};

}  // namespace ZephUI
