// Composing a small per-pixel-alpha window (balloon, key tip) in its surface:
// the whole surface cleared to transparent, then drawn by the caller.
#pragma once

#include <functional>

#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Clears the window's surface and lets `draw` paint its client size; false when there is nothing to draw on.
bool ComposeLayered(HWND hwnd, const std::function<void(RenderContext&, Size)>& draw);

}  // namespace ZephUI
