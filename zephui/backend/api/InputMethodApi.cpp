// The input method's composition spot.
#include "zephui/InputMethod.h"

#include "backend/WindowSystem.h"
#include "zephui/Window.h"

namespace ZephUI {

// Input contexts belong to top-level windows: a child's point is given in its top-level window's pixels.
void SetInputMethodSpot(HWND hwnd, Point client) {
  const HWND top = GetTopLevel(hwnd);
  if (top == nullptr || !ClientToScreen(hwnd, client) || !ScreenToClient(top, client)) return;
  Backend::WindowSystem::Get().Native().SetInputSpot(top, client);
}

}  // namespace ZephUI
