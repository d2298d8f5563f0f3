// Model of a family A keyboard (device types up to 200): 65-byte report
// frames for lighting, the key table, numbered macro buffers, custom colours,
// reset and the live colour stream (on interface 3); 8-byte feature frames for
// the custom set selection and the firmware version. Like firmware that could
// misbehave on them, it flags as unexpected: an empty macro chunk, a macro
// whose count names all-zero (phantom) events, and a feature frame that cuts into
// a chunked download before its last chunk.
//
//   auto fw = std::make_shared<hidsim::FamilyAFirmware>();
//   hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0004, fw);
//   ... code under test ...
//   fw->SelectedMode()                // m of 00 88 00 m
//   fw->ModeParams()->speed           // p AND 0x0F of 00 89 00 p c0 c1 c2 b
//   fw->KeyTable()[2 * 5 + 1]         // second byte of key index 5 (0x20 remap, 0x40 macro)
//   fw->Macro(0)->events[1].press     // second event of macro number 0
//   fw->StreamTable()[3 * 2]          // red of light 2 in the live stream
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "tests/sim/KeyboardFirmware.h"

namespace hidsim {

/// 00 89 00 p c0 c1 c2 b, with p split into its fields.
struct ModeParamsA {
  std::uint8_t p = 0;
  int direction = 0;      ///< (p >> 4) AND 3
  bool colorful = false;  ///< p AND 0x40
  int speed = 0;          ///< p AND 0x0F
  std::array<std::uint8_t, 3> colour{};  ///< c0 c1 c2
  std::uint8_t brightness = 0;           ///< b
};

/// 07 FF FF (m-1) b s 00 x.
struct CustomSetSelectionA {
  std::uint8_t modeIndex = 0;  ///< m - 1
  std::uint8_t brightness = 0;
  std::uint8_t speed = 0;
  std::uint8_t customSet = 0;  ///< x
};

/// Event of 3 bytes [usage, delay low, delay high with the press bit 0x80].
struct MacroEventA {
  std::uint8_t usage = 0;
  bool press = false;
  int delayMs = 0;  ///< low + (high AND 0x7F) * 256
};

/// A macro buffer [repeat, event count, events...] as received so far.
struct MacroA {
  std::uint8_t repeat = 0;
  std::uint8_t eventCount = 0;     ///< byte 1 as sent
  std::vector<MacroEventA> events; ///< at most eventCount, only those fully received
  bool shortcutForm = false;       ///< came as 00 8E 3c 00 00 m 01 c ...
  Bytes bytes;                     ///< the buffer up to the highest byte received
};

class FamilyAFirmware : public KeyboardFirmware {
 public:
  static constexpr std::size_t kKeyTableBytes = 360;
  static constexpr std::size_t kStreamBytes = 330;

  /// m of the last 00 88 00 m; nullopt if none came.
  std::optional<std::uint8_t> SelectedMode() const;
  /// The last mode parameters frame; nullopt if none came.
  std::optional<ModeParamsA> ModeParams() const;
  /// The last custom set selection (feature 07 FF FF ...); nullopt if none came.
  std::optional<CustomSetSelectionA> CustomSetSelection() const;
  /// Key table assembled from command 0x8D chunks, 2 bytes per key index.
  std::array<std::uint8_t, kKeyTableBytes> KeyTable() const;
  /// Macro buffer `number` (byte 5 of 00 8E); nullopt if none came.
  std::optional<MacroA> Macro(int number) const;
  /// Numbers of every macro buffer received, ascending.
  std::vector<int> MacroNumbers() const;
  /// Live stream start frames (00 F0 F4 01) received.
  int StreamStarts() const;
  /// Stream table assembled from command 0xF1 chunks on interface 3 (3 bytes per light).
  std::array<std::uint8_t, kStreamBytes> StreamTable() const;

 protected:
  bool OnOutput(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) override;
  bool OnFeature(const InterfaceSpec& on, std::span<const std::uint8_t> bytes) override;

 private:
  bool OnMacroChunk(std::span<const std::uint8_t> bytes);
  static bool HasPhantomEvent(const Bytes& buffer);
  static MacroA Decode(const Bytes& buffer, std::size_t received, bool shortcutForm);

  struct MacroBuffer {
    Bytes bytes;
    bool shortcutForm = false;
  };

  std::optional<std::uint8_t> selectedMode_;
  std::optional<ModeParamsA> params_;
  std::optional<CustomSetSelectionA> customSet_;
  std::array<std::uint8_t, kKeyTableBytes> keyTable_{};
  std::map<int, MacroBuffer> macros_;
  int streamStarts_ = 0;
  std::array<std::uint8_t, kStreamBytes> stream_{};
};

}  // namespace hidsim
