// MWindow: the thin wrappers over the window functions. A null handle means
// something else to several of them (SetFocus(null) takes the focus away,
// PostMessage(null) posts to the thread), so each checks the window first.
#include "zephui/MWindow.h"

#include "zephui/Message.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

bool Live(HWND hwnd) { return hwnd != nullptr && IsWindow(hwnd); }

bool ChangeBits(HWND hwnd, std::uint32_t (*get)(HWND), std::uint32_t (*set)(HWND, std::uint32_t),
                std::uint32_t remove, std::uint32_t add, std::uint32_t positionFlags) {
  if (!Live(hwnd)) return false;
  const std::uint32_t before = get(hwnd);
  const std::uint32_t after = (before & ~remove) | add;
  if (after == before) return false;
  set(hwnd, after);
  if (positionFlags != 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | positionFlags);
  }
  return true;
}

}  // namespace

bool MWindow::DestroyWindow() { return Live(hwnd_) && ZephUI::DestroyWindow(hwnd_); }

bool MWindow::EnableWindow(bool enable) {
  if (!Live(hwnd_)) return false;
  ZephUI::EnableWindow(hwnd_, enable ? InputState::Enabled : InputState::Disabled);
  return true;
}

bool MWindow::IsWindowEnabled() const { return Live(hwnd_) && ZephUI::IsWindowEnabled(hwnd_); }

bool MWindow::IsWindowVisible() const { return Live(hwnd_) && ZephUI::IsWindowVisible(hwnd_); }

bool MWindow::IsIconic() const { return Live(hwnd_) && ZephUI::IsIconic(hwnd_); }

std::uint32_t MWindow::GetStyle() const { return Live(hwnd_) ? GetWindowStyle(hwnd_) : 0; }

std::uint32_t MWindow::GetExStyle() const { return Live(hwnd_) ? GetWindowExStyle(hwnd_) : 0; }

bool MWindow::ModifyStyle(std::uint32_t remove, std::uint32_t add, std::uint32_t positionFlags) {
  return ChangeBits(hwnd_, &GetWindowStyle, &SetWindowStyle, remove, add, positionFlags);
}

bool MWindow::ModifyExStyle(std::uint32_t remove, std::uint32_t add, std::uint32_t positionFlags) {
  return ChangeBits(hwnd_, &GetWindowExStyle, &SetWindowExStyle, remove, add, positionFlags);
}

bool MWindow::GetClientRect(Rect& rect) const { return Live(hwnd_) && ZephUI::GetClientRect(hwnd_, rect); }

bool MWindow::GetWindowRect(Rect& rect) const { return Live(hwnd_) && ZephUI::GetWindowRect(hwnd_, rect); }

bool MWindow::SetWindowTextW(std::u16string_view text) { return Live(hwnd_) && SetWindowText(hwnd_, text); }

std::u16string MWindow::GetWindowTextW() const { return Live(hwnd_) ? GetWindowText(hwnd_) : std::u16string(); }

int MWindow::GetWindowTextLengthW() const { return Live(hwnd_) ? GetWindowTextLength(hwnd_) : -1; }

bool MWindow::InvalidateRect(const Rect* rect, bool /*erase*/) {
  return Live(hwnd_) && ZephUI::InvalidateRect(hwnd_, rect);
}

HWND MWindow::SetCapture() { return Live(hwnd_) ? ZephUI::SetCapture(hwnd_) : nullptr; }

bool MWindow::ReleaseCapture() { return Live(hwnd_) && GetCapture() == hwnd_ && ZephUI::ReleaseCapture(); }

HWND MWindow::SetFocus() { return Live(hwnd_) ? ZephUI::SetFocus(hwnd_) : nullptr; }

std::uintptr_t MWindow::SetTimer(std::uintptr_t id, std::uint32_t ms, TIMERPROC callback) {
  return Live(hwnd_) ? ZephUI::SetTimer(hwnd_, id, ms, callback) : 0;
}

bool MWindow::KillTimer(std::uintptr_t id) { return Live(hwnd_) && ZephUI::KillTimer(hwnd_, id); }

bool MWindow::ClientToScreen(Point& point) const { return Live(hwnd_) && ZephUI::ClientToScreen(hwnd_, point); }

bool MWindow::ClientToScreen(Rect& rect) const { return Live(hwnd_) && ZephUI::ClientToScreen(hwnd_, rect); }

bool MWindow::ScreenToClient(Point& point) const { return Live(hwnd_) && ZephUI::ScreenToClient(hwnd_, point); }

bool MWindow::ScreenToClient(Rect& rect) const { return Live(hwnd_) && ZephUI::ScreenToClient(hwnd_, rect); }

bool MWindow::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags) {
  return Live(hwnd_) && ZephUI::SetWindowPos(hwnd_, insertAfter, x, y, width, height, flags);
}

bool MWindow::MoveWindow(int x, int y, int width, int height) {
  return Live(hwnd_) && ZephUI::MoveWindow(hwnd_, x, y, width, height);
}

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Live(hwnd_) ? SendMessage(hwnd_, msg, wParam, lParam) : 0;
}

bool MWindow::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Live(hwnd_) && PostMessage(hwnd_, msg, wParam, lParam);
}

HWND MWindow::GetSafeHwnd() const { return hwnd_; }

HWND MWindow::GetParentHwnd() const { return parent_; }

}  // namespace ZephUI
