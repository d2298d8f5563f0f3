// Our table from X keysyms to virtual-key codes, and back for asking the
// server which keys are down.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace ZephUI::Backend {

/// Keysym and virtual-key mapping.
class X11Keymap {
 public:
  /// The virtual-key code of a keysym; 0 when the table has none.
  static std::uint32_t VirtualKey(KeySym keysym);
  /// The virtual-key code of a key event: its unshifted symbol first, then its shifted one.
  static std::uint32_t VirtualKeyOf(XKeyEvent& event);
  /// The keysyms that produce a virtual-key code (both sides for generic modifiers).
  static std::vector<KeySym> KeysymsOf(std::uint32_t vk);
};

}  // namespace ZephUI::Backend
