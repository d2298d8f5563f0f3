#include "macros/filter/KeyFilterTable.h"

#include <algorithm>

#include "device/LinuxKeyTables.h"

namespace {
constexpr std::uint8_t kEntryByte2 = 0x07;
constexpr std::uint8_t kEntryByte3 = 0x02;
}  // namespace

std::array<std::uint8_t, KeyFilterTable::kTableBytes> KeyFilterTable::encode(std::span<const std::uint16_t> keyCodes) {
  std::array<std::uint8_t, kTableBytes> bytes{};
  const std::size_t count = std::min(keyCodes.size(), kMaxEntries);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[i * 4] = static_cast<std::uint8_t>(keyCodes[i] & 0xFF);
    bytes[i * 4 + 1] = static_cast<std::uint8_t>(keyCodes[i] >> 8);
    bytes[i * 4 + 2] = kEntryByte2;
    bytes[i * 4 + 3] = kEntryByte3;
  }
  return bytes;
}

std::optional<KeyFilterTable> KeyFilterTable::decode(std::span<const std::uint8_t> input) {
  if (input.size() == kClearBytes && std::ranges::all_of(input, [](std::uint8_t b) { return b == 0; })) {
    return KeyFilterTable();
  }
  if (input.size() != kTableBytes) return std::nullopt;
  KeyFilterTable table;
  for (std::size_t i = 0; i < kMaxEntries; ++i) {
    const auto code = static_cast<std::uint16_t>(input[i * 4] | (input[i * 4 + 1] << 8));
    // A zero code is an unused slot; later slots may still hold entries.
    if (code != 0) table.codes_.insert(code);
  }
  return table;
}

std::uint16_t KeyFilterTable::layoutCodeOf(int evdevCode) {
  const int usage = LinuxKeyTables::evdevToUsage(evdevCode);
  return usage == 0 ? 0 : static_cast<std::uint16_t>(kLayoutCodeBase + usage);
}
