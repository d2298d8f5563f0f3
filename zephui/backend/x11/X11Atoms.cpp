#include "backend/x11/X11Atoms.h"

#include <array>

namespace ZephUI::Backend {

void X11Atoms::Intern(Display* display) {
  struct Entry {
    const char* name;
    Atom* atom;
  };
  const std::array<Entry, 30> entries{{
      {"WM_PROTOCOLS", &wmProtocols}, {"WM_DELETE_WINDOW", &wmDeleteWindow}, {"WM_STATE", &wmState},
      {"UTF8_STRING", &utf8String}, {"_NET_WM_NAME", &netWmName}, {"_NET_WM_PID", &netWmPid},
      {"_NET_WM_WINDOW_TYPE", &netWmWindowType}, {"_NET_WM_WINDOW_TYPE_NORMAL", &typeNormal},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &typeDialog}, {"_NET_WM_WINDOW_TYPE_UTILITY", &typeUtility},
      {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", &typeDropdown}, {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &typePopupMenu},
      {"_NET_WM_WINDOW_TYPE_TOOLTIP", &typeTooltip},
      {"_NET_WM_WINDOW_TYPE_NOTIFICATION", &typeNotification}, {"_NET_WM_STATE", &netWmState},
      {"_NET_WM_STATE_SKIP_TASKBAR", &stateSkipTaskbar}, {"_NET_WM_STATE_SKIP_PAGER", &stateSkipPager},
      {"_NET_WM_STATE_ABOVE", &stateAbove}, {"_NET_WM_MOVERESIZE", &netWmMoveResize},
      {"_NET_ACTIVE_WINDOW", &netActiveWindow}, {"_NET_WORKAREA", &netWorkArea},
      {"_NET_CURRENT_DESKTOP", &netCurrentDesktop}, {"_NET_SUPPORTED", &netSupported},
      {"_MOTIF_WM_HINTS", &motifWmHints}, {"CLIPBOARD", &clipboard}, {"TARGETS", &targets}, {"TEXT", &text},
      {"INCR", &incr}, {"_ZEPHUI_TRANSFER", &transfer}, {"_ZEPHUI_MESSAGE", &message},
  }};
  std::array<char*, entries.size()> names{};
  std::array<Atom, entries.size()> atoms{};
  for (std::size_t i = 0; i < entries.size(); ++i) names[i] = const_cast<char*>(entries[i].name);
  XInternAtoms(display, names.data(), static_cast<int>(names.size()), 0, atoms.data());
  for (std::size_t i = 0; i < entries.size(); ++i) *entries[i].atom = atoms[i];
}

}  // namespace ZephUI::Backend
