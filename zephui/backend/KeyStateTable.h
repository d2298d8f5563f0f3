// Which keys and mouse buttons are down, as of the input handled so far. Side-
// specific modifier codes (VK_LSHIFT, ...) are kept apart and also drive the
// generic ones (VK_SHIFT, ...), which are down while either side is.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

namespace ZephUI::Backend {

/// Key and button states under their own lock.
class KeyStateTable {
 public:
  /// Marks a key down; returns whether it was down already (a repeat). Flips the toggle state.
  bool Press(std::uint32_t vk);
  /// Marks a key up.
  void Release(std::uint32_t vk);
  /// True while the key is down.
  bool IsDown(std::uint32_t vk) const;
  /// GetKeyState's value: bit 15 down, bit 0 toggled.
  std::int16_t State(std::uint32_t vk) const;
  /// MK_* flags of the buttons and modifiers that are down.
  std::uint32_t MouseFlags() const;
  /// Marks every key and button up (toggle states stay).
  void ReleaseAll();

 private:
  static std::uint32_t Sided(std::uint32_t vk);
  void UpdateGeneric();

  mutable std::mutex mutex_;
  std::array<std::uint8_t, 256> state_{};  // 0x80 down, 0x01 toggled
};

}  // namespace ZephUI::Backend
