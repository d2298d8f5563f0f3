// Process-wide settings of the library, written at start-up on the
// user-interface thread and read by every window and control, and the
// thread's main message loop.
#pragma once

#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

class MWindow;

/// Static-only holder of the library's global settings.
class ZEPHUI_API Manager {
 public:
  Manager() = delete;

  /// Stores the application's module handle (kept for the application; the library does not use it).
  static void SetInstance(HINSTANCE instance);
  /// The module handle given to SetInstance; null before.
  static HINSTANCE GetInstance();

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

  /// Does nothing: cairo and the window system need no start-up (kept for the start-up sequence).
  static void InitGdiplus();
  /// Does nothing: the counterpart of InitGdiplus.
  static void UnInitGdiplus();

  /// Retrieves, translates and dispatches the calling thread's messages until WM_QUIT; a message
  /// retrieved while Alt and F4 are both held down is dropped. Returns the WM_QUIT exit code.
  static int MessageLoop();
  /// 1 when Alt and F4 are both held down right now, else 0.
  static int PreTranslateMessage(const MSG& msg);

  /// Adds a window object to the process-wide registry (nothing is read from it).
  static void AddWnd(MWindow* window);
  /// Removes a window object from the registry.
  static void DeleteWnd(MWindow* window);
  /// True when the window object is in the registry.
  static bool HasWnd(const MWindow* window);
};

}  // namespace ZephUI
