// Calls into a window's native side on the thread that owns it, without
// holding the table lock during the call.
#pragma once

#include <functional>

#include "backend/NativeWindow.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Access to native windows.
class NativeAccess {
 public:
  /// Runs `f` with the window's native side on its owning thread; nothing for no window.
  static void Apply(HWND hwnd, const std::function<void(NativeWindow&)>& f);
};

}  // namespace ZephUI::Backend
