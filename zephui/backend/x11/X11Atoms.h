// The X atoms the backend uses, interned once per connection.
#pragma once

#include <X11/Xlib.h>

namespace ZephUI::Backend {

/// Interned atoms.
struct X11Atoms {
  Atom wmProtocols = 0;         ///< WM_PROTOCOLS
  Atom wmDeleteWindow = 0;      ///< WM_DELETE_WINDOW
  Atom wmState = 0;             ///< WM_STATE
  Atom utf8String = 0;          ///< UTF8_STRING
  Atom netWmName = 0;           ///< _NET_WM_NAME
  Atom netWmPid = 0;            ///< _NET_WM_PID
  Atom netWmWindowType = 0;     ///< _NET_WM_WINDOW_TYPE
  Atom typeNormal = 0;          ///< _NET_WM_WINDOW_TYPE_NORMAL
  Atom typeDialog = 0;          ///< _NET_WM_WINDOW_TYPE_DIALOG
  Atom typeUtility = 0;         ///< _NET_WM_WINDOW_TYPE_UTILITY
  Atom typeDropdown = 0;        ///< _NET_WM_WINDOW_TYPE_DROPDOWN_MENU
  Atom typePopupMenu = 0;       ///< _NET_WM_WINDOW_TYPE_POPUP_MENU
  Atom typeTooltip = 0;         ///< _NET_WM_WINDOW_TYPE_TOOLTIP
  Atom typeNotification = 0;    ///< _NET_WM_WINDOW_TYPE_NOTIFICATION
  Atom netWmState = 0;          ///< _NET_WM_STATE
  Atom stateSkipTaskbar = 0;    ///< _NET_WM_STATE_SKIP_TASKBAR
  Atom stateSkipPager = 0;      ///< _NET_WM_STATE_SKIP_PAGER
  Atom stateAbove = 0;          ///< _NET_WM_STATE_ABOVE
  Atom netWmMoveResize = 0;     ///< _NET_WM_MOVERESIZE
  Atom netActiveWindow = 0;     ///< _NET_ACTIVE_WINDOW
  Atom netWorkArea = 0;         ///< _NET_WORKAREA
  Atom netCurrentDesktop = 0;   ///< _NET_CURRENT_DESKTOP
  Atom netSupported = 0;        ///< _NET_SUPPORTED
  Atom motifWmHints = 0;        ///< _MOTIF_WM_HINTS
  Atom clipboard = 0;           ///< CLIPBOARD
  Atom targets = 0;             ///< TARGETS
  Atom text = 0;                ///< TEXT
  Atom incr = 0;                ///< INCR
  Atom transfer = 0;            ///< _ZEPHUI_TRANSFER: where selections are delivered to us
  Atom message = 0;             ///< _ZEPHUI_MESSAGE: a window message from another process
  Atom wmSelection = 0;         ///< WM_Sn of our screen: owned while a window manager runs
  Atom cmSelection = 0;         ///< _NET_WM_CM_Sn of our screen: owned while a compositing manager runs

  /// Interns every atom.
  void Intern(Display* display);
};

}  // namespace ZephUI::Backend
