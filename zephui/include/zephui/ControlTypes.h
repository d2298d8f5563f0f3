// Values shared by the control tree: notification codes, the modifier mask,
// repaint modes, the skin image record and layout position records.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

class MControl;

/// Left button went down on an enabled control (wParam: 0 or the item index).
inline constexpr UINT NOTIFY_PRESSED = 1;
/// Left button released inside after a press, or a value or choice was committed.
inline constexpr UINT NOTIFY_CLICKED = 2;
/// Double click (generic: wParam mouse flags, lParam address of the point).
inline constexpr UINT NOTIFY_DBLCLICK = 3;
/// Right button released on an item.
inline constexpr UINT NOTIFY_RCLICK = 5;
/// Check state changed by keyboard or menu (wParam: new state).
inline constexpr UINT NOTIFY_CHECK = 7;
/// A scroll bar moved (wParam: new position).
inline constexpr UINT NOTIFY_SCROLL = 8;
/// Left button went down on the icon area of an edit field.
inline constexpr UINT NOTIFY_ITEM_BUTTON = 9;
/// A key reached a control whose key-down report switch is on (wParam key, lParam modifier mask).
inline constexpr UINT NOTIFY_KEYDOWN = 14;
/// Right button released after a rubber-band selection.
inline constexpr UINT NOTIFY_FRAME_SELECT = 24;
/// The text of an in-place edit window changed.
inline constexpr UINT NOTIFY_EDIT_CHANGED = 26;
/// A palette or colour selector changed its colour (lParam: the colour).
inline constexpr UINT NOTIFY_COLOR = 27;
/// A spin control changed its value.
inline constexpr UINT NOTIFY_SPIN = 28;
/// An in-place edit window closed or lost focus.
inline constexpr UINT NOTIFY_EDIT_END = 29;
/// An in-place edit window was shown.
inline constexpr UINT NOTIFY_EDIT_BEGIN = 30;
/// The icon area of an edit field was clicked.
inline constexpr UINT NOTIFY_EDIT_ICON = 31;

/// Modifier mask bit value for Shift (when Alt is not down).
inline constexpr std::uint32_t MODIFIER_SHIFT = 16;
/// Modifier mask bit value for Ctrl.
inline constexpr std::uint32_t MODIFIER_CTRL = 17;
/// Modifier mask value for Alt (takes the place of Shift).
inline constexpr std::uint32_t MODIFIER_ALT = 18;
/// The modifier mask of the keys held now: (Alt ? 18 : Shift ? 16 : 0) | (Ctrl ? 17 : 0).
ZEPHUI_API std::uint32_t CurrentModifierMask();

/// Control ids reserved inside every panel for its scroll bars.
inline constexpr std::uint32_t SCROLLBAR_VERTICAL_ID = 1;
/// Control id of a panel's horizontal scroll bar.
inline constexpr std::uint32_t SCROLLBAR_HORIZONTAL_ID = 2;

/// Whether a repaint request also makes the controls re-render their cached state images.
enum class CacheReset : int { Keep = 0, Reset = 1 };
/// Whether a repaint request is passed on for a hidden control too.
enum class UpdateForce { IfVisible, Always };
/// Whether a state change repaints.
enum class RepaintMode { Skip, Repaint };
/// Whether a window invalidation also erases the background.
enum class EraseMode { Keep, Erase };
/// Whether UpdateAControl marks the animation cache valid.
enum class AnimationCache { MarkValid, KeepState };
/// Whether a focus change gives or takes focus.
enum class FocusChange { Take = 0, Give = 1 };

/// How a window's background picture is drawn.
enum enumBackMode : int {
  BACK_MODE_NORMAL = 0,   ///< natural size at the origin
  BACK_MODE_STRETCH = 1,  ///< nine-slice stretch over the client area
};

/// Importance of a status message; stored with it.
enum class MsgLevel : int { Info = 0, Warning = 1, Error = 2 };

/// A skin picture in a paint manager's cache: a horizontal strip of equal frames.
struct ImgResInfo {
  std::unique_ptr<Image> image;  ///< the picture, owned by the cache
  int frameWidth = 0;            ///< image width / frame count
  int height = 0;                ///< image height
  int frameCount = 1;            ///< frames in the strip
  std::u16string path;           ///< skin file name, empty for resources
  int resourceId = 0;            ///< resource id, 0 for files
};

/// A position rule of a layout: from one end, centred, or a percentage.
struct PositionItem {
  int mode = 0;            ///< 0 offset from an end, 1 from the midpoint, 2 percentage
  bool fromFarEnd = false; ///< measure from the high end (or towards low for mode 1)
  float amount = 0.0F;     ///< pixels or percent, truncated to an integer
};

}  // namespace ZephUI
