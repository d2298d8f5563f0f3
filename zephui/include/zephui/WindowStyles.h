// Style bits, show commands and positioning flags of the window API, with
// their Windows values (style numbers such as 0x96020000 are fixed elsewhere).
#pragma once

#include <cstdint>

#include "zephui/WindowTypes.h"

namespace ZephUI {

inline constexpr std::uint32_t WS_OVERLAPPED = 0x00000000;    ///< plain top-level window
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;   ///< kept as given; no visible effect
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;   ///< kept as given; no visible effect
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;    ///< kept as given; windows have no frame
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;       ///< kept as given; no visible effect
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;       ///< kept as given; windows have no caption
inline constexpr std::uint32_t WS_MAXIMIZE = 0x01000000;      ///< maintained: set while maximised
inline constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;  ///< kept as given
inline constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000;  ///< kept as given
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;      ///< maintained: set while disabled; at creation, starts disabled
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;       ///< maintained: set while shown; at creation, shows the window
inline constexpr std::uint32_t WS_MINIMIZE = 0x20000000;      ///< maintained: set while minimised
inline constexpr std::uint32_t WS_CHILD = 0x40000000;         ///< child window inside its parent's client area
inline constexpr std::uint32_t WS_POPUP = 0x80000000;         ///< top-level window without frame
inline constexpr std::uint32_t ZWS_MENU = 0x00000100;         ///< class-specific bit of the library's windows: an owned tool window with it is a popup menu

inline constexpr std::uint32_t WS_EX_DLGMODALFRAME = 0x00000001;  ///< a dialog: an owned tool window with it is a managed dialog, not a popup
inline constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;     ///< stays above windows without it
inline constexpr std::uint32_t WS_EX_TRANSPARENT = 0x00000020; ///< click-through: never the target of mouse input
inline constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;  ///< left out of the taskbar; an owned tool window is a popup the window manager does not handle
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000;   ///< kept as given
inline constexpr std::uint32_t WS_EX_LAYERED = 0x00080000;     ///< per-pixel alpha of the surface is shown; without it the window is opaque
inline constexpr std::uint32_t WS_EX_NOACTIVATE = 0x08000000;  ///< never activated, never takes the keyboard focus

inline constexpr std::uint32_t CS_VREDRAW = 0x0001;  ///< class style: kept as given
inline constexpr std::uint32_t CS_HREDRAW = 0x0002;  ///< class style: kept as given
inline constexpr std::uint32_t CS_DBLCLKS = 0x0008;  ///< class style: the windows receive double-click messages

inline constexpr int SW_HIDE = 0;             ///< hide
inline constexpr int SW_SHOWNORMAL = 1;       ///< show, restore when minimised or maximised, activate
inline constexpr int SW_SHOWMINIMIZED = 2;    ///< minimise and deactivate
inline constexpr int SW_SHOWMAXIMIZED = 3;    ///< maximise to the work area and activate
inline constexpr int SW_MAXIMIZE = 3;         ///< same as SW_SHOWMAXIMIZED
inline constexpr int SW_SHOWNOACTIVATE = 4;   ///< show restored without activating
inline constexpr int SW_SHOW = 5;             ///< show in the current state and activate
inline constexpr int SW_MINIMIZE = 6;         ///< minimise and deactivate
inline constexpr int SW_SHOWMINNOACTIVE = 7;  ///< minimise without activating
inline constexpr int SW_SHOWNA = 8;           ///< show in the current state without activating
inline constexpr int SW_RESTORE = 9;          ///< restore from minimised or maximised and activate
inline constexpr int SW_SHOWDEFAULT = 10;     ///< same as SW_SHOWNORMAL

inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;        ///< keep the size
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;        ///< keep the position
inline constexpr std::uint32_t SWP_NOZORDER = 0x0004;      ///< keep the stacking order
inline constexpr std::uint32_t SWP_NOREDRAW = 0x0008;      ///< do not invalidate after a size change
inline constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;    ///< do not activate
inline constexpr std::uint32_t SWP_FRAMECHANGED = 0x0020;  ///< send WM_WINDOWPOSCHANGED even when nothing moved
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;    ///< also show
inline constexpr std::uint32_t SWP_HIDEWINDOW = 0x0080;    ///< also hide
inline constexpr std::uint32_t SWP_NOOWNERZORDER = 0x0200; ///< accepted, no effect

/// SetWindowPos: put the window at the top of its band.
inline HWND const HWND_TOP = nullptr;
/// SetWindowPos: put the window at the bottom.
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(std::intptr_t{1});
/// SetWindowPos: make the window topmost.
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(std::intptr_t{-1});
/// SetWindowPos: make the window no longer topmost.
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(std::intptr_t{-2});

inline constexpr std::uint32_t LWA_COLORKEY = 0x1;  ///< SetLayeredWindowAttributes: pixels of the key colour become transparent
inline constexpr std::uint32_t LWA_ALPHA = 0x2;     ///< SetLayeredWindowAttributes: the whole window gets a constant alpha

inline constexpr std::uint32_t TME_HOVER = 0x1;    ///< TrackMouseEvent: one WM_MOUSEHOVER after the pointer rests
inline constexpr std::uint32_t TME_LEAVE = 0x2;    ///< TrackMouseEvent: one WM_MOUSELEAVE when the pointer leaves
inline constexpr std::uint32_t TME_CANCEL = 0x80000000;  ///< TrackMouseEvent: cancel the given kinds
inline constexpr std::uint32_t HOVER_DEFAULT = 0xFFFFFFFF;  ///< TrackMouseEvent: the default hover time, 400 ms

}  // namespace ZephUI
