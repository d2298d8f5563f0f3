// Window message numbers and the codes carried in their parameters. The
// numbers are the usual Windows values, so numbers fixed elsewhere (WM_USER +
// n for the program's own messages) keep their meaning.
#pragma once

#include <cstdint>

#include "zephui/WindowTypes.h"

namespace ZephUI {

inline constexpr UINT WM_NULL = 0x0000;           ///< does nothing
inline constexpr UINT WM_CREATE = 0x0001;         ///< sent after creation; lParam = CREATESTRUCT*; return -1 to fail
inline constexpr UINT WM_DESTROY = 0x0002;        ///< sent while the window is being destroyed
inline constexpr UINT WM_MOVE = 0x0003;           ///< sent after a move; lParam = new client origin
inline constexpr UINT WM_SIZE = 0x0005;           ///< sent after a size change; wParam = SIZE_*, lParam = width, height
inline constexpr UINT WM_ACTIVATE = 0x0006;       ///< activation change; LOWORD(wParam) = WA_*, HIWORD = minimised, lParam = other window
inline constexpr UINT WM_SETFOCUS = 0x0007;       ///< keyboard focus gained; wParam = window that lost it
inline constexpr UINT WM_KILLFOCUS = 0x0008;      ///< keyboard focus lost; wParam = window that gains it
inline constexpr UINT WM_ENABLE = 0x000A;         ///< enabled state changed; wParam = 1 enabled, 0 disabled
inline constexpr UINT WM_PAINT = 0x000F;          ///< the window has an update rectangle; call BeginPaint
inline constexpr UINT WM_CLOSE = 0x0010;          ///< close request; DefWindowProc destroys the window
inline constexpr UINT WM_QUIT = 0x0012;           ///< ends GetMessage; wParam = exit code
inline constexpr UINT WM_ERASEBKGND = 0x0014;     ///< defined for handlers that test for it; never sent
inline constexpr UINT WM_SHOWWINDOW = 0x0018;     ///< visibility about to change; wParam = 1 shown, 0 hidden
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;    ///< posted to each top-level window with wParam 0 when another program takes the focus
inline constexpr UINT WM_SETCURSOR = 0x0020;      ///< choose the cursor; wParam = window, LOWORD(lParam) = hit code, HIWORD = mouse message
inline constexpr UINT WM_MOUSEACTIVATE = 0x0021;  ///< click on an inactive window; return MA_*
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;  ///< size limits; lParam = MINMAXINFO*
inline constexpr UINT WM_WINDOWPOSCHANGING = 0x0046;  ///< before a move, size or z-order change; lParam = WINDOWPOS*
inline constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;   ///< after it; DefWindowProc sends WM_MOVE and WM_SIZE
inline constexpr UINT WM_NCCREATE = 0x0081;       ///< first message of a window; return 0 to fail the creation
inline constexpr UINT WM_NCDESTROY = 0x0082;      ///< last message of a window; the handle is dead afterwards
inline constexpr UINT WM_NCHITTEST = 0x0084;      ///< which part is at lParam (screen point); return HT*
inline constexpr UINT WM_NCPAINT = 0x0085;        ///< defined for handlers that test for it; never sent
inline constexpr UINT WM_NCACTIVATE = 0x0086;     ///< activation change, sent before WM_ACTIVATE; wParam = 1 active
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;    ///< mouse move over a non-client part; wParam = HT*, lParam = screen point
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;  ///< left press on a non-client part; HTCAPTION starts a window move
inline constexpr UINT WM_KEYDOWN = 0x0100;        ///< key pressed; wParam = VK_*, lParam = repeat, scan code and flags
inline constexpr UINT WM_KEYUP = 0x0101;          ///< key released
inline constexpr UINT WM_CHAR = 0x0102;           ///< one UTF-16 code unit of typed text, posted by TranslateMessage
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;     ///< key pressed with Alt held (or F10, or no focus window)
inline constexpr UINT WM_SYSKEYUP = 0x0105;       ///< key released with Alt held
inline constexpr UINT WM_SYSCHAR = 0x0106;        ///< typed text while Alt is held
inline constexpr UINT WM_COMMAND = 0x0111;        ///< command from a menu or a control
inline constexpr UINT WM_TIMER = 0x0113;          ///< window timer; wParam = timer id, lParam = TIMERPROC or 0
inline constexpr UINT WM_MOUSEMOVE = 0x0200;      ///< wParam = MK_*, lParam = client point
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;    ///< left button pressed
inline constexpr UINT WM_LBUTTONUP = 0x0202;      ///< left button released
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;  ///< second left press within the double-click time and distance
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;    ///< right button pressed
inline constexpr UINT WM_RBUTTONUP = 0x0205;      ///< right button released
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;  ///< right double click
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;    ///< middle button pressed
inline constexpr UINT WM_MBUTTONUP = 0x0208;      ///< middle button released
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;  ///< middle double click
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;     ///< wheel; HIWORD(wParam) = signed delta, LOWORD = MK_*, lParam = SCREEN point
inline constexpr UINT WM_CAPTURECHANGED = 0x0215; ///< mouse capture lost; lParam = new capture window or 0
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;     ///< pointer rested for the hover time (TrackMouseEvent); lParam = client point
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;     ///< pointer left the client area (TrackMouseEvent)
inline constexpr UINT WM_DWMCOMPOSITIONCHANGED = 0x031E;  ///< a compositing manager started or stopped (IsCompositionEnabled)
inline constexpr UINT WM_USER = 0x0400;           ///< first number free for the program's own messages

/// First message number the library keeps for itself; never use 0x03E0 to 0x03EF.
inline constexpr UINT WM_ZEPHUI_RESERVED_FIRST = 0x03E0;
/// Last message number the library keeps for itself.
inline constexpr UINT WM_ZEPHUI_RESERVED_LAST = 0x03EF;

inline constexpr UINT MK_LBUTTON = 0x0001;   ///< left button down
inline constexpr UINT MK_RBUTTON = 0x0002;   ///< right button down
inline constexpr UINT MK_SHIFT = 0x0004;     ///< Shift down
inline constexpr UINT MK_CONTROL = 0x0008;   ///< Ctrl down
inline constexpr UINT MK_MBUTTON = 0x0010;   ///< middle button down

inline constexpr UINT WA_INACTIVE = 0;       ///< WM_ACTIVATE: deactivated
inline constexpr UINT WA_ACTIVE = 1;         ///< WM_ACTIVATE: activated by other means than a click
inline constexpr UINT WA_CLICKACTIVE = 2;    ///< WM_ACTIVATE: activated by a mouse click

inline constexpr LRESULT MA_ACTIVATE = 1;          ///< WM_MOUSEACTIVATE: activate and deliver the click
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;    ///< activate and drop the click
inline constexpr LRESULT MA_NOACTIVATE = 3;        ///< deliver the click without activating
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;  ///< neither activate nor deliver

inline constexpr LRESULT HTERROR = -2;        ///< WM_NCHITTEST: drop the mouse message
inline constexpr LRESULT HTTRANSPARENT = -1;  ///< drop the mouse message
inline constexpr LRESULT HTNOWHERE = 0;       ///< drop the mouse message
inline constexpr LRESULT HTCLIENT = 1;        ///< client area: client mouse messages
inline constexpr LRESULT HTCAPTION = 2;       ///< caption: a left press moves the window

inline constexpr WPARAM SIZE_RESTORED = 0;   ///< WM_SIZE: plain resize or restore
inline constexpr WPARAM SIZE_MINIMIZED = 1;  ///< WM_SIZE: minimised
inline constexpr WPARAM SIZE_MAXIMIZED = 2;  ///< WM_SIZE: maximised

}  // namespace ZephUI
