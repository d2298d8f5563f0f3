// The keyboard page's lists, picker and device controls, handed to the
// class-name factory with the library's other built-in classes.
#pragma once

#include "controls/BuiltinControls.h"

namespace ZephUI {

/// Hands the editable list, record list, key picker and device, battery and update controls to `add`.
void AddKeyboardListControls(const BuiltinSink& add);

}  // namespace ZephUI
