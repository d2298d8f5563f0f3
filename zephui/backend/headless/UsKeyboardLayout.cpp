#include "backend/headless/UsKeyboardLayout.h"

#include <string_view>

#include "zephui/VirtualKeys.h"

namespace ZephUI::Backend {
namespace {

constexpr std::u16string_view kShiftedDigits = u")!@#$%^&*(";

char16_t Letter(std::uint32_t vk, const TypingModifiers& m) {
  if (m.control) return static_cast<char16_t>(vk - 'A' + 1);  // Ctrl+A is 0x01
  const bool upper = m.shift != m.capsLock;
  return static_cast<char16_t>(upper ? vk : vk - 'A' + 'a');
}

}  // namespace

std::u16string UsKeyboardLayout::TextOf(std::uint32_t vk, const TypingModifiers& modifiers) {
  if (vk >= 'A' && vk <= 'Z') return std::u16string(1, Letter(vk, modifiers));
  if (modifiers.control) return {};
  if (vk >= '0' && vk <= '9') {
    return std::u16string(1, modifiers.shift ? kShiftedDigits[vk - '0'] : static_cast<char16_t>(vk));
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return std::u16string(1, static_cast<char16_t>('0' + vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return u" ";
    case VK_RETURN: return u"\r";
    case VK_TAB: return u"\t";
    case VK_BACK: return u"\b";
    case VK_ESCAPE: return u"\x1b";
    default: return {};
  }
}

}  // namespace ZephUI::Backend
