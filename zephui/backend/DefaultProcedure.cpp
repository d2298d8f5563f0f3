#include "backend/DefaultProcedure.h"

#include "backend/FocusController.h"
#include "backend/Messenger.h"
#include "backend/WindowPlacement.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {

LRESULT DefaultProcedure::AskParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND parent = WindowSystem::Get().Table().With([hwnd](WindowState& state) -> HWND {
    const WindowRecord* record = state.FindLocal(hwnd);
    return record != nullptr && record->IsChild() ? record->parent : nullptr;
  });
  return parent != nullptr ? Messenger::Send(parent, message, wParam, lParam) : 0;
}

void DefaultProcedure::PositionChanged(HWND hwnd, const WINDOWPOS& pos) {
  if ((pos.flags & SWP_NOMOVE) == 0) Messenger::Send(hwnd, WM_MOVE, 0, MAKELPARAM(pos.x, pos.y));
  if ((pos.flags & SWP_NOSIZE) == 0) {
    const WPARAM kind = IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    Messenger::Send(hwnd, WM_SIZE, kind, MAKELPARAM(pos.cx, pos.cy));
  }
}

LRESULT DefaultProcedure::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
      return 1;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEACTIVATE: {
      const LRESULT parentAnswer = AskParent(hwnd, message, wParam, lParam);
      return parentAnswer != 0 ? parentAnswer : MA_ACTIVATE;
    }
    case WM_SETCURSOR:
      return AskParent(hwnd, message, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) FocusController::SetFocus(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED:
      PositionChanged(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_NCLBUTTONDOWN:
      if (static_cast<LRESULT>(wParam) == HTCAPTION) {
        WindowPlacement::BeginMove(hwnd, Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the top-level window, as the system shortcut does.
      if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) Messenger::Post(GetTopLevel(hwnd), WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}

}  // namespace ZephUI::Backend
