// Finding the running copy of a program: its main window carries a mark (a
// named window property that other processes on the display can see), and a
// second copy asks that window to come forward before it quits.
#pragma once

#include <string_view>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Marks a top-level window with `name` (property value 1) so another process can find it; false when the window is gone.
ZEPHUI_API bool SetWindowMark(HWND hwnd, std::u16string_view name);
/// Shows, activates and raises a top-level window marked `name`, hidden ones too (under X11 also another process's); whether one was found.
ZEPHUI_API bool ActivateMarkedWindow(std::u16string_view name);

}  // namespace ZephUI
