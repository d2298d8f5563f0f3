#include "backend/MessageBuilder.h"

#include "backend/WindowSystem.h"

namespace ZephUI::Backend {

MSG MessageBuilder::Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem& system = WindowSystem::Get();
  MSG msg{hwnd, message, wParam, lParam, static_cast<std::uint32_t>(system.Native().NowMs()), {}};
  msg.pt = system.Table().With([](WindowState& state) { return state.pointer; });
  return msg;
}

}  // namespace ZephUI::Backend
