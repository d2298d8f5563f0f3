#include "core/WindowFollower.h"

#include <utility>

#include "zephui/Window.h"

namespace ZephUI {
namespace {

LRESULT Forward(WindowProcedure* previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (previous == nullptr) return DefWindowProc(hwnd, message, wParam, lParam);
  return previous->HandleMessage(hwnd, message, wParam, lParam);
}

}  // namespace

WindowFollower::WindowFollower(Listener listener) : listener_(std::move(listener)) {}

WindowFollower::~WindowFollower() { Detach(); }

bool WindowFollower::Attach(HWND hwnd) {
  Detach();
  if (!IsWindow(hwnd)) return false;
  hwnd_ = hwnd;
  previous_ = SetWindowProcedure(hwnd, this);
  return true;
}

void WindowFollower::Detach() {
  if (hwnd_ != nullptr && GetWindowProcedure(hwnd_) == this) SetWindowProcedure(hwnd_, previous_);
  hwnd_ = nullptr;
  previous_ = nullptr;
}

// The message goes on last: the window's procedure may delete the owner of this follower.
LRESULT WindowFollower::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowProcedure* const previous = previous_;
  if (hwnd == hwnd_) Notify(message, wParam);
  return Forward(previous, hwnd, message, wParam, lParam);
}

void WindowFollower::Notify(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
      listener_(Change::Placed);
      break;
    case WM_SIZE:
      listener_(wParam == SIZE_RESTORED ? Change::Placed : Change::Hidden);
      break;
    case WM_SHOWWINDOW:
      listener_(wParam != 0 ? Change::Shown : Change::Hidden);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) listener_(Change::Activated);
      break;
    case WM_NCDESTROY:
      Detach();
      listener_(Change::Destroyed);
      break;
    default:
      break;
  }
}

}  // namespace ZephUI
