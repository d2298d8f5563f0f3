// The input method's composition spot.
#include "zephui/InputMethod.h"

#include "backend/WindowSystem.h"

namespace ZephUI {

void SetInputMethodSpot(HWND hwnd, Point client) { Backend::WindowSystem::Get().Native().SetInputSpot(hwnd, client); }

}  // namespace ZephUI
