// The keyboard controls' entries in the class-name factory.
#pragma once

#include "controls/BuiltinControls.h"

namespace ZephUI {

/// Hands the keyboard controls (the keyboard picture) to `add`.
void AddKeyboardControls(const BuiltinSink& add);

}  // namespace ZephUI
