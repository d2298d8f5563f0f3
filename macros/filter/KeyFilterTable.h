// The key filter's table: up to 256 entries of four bytes (key code, 16-bit
// little-endian, then 0x07, 0x02) in a 1024-byte buffer, zero after the last
// entry. Key codes are layout codes: 0x100 plus the key's HID usage.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

class KeyFilterTable {
 public:
  static constexpr std::size_t kMaxEntries = 256;     ///< entries the buffer holds
  static constexpr std::size_t kTableBytes = 1024;    ///< size of a loaded table
  static constexpr std::size_t kClearBytes = 256;     ///< size of the all-zero "clear" input
  static constexpr std::uint16_t kLayoutCodeBase = 0x100;  ///< layout code = base + HID usage

  /// The 1024-byte buffer for these key codes; codes beyond the first 256 are left out.
  static std::array<std::uint8_t, kTableBytes> encode(std::span<const std::uint16_t> keyCodes);
  /// A table from a control input: 256 zero bytes (empty) or 1024 bytes; nullopt for anything else.
  static std::optional<KeyFilterTable> decode(std::span<const std::uint8_t> input);
  /// The layout code of an evdev key code; 0 for keys without a keyboard usage.
  static std::uint16_t layoutCodeOf(int evdevCode);

  /// An empty table.
  KeyFilterTable() = default;
  /// Whether the key code is listed.
  bool contains(std::uint16_t keyCode) const { return keyCode != 0 && codes_.contains(keyCode); }
  /// Whether no key is listed.
  bool empty() const { return codes_.empty(); }
  /// Number of distinct key codes listed.
  std::size_t size() const { return codes_.size(); }

 private:
  std::unordered_set<std::uint16_t> codes_;
};
