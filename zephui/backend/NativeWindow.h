// One window as the backend sees it. The core decides what windows do
// (activation, focus, stacking, capture); a native window only mirrors those
// decisions on the screen. Used only on the thread that owns the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Cursor.h"
#include "zephui/Rect.h"
#include "zephui/Window.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// How a top-level window is handled by the window manager.
enum class WindowRole {
  Normal,        ///< ordinary window with a taskbar entry
  Dialog,        ///< dialog or message box: managed, above its owner, no taskbar entry
  Tool,          ///< unowned tool window: no taskbar entry
  Popup,         ///< owned tool window (drop-down list): placed and stacked by us alone
  Menu,          ///< owned tool window with ZWS_MENU (popup menu): placed and stacked by us alone
  Tooltip,       ///< never-activated topmost tip: placed and stacked by us alone
  Notification,  ///< other never-activated window (balloon): placed and stacked by us alone
  Overlay,       ///< never-activated click-through window (drop shadow): placed and stacked by us alone
  Child,         ///< child window inside its parent's client area
};

/// True for top-level roles the window manager leaves alone (placed and stacked by us).
inline bool IsUnmanaged(WindowRole role) {
  return role == WindowRole::Popup || role == WindowRole::Menu || role == WindowRole::Tooltip || role == WindowRole::Notification ||
         role == WindowRole::Overlay;
}

/// Whether a window stays above windows without this setting.
enum class Stacking { Normal, Topmost };

/// What a backend needs to create a native window.
struct NativeWindowSpec {
  HWND hwnd = nullptr;           ///< the handle the core gave the window
  HWND parent = nullptr;         ///< parent (Child) or owner (Dialog, Popup)
  WindowRole role = WindowRole::Normal;  ///< window-manager handling
  Rect rect;                     ///< screen pixels, or parent client pixels for a child
  std::u16string title;          ///< title
  std::u16string className;      ///< class name
  std::u16string programName;    ///< the program's name, shown to the desktop (WM_CLASS)
  Stacking stacking = Stacking::Normal;  ///< topmost or not
};

/// Pixels to read: premultiplied ARGB32 in native byte order.
struct PixelView {
  const std::uint32_t* pixels = nullptr;  ///< first pixel of the first row; null for none
  std::int32_t width = 0;                 ///< pixels per row
  std::int32_t height = 0;                ///< rows
  std::ptrdiff_t stride = 0;              ///< pixels from the start of one row to the next
  /// Row `y`.
  const std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

/// An image to show: premultiplied ARGB32 pixels in native byte order, rows packed.
struct PresentedImage {
  std::int32_t width = 0;             ///< pixels per row
  std::int32_t height = 0;            ///< rows
  std::vector<std::uint32_t> pixels;  ///< width * height pixels
  /// The pixels to read.
  PixelView View() const { return PixelView{pixels.empty() ? nullptr : pixels.data(), width, height, width}; }
};

/// A window's picture as it is to be shown, converted only where the backend asks, straight into its own image.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  /// Pixels per row.
  virtual int Width() const = 0;
  /// Rows.
  virtual int Height() const = 0;
  /// Writes `area` (client pixels, clamped to the frame) into `target`, an image of the frame's size with rows `stride` pixels apart.
  virtual void Convert(const Rect& area, std::uint32_t* target, std::ptrdiff_t stride) const = 0;
};

/// The states a native window can be shown in.
enum class NativeShow { Hidden, Shown, Minimized };

/// A backend's window.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  /// Takes the role decided from the window's styles as it is about to be shown.
  virtual void SetRole(WindowRole role) = 0;
  /// Shows, hides or minimises the window.
  virtual void SetShowState(NativeShow state) = 0;
  /// Moves and sizes the window (screen pixels, or parent client pixels for a child).
  virtual void SetGeometry(const Rect& rect) = 0;
  /// Puts the window above its siblings.
  virtual void Raise() = 0;
  /// Keeps the window right below top-level window `sibling` on screen, until raised.
  virtual void StackBelow(HWND sibling) = 0;
  /// Lets the window manager give the window the input focus, or not (a disabled window).
  virtual void SetInputAllowed(InputState state) = 0;
  /// Asks for the input focus for this window.
  virtual void RequestFocus() = 0;
  /// Changes the title.
  virtual void SetTitle(std::u16string_view title) = 0;
  /// Keeps the window above others or not.
  virtual void SetStacking(Stacking stacking) = 0;
  /// Shows `damage` (client pixels) of the frame; elsewhere the window already shows it, unless it was never shown, changed size or was hidden.
  virtual void Present(const FrameSource& frame, const Rect& damage) = 0;
  /// Frees images kept only to present the next frame quickly; the window goes on showing its picture.
  virtual void ReleaseSpareImages() = 0;
  /// Shows this cursor while the pointer is over the window.
  virtual void SetCursor(CursorType shape) = 0;
  /// Routes all pointer events to this window until UngrabPointer.
  virtual void GrabPointer() = 0;
  /// Ends a pointer grab.
  virtual void UngrabPointer() = 0;
  /// Hands an interactive move to the window manager; false when the core must move the window itself.
  virtual bool BeginSystemMove(Point screen) = 0;
  /// Publishes a property under `name` for other processes to find; value 0 removes it.
  virtual void PublishProperty(std::u16string_view name, std::intptr_t value) = 0;
};

}  // namespace ZephUI::Backend
