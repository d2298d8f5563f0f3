#include "core/MWindowProcedure.h"

#include <utility>

#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::u16string_view kControlProperty = u"Control";

}  // namespace

MWindow::Procedure::Procedure(MWindow& owner) : owner_(owner) {}

LRESULT MWindow::Procedure::CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(hwnd, message, wParam, lParam);
}

void MWindow::Procedure::UseControlProperty() { controlProperty_ = true; }

void MWindow::Procedure::WatchModal(ModalLoop* loop) { modal_ = loop; }

void MWindow::Procedure::Attach(HWND hwnd) {
  owner_.hwnd_ = hwnd;
  const auto self = reinterpret_cast<std::intptr_t>(&owner_);
  if (controlProperty_) {
    SetProp(hwnd, kControlProperty, self);
  } else {
    SetWindowUserData(hwnd, self);
  }
}

LRESULT MWindow::Procedure::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(hwnd);
  if (owner_.hwnd_ != hwnd) return DefWindowProc(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) return Finish(hwnd, wParam, lParam);
  return owner_.OnWindowMessage(message, wParam, lParam);
}

// The owner may delete itself (and so this procedure) in OnDestroyMessage: nothing is touched after it.
LRESULT MWindow::Procedure::Finish(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(hwnd, WM_NCDESTROY, wParam, lParam);
  if (controlProperty_) {
    RemoveProp(hwnd, kControlProperty);
  } else {
    SetWindowUserData(hwnd, 0);
  }
  owner_.hwnd_ = nullptr;
  if (modal_ != nullptr) std::exchange(modal_, nullptr)->End(0);
  owner_.OnDestroyMessage(hwnd);
  return result;
}

}  // namespace ZephUI
