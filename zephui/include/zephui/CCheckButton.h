// A check box with a label: the box is one frame of an eight-frame strip at
// the left, the title follows it. A click toggles the check and reports
// NOTIFY_CLICKED; Space on the focused box toggles it and reports NOTIFY_CHECK.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MCheckTypeButton.h"

namespace ZephUI {

/// The library's check box ("CCheckButton" in the factory).
class ZEPHUI_API CCheckButton : public MCheckTypeButton {
 public:
  /// An unchecked box; state 3 when built disabled.
  CCheckButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CCheckButton() override;

 protected:
  /// Toggles the check.
  void Choose() override;
};

}  // namespace ZephUI
