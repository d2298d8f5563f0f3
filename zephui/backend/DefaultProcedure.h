// What DefWindowProc does for the messages that have a default meaning.
#pragma once

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// The default message handling.
class DefaultProcedure {
 public:
  /// Handles a message the window's procedure passed on.
  static LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT AskParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void PositionChanged(HWND hwnd, const WINDOWPOS& pos);
};

}  // namespace ZephUI::Backend
