// Which implementation of the window system runs: the X11 one, or the
// headless one (in-memory windows for tests). The choice is made once, at the
// first use of any window function: ZEPHUI_BACKEND=headless selects headless,
// ZEPHUI_BACKEND=x11 or no setting selects X11, and headless is used whenever
// no X display can be opened.
#pragma once

#include <string_view>

#include "zephui/Export.h"

namespace ZephUI {

/// The window-system implementations.
enum class BackendKind { Headless, X11 };

/// Starts the window system if needed and tells which implementation runs.
ZEPHUI_API BackendKind ActiveBackend();
/// Starts the window system with `kind` unless it already runs; true when `kind` is what runs afterwards.
ZEPHUI_API bool SelectBackend(BackendKind kind);
/// Names the program to the desktop (X11 WM_CLASS) for windows made afterwards; the executable's name by default.
ZEPHUI_API void SetProgramName(std::u16string_view name);

}  // namespace ZephUI
