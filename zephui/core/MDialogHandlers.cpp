// MDialog: the handlers an application dialog overrides; they do nothing here.
#include "zephui/MDialog.h"

namespace ZephUI {

void MDialog::InitUI(const Rect& /*clientRect*/) {}

void MDialog::UISize(const Rect& /*clientRect*/) {}

LRESULT MDialog::OnMessage(std::uint32_t /*controlId*/, UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  return 0;
}

LRESULT MDialog::OnMouseMove(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnMouseLeave() { return 0; }

LRESULT MDialog::OnMouseHover(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnMouseWheel(std::uint32_t /*flags*/, int /*delta*/, Point /*screen*/) { return 0; }

LRESULT MDialog::OnLButtonDown(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnLButtonUp(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnLButtonDblClk(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnRButtonDown(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnRButtonUp(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnRButtonDblClk(std::uint32_t /*flags*/, Point /*point*/) { return 0; }

LRESULT MDialog::OnKeyDown(std::uint32_t /*key*/, std::uint32_t /*repeat*/, std::uint32_t /*flags*/) { return 0; }

LRESULT MDialog::OnNcHitTest(Point /*screen*/) { return 0; }

LRESULT MDialog::OnGetMinMaxInfo(MINMAXINFO* /*info*/) { return 0; }

LRESULT MDialog::OnNcCalcSize(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }

LRESULT MDialog::OnNcActivate(bool /*active*/) { return 0; }

LRESULT MDialog::OnWindowPosChanging(WINDOWPOS* /*position*/) { return 1; }

LRESULT MDialog::OnWindowPosChanged(WINDOWPOS* /*position*/) { return 1; }

LRESULT MDialog::OnPaint() { return 0; }

LRESULT MDialog::OnTimer(std::uintptr_t /*id*/) { return 0; }

LRESULT MDialog::OnNcPaint() { return 0; }

LRESULT MDialog::OnClose(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 1; }

LRESULT MDialog::OnDestroy() { return 0; }

void MDialog::PostNcDestroy() {}

}  // namespace ZephUI
