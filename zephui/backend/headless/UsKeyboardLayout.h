// The text an injected key types, as on a US keyboard, so tests see WM_CHAR
// just as a real keyboard would produce it.
#pragma once

#include <cstdint>
#include <string>

namespace ZephUI::Backend {

/// Modifier state that changes what a key types.
struct TypingModifiers {
  bool shift = false;     ///< Shift down
  bool control = false;   ///< Ctrl down
  bool capsLock = false;  ///< Caps Lock on
};

/// US layout key-to-text mapping.
class UsKeyboardLayout {
 public:
  /// The text the key types; empty for keys that type nothing.
  static std::u16string TextOf(std::uint32_t vk, const TypingModifiers& modifiers);
};

}  // namespace ZephUI::Backend
