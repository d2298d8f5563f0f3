#include "zephui/ControlTypes.h"

#include "zephui/Message.h"

namespace ZephUI {

std::uint32_t CurrentModifierMask() {
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  std::uint32_t mask = alt ? MODIFIER_ALT : (shift ? MODIFIER_SHIFT : 0);
  if (ctrl) mask |= MODIFIER_CTRL;
  return mask;
}

}  // namespace ZephUI
