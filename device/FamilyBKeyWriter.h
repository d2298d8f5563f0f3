// Writes a profile's key assignments and macros into a family B keyboard:
// 13 macro slots and 10 remap slots, through 8-byte feature frames.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class Clock;
class HidManager;
class ProfileStore;

class FamilyBKeyWriter {
 public:
  using SlotTable = std::array<std::uint8_t, 28>;   ///< T[1..13] macro slots, T[14..23] remap slots
  using MacroBlock = std::array<std::uint8_t, 168>; ///< one macro slot's contents
  static constexpr int kMaxEvents = 82;             ///< key events a macro block has room for

  /// Writes through the manager, reads assignments and macros from the store.
  FamilyBKeyWriter(HidManager& hid, Clock& clock, ProfileStore& store);

  /// Clears the used slots, then writes the assignments of the profile and layer that the slots have room for.
  void applyAllKeys(int profile, int layer);
  /// Reads the keyboard's slot table.
  SlotTable readSlotTable();
  /// Writes remap slot r for key k from k's assignment (clears it when k has none).
  void writeRemapSlot(int profile, int layer, int slot, int keyCode);
  /// Writes macro slot `slot` for key k: a macro (type 3), a shortcut (type 7), else cleared.
  void writeMacroSlot(int keyCode, int slot, int type, int value);
  /// Builds the 168-byte block of a macro slot.
  MacroBlock buildMacroBlock(int keyCode, int slot, int type, int value);

  /// The event delay byte: release flag, unit and count for a delay in milliseconds.
  static std::uint8_t DelayByte(int delayMs, bool release);

 private:
  void clearUsedSlots(int profile, int layer, const SlotTable& table);

  HidManager& hid_;
  Clock& clock_;
  ProfileStore& store_;
};
