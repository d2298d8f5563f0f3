// Messages the library keeps for itself (WM_ZEPHUI_RESERVED_FIRST and up):
// requests another process makes of one of our windows.
#pragma once

#include "zephui/MessageCodes.h"

namespace ZephUI::Backend {

/// ShowWindow(hwnd, wParam) asked by another process.
inline constexpr UINT kRemoteShowWindow = WM_ZEPHUI_RESERVED_FIRST;
/// SetForegroundWindow(hwnd) asked by another process.
inline constexpr UINT kRemoteSetForeground = WM_ZEPHUI_RESERVED_FIRST + 1;
/// BringWindowToTop(hwnd) asked by another process.
inline constexpr UINT kRemoteBringToTop = WM_ZEPHUI_RESERVED_FIRST + 2;

}  // namespace ZephUI::Backend
