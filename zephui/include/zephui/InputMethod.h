// The input method (Chinese, Japanese and other composed text): fields tell
// it where their caret is, so the composition and its candidates appear at
// the text being typed. Composed text arrives as WM_CHAR messages.
#pragma once

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Puts the composition spot at a client point of `hwnd` (the left end of the caret's baseline); any window.
ZEPHUI_API void SetInputMethodSpot(HWND hwnd, Point client);

}  // namespace ZephUI
