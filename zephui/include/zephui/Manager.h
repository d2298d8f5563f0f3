// Process-wide settings of the library, written at start-up on the
// user-interface thread and read by every window and control.
#pragma once

#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"

namespace ZephUI {

/// Static-only holder of the library's global settings.
class ZEPHUI_API Manager {
 public:
  Manager() = delete;

  /// Stores a copy of the application's device name.
  static void SetDeviceName(std::u16string name);
  /// The device name; "Device Driver" until one is set.
  static std::u16string GetDeviceName();

  /// Sets the global font face and the default text size in pixels.
  static void SetFont(std::u16string faceName, int width);
  /// Sets only the global font face.
  static void SetFontName(std::u16string faceName);
  /// The global font face; "SourceHanSansCN-Regular" by default.
  static std::u16string GetFontName();
  /// The default text size in pixels for new controls; 14 by default.
  static int GetFontWidth();

  /// Accent colour for selections and highlights.
  static ArgbColor GetSelectColor();
  /// The skin theme folder, with its trailing separator.
  static std::u16string GetTheme();
};

}  // namespace ZephUI
