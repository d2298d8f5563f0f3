// MPopupWnd: the handlers a popup overrides; they do nothing here.
#include "zephui/MPopupWnd.h"

namespace ZephUI {

void MPopupWnd::InitUI(const Rect& /*clientRect*/) {}

void MPopupWnd::UISize(const Rect& /*clientRect*/) {}

LRESULT MPopupWnd::OnMessage(std::uint32_t /*controlId*/, UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  return 0;
}

LRESULT MPopupWnd::OnMouseMove(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnMouseLeave() { return 0; }

LRESULT MPopupWnd::OnMouseHover(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnMouseWheel(std::uint32_t /*flags*/, int /*delta*/, Point /*screen*/) { return 0; }

LRESULT MPopupWnd::OnLButtonDown(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnLButtonUp(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnLButtonDblClk(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnRButtonDown(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnRButtonUp(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnRButtonDblClk(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MPopupWnd::OnKeyDown(std::uint32_t /*key*/, std::uint32_t /*repeat*/, std::uint32_t /*flags*/) { return 0; }

LRESULT MPopupWnd::OnNcHitTest(Point /*screen*/) { return 0; }

LRESULT MPopupWnd::OnGetMinMaxInfo(MINMAXINFO* /*info*/) { return 0; }

LRESULT MPopupWnd::OnNcCalcSize(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }

LRESULT MPopupWnd::OnWindowPosChanging(WINDOWPOS* /*position*/) { return 1; }

LRESULT MPopupWnd::OnPaint() { return 0; }

LRESULT MPopupWnd::OnTimer(std::uintptr_t /*id*/) { return 0; }

LRESULT MPopupWnd::OnNcPaint() { return 0; }

LRESULT MPopupWnd::OnClose(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 1; }

LRESULT MPopupWnd::OnDestroy() { return 0; }

void MPopupWnd::PostNcDestroy() {}

}  // namespace ZephUI
