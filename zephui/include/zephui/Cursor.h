// Mouse cursor shapes and the pointer position. The cursor is process-wide:
// whatever SetCursor chose stays until the next SetCursor, on every window.
#pragma once

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// The system cursor shapes.
enum class CursorType {
  Arrow,     ///< normal arrow
  Hand,      ///< pointing hand (links, buttons)
  IBeam,     ///< text insertion bar
  Wait,      ///< busy
  Cross,     ///< cross hair
  SizeWE,    ///< west-east double arrow
  SizeNS,    ///< north-south double arrow
  SizeNWSE,  ///< north-west to south-east double arrow
  SizeNESW,  ///< north-east to south-west double arrow
  SizeAll,   ///< four-way arrow
  Help,      ///< arrow with question mark
  No,        ///< slashed circle
};

/// The handle of a system cursor shape; never null.
ZEPHUI_API HCURSOR LoadCursor(CursorType shape);
/// Makes `cursor` the current cursor and returns the previous one; null shows the arrow.
ZEPHUI_API HCURSOR SetCursor(HCURSOR cursor);
/// The current cursor; null until SetCursor was called.
ZEPHUI_API HCURSOR GetCursor();
/// The shape of a cursor handle; Arrow for null.
ZEPHUI_API CursorType GetCursorType(HCURSOR cursor);
/// The pointer position in screen pixels; false when it cannot be known.
ZEPHUI_API bool GetCursorPos(Point& point);

}  // namespace ZephUI
