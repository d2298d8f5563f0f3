// The handler object a window is created with: every message for the window
// arrives here, on the thread that created the window.
#pragma once

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Message handler of one or more windows; the window uses it and does not own it.
class ZEPHUI_API WindowProcedure {
 public:
  /// Handlers are destroyed by their owners, after their windows.
  virtual ~WindowProcedure() = default;

  /// Handles one message; pass what it does not handle to DefWindowProc. Must stay alive until WM_NCDESTROY returns.
  virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace ZephUI
