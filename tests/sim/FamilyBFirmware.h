// Model of a family B keyboard (device types 201-299, the T40): lighting,
// music level, reset, firmware version, the 28-byte slot table with 13 macro
// slots and 10 remap slots, and custom colours. Wired keyboards get 8-byte
// feature frames (report 7); the other connection modes get 64-byte long
// frames (output report 0, starting BB AA 99 88). The model accepts both.
// Like firmware that could misbehave on them, it flags as unexpected: a slot
// beyond its 13 macro or 10 remap slots, any frame that cuts into a macro
// block, and a feature frame inside a colour download.
//
//   auto fw = std::make_shared<hidsim::FamilyBFirmware>();
//   fw->SetSlotTable(table);                 // what 07 FB 01 will read back
//   ... code under test writes keys and macros ...
//   fw->MacroSlot(1)->key                    // key code D[2] of macro slot 1
//   fw->MacroSlot(1)->events[0].release      // flag bit of the first event's delay byte
//   fw->RemapSlot(3)->value                  // v of 07 FA 01 03 k 01 v 01
//   fw->SlotTable()[14]                      // remap slot 1's key, as a later read shows it
//   fw->Lighting()->brightness               // b' of the last lighting frame
//   fw->MusicLevels()                        // every 07 23 45 67 89 e v 00, in order
//   fw->ChangeCount()                        // moves with every frame understood
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "tests/sim/KeyboardFirmware.h"

namespace hidsim {

/// Last lighting command, as the bytes came (not converted back).
struct LightingB {
  bool longFrame = false;        ///< false: 07 FF FF ...; true: BB AA 99 88 AA ...
  std::uint8_t modeIndex = 0;    ///< m - 1
  std::uint8_t brightness = 0;   ///< b'
  std::uint8_t speed = 0;        ///< s'
  std::uint8_t customSet = 0;    ///< x' (wired) or x (long frame)
  std::uint8_t direction = 0;    ///< d
};

struct MusicLevelB {
  std::uint8_t effect = 0;  ///< e
  std::uint8_t value = 0;   ///< v
};

/// One key event of a macro slot: [usage, delay byte].
struct MacroEventB {
  std::uint8_t usage = 0;
  std::uint8_t delayByte = 0;
  bool release = false;  ///< delay byte bit 0x80
  int unit = 0;          ///< delay byte bits 0x60 >> 5
  int n = 0;             ///< delay byte bits 0x1F
};

/// A macro slot as written by one complete 28-frame block.
struct MacroSlotB {
  std::uint8_t key = 0;     ///< D[2]; 0 clears the slot
  std::uint8_t repeat = 0;  ///< D[3]
  std::vector<MacroEventB> events;  ///< pairs from D[4] up to the first 00 00 pair
  std::array<std::uint8_t, 168> block{};  ///< D as received
};

struct RemapSlotB {
  std::uint8_t key = 0;    ///< k (0 when cleared)
  std::uint8_t value = 0;  ///< v (0 when cleared)
};

class FamilyBFirmware : public KeyboardFirmware {
 public:
  static constexpr std::size_t kSlotTableBytes = 28;
  static constexpr std::size_t kMacroBlockBytes = 168;
  static constexpr int kMacroBlockFrames = 28;
  static constexpr int kMacroSlots = 13;
  static constexpr int kRemapSlots = 10;
  /// Unused table bytes (T[0], T[24..27]) hold this, so a reader that is off by
  /// one sees a slot that seems taken.
  static constexpr std::uint8_t kUnusedTableByte = 0x5A;

  FamilyBFirmware();

  /// Replaces the slot table, e.g. to start with taken slots; T[1..13] macro
  /// slots 1-13, T[14..23] remap slots 1-10, 0 = free.
  void SetSlotTable(const std::array<std::uint8_t, kSlotTableBytes>& table);
  /// The table a read (07 FB 01 then four gets of bytes 1-7) would return now.
  std::array<std::uint8_t, kSlotTableBytes> SlotTable() const;

  /// Macro slot `slot` (D[1]) after its last complete block; nullopt if never written.
  std::optional<MacroSlotB> MacroSlot(int slot) const;
  /// Remap slot `slot` (r) after its last write; nullopt if never written.
  std::optional<RemapSlotB> RemapSlot(int slot) const;
  /// Last lighting command (wired or long frame); nullopt if none came.
  std::optional<LightingB> Lighting() const;
  /// Every music level packet, in arrival order.
  std::vector<MusicLevelB> MusicLevels() const;
  /// The latest music level packet; nullopt if none came.
  std::optional<MusicLevelB> LastMusicLevel() const;

  /// Decodes one delay byte (flag, unit, n).
  static MacroEventB DecodeEvent(std::uint8_t usage, std::uint8_t delayByte);

 protected:
  bool OnOutput(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) override;
  bool OnFeature(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) override;

 private:
  bool OnLongFrame(std::span<const std::uint8_t> data);
  bool OnMacroFrame(std::span<const std::uint8_t> bytes);
  bool CutsIntoBlock(std::span<const std::uint8_t> bytes) const;
  void CommitMacroBlock();
  void ClearKeys();

  std::array<std::uint8_t, kSlotTableBytes> table_{};
  std::map<int, MacroSlotB> macroSlots_;
  std::map<int, RemapSlotB> remapSlots_;
  std::optional<LightingB> lighting_;
  std::vector<MusicLevelB> musicLevels_;
  // A macro block in transit: next frame index, -1 when none is open.
  std::array<std::uint8_t, kMacroBlockBytes> block_{};
  int nextBlockFrame_ = -1;
  bool longResetArmed_ = false;
};

}  // namespace hidsim
