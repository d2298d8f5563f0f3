// Makes MSG records stamped with the clock and the pointer position.
#pragma once

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Builder of stamped messages.
class MessageBuilder {
 public:
  /// A message stamped with the current time and pointer position.
  static MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ZephUI::Backend
