// Groups of exclusive controls (radio buttons, colour swatches, icon
// buttons): a group is every control of one class name in one list, the
// container's control list or the window's list of top-level controls.
#pragma once

#include <vector>

#include "zephui/MControl.h"

namespace ZephUI {

/// Finds the members of a control's group.
class ControlGroup {
 public:
  ControlGroup() = delete;
  /// The other controls of `control`'s list whose class name equals its own.
  static std::vector<MControl*> Others(const MControl& control);
};

}  // namespace ZephUI
