// Window marks: named properties found across processes.
#include "zephui/WindowMark.h"

#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

namespace ZephUI {

bool SetWindowMark(HWND hwnd, std::u16string_view name) { return SetProp(hwnd, name, 1); }

bool ActivateMarkedWindow(std::u16string_view name) {
  const HWND window = FindWindowByProperty(name);
  if (window == nullptr) return false;
  // Shown first: a hidden window cannot take the focus. Another process's window gets these
  // as requests, handled in this order by its own loop.
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  UpdateWindow(window);
  BringWindowToTop(window);
  return true;
}

}  // namespace ZephUI
