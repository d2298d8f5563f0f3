#include "tests/sim/FamilyAFirmware.h"

#include <algorithm>

namespace hidsim {

std::optional<std::uint8_t> FamilyAFirmware::SelectedMode() const {
  std::lock_guard lock(mutex_);
  return selectedMode_;
}

std::optional<ModeParamsA> FamilyAFirmware::ModeParams() const {
  std::lock_guard lock(mutex_);
  return params_;
}

std::optional<CustomSetSelectionA> FamilyAFirmware::CustomSetSelection() const {
  std::lock_guard lock(mutex_);
  return customSet_;
}

std::array<std::uint8_t, FamilyAFirmware::kKeyTableBytes> FamilyAFirmware::KeyTable() const {
  std::lock_guard lock(mutex_);
  return keyTable_;
}

std::optional<MacroA> FamilyAFirmware::Macro(int number) const {
  std::lock_guard lock(mutex_);
  const auto it = macros_.find(number);
  if (it == macros_.end()) return std::nullopt;
  return Decode(it->second.bytes, it->second.bytes.size(), it->second.shortcutForm);
}

std::vector<int> FamilyAFirmware::MacroNumbers() const {
  std::lock_guard lock(mutex_);
  std::vector<int> numbers;
  for (const auto& entry : macros_) numbers.push_back(entry.first);
  return numbers;
}

int FamilyAFirmware::StreamStarts() const {
  std::lock_guard lock(mutex_);
  return streamStarts_;
}

std::array<std::uint8_t, FamilyAFirmware::kStreamBytes> FamilyAFirmware::StreamTable() const {
  std::lock_guard lock(mutex_);
  return stream_;
}

MacroA FamilyAFirmware::Decode(const Bytes& buffer, std::size_t received, bool shortcutForm) {
  MacroA macro;
  macro.bytes = buffer;
  macro.shortcutForm = shortcutForm;
  if (received >= 1) macro.repeat = buffer[0];
  if (received >= 2) macro.eventCount = buffer[1];
  for (std::size_t i = 0; i < macro.eventCount && 2 + 3 * i + 3 <= received; ++i) {
    const std::size_t at = 2 + 3 * i;
    const std::uint8_t high = buffer[at + 2];
    macro.events.push_back(
        MacroEventA{buffer[at], (high & 0x80) != 0, buffer[at + 1] | ((high & 0x7F) << 8)});
  }
  return macro;
}

// An event of three zero bytes is a phantom: the buffer's count names more
// events than it carries.
bool FamilyAFirmware::HasPhantomEvent(const Bytes& buffer) {
  const std::size_t count = buffer.size() >= 2 ? buffer[1] : 0;
  for (std::size_t i = 0; i < count && 2 + 3 * i + 3 <= buffer.size(); ++i) {
    const auto at = buffer.begin() + static_cast<std::ptrdiff_t>(2 + 3 * i);
    if (std::all_of(at, at + 3, [](std::uint8_t x) { return x == 0; })) return true;
  }
  return false;
}

bool FamilyAFirmware::OnMacroChunk(std::span<const std::uint8_t> b) {
  const std::size_t length = b[2];
  const std::size_t offset = b[3] | (static_cast<std::size_t>(b[4]) << 8);
  const int number = b[5];
  const auto data = b.subspan(6);  // 59 bytes
  // The shortcut form gives L = 3c although it carries [01, c, 3c bytes]: take
  // what it carries.
  const bool shortcut = offset == 0 && data[0] == 0x01 && length == 3u * data[1];
  const std::size_t take = shortcut ? std::min<std::size_t>(2 + 3u * data[1], data.size()) : length;
  if (length == 0 || take > data.size()) return false;  // an empty chunk is not a chunk

  MacroBuffer& buffer = macros_[number];
  // A download always begins at offset 0, which replaces the earlier buffer.
  if (offset == 0) buffer = MacroBuffer{};
  buffer.shortcutForm = shortcut;
  if (buffer.bytes.size() < offset + take) buffer.bytes.resize(offset + take, 0);
  std::copy_n(data.begin(), take, buffer.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  // The macro form's length is 3 x count + 3.
  const std::size_t total = shortcut || buffer.bytes.size() < 2 ? 0 : 3u * buffer.bytes[1] + 3;
  TrackDownload(b, 59, total);
  const bool complete = buffer.bytes.size() >= 2 && buffer.bytes.size() >= 2 + 3u * buffer.bytes[1];
  return !(complete && HasPhantomEvent(buffer.bytes));
}

bool FamilyAFirmware::OnOutput(const InterfaceSpec& on, std::span<const std::uint8_t> b) {
  if (!IsReportFrame(b)) return false;
  if (IsStreamInterface(on)) {
    // Only stream chunks belong on interface 3.
    return b[1] == 0xF1 && ApplyChunk(b, 5, 60, stream_);
  }
  if (!IsCommandInterface(on) || CutsIntoDownload(b)) return false;
  switch (b[1]) {
    case 0x88:
      if (b[2] != 0 || !ZeroFrom(b, 4)) return false;
      selectedMode_ = b[3];
      return true;
    case 0x89: {
      if (b[2] != 0 || !ZeroFrom(b, 8)) return false;
      const std::uint8_t p = b[3];
      params_ = ModeParamsA{p, (p >> 4) & 0x03, (p & 0x40) != 0, p & 0x0F, {b[4], b[5], b[6]}, b[7]};
      return true;
    }
    case 0x8B:
      return HandleCustomColourChunk(b);
    case 0x8D:
      // Four chunks make 220 bytes (key indexes 0-109).
      if (!ApplyChunk(b, 5, 60, keyTable_)) return false;
      TrackDownload(b, 60, 220);
      return true;
    case 0x8E:
      return OnMacroChunk(b);
    case 0xF0:
      if (b[2] != 0xF4 || b[3] != 0x01 || !ZeroFrom(b, 4)) return false;
      ++streamStarts_;
      return true;
    case 0xFF:
      if (b[2] != 0xFE || b[3] != 0xAA || b[4] != 0xFF || !ZeroFrom(b, 5)) return false;
      CountReset();
      keyTable_.fill(0);
      macros_.clear();
      return true;
    default:
      return false;
  }
}

bool FamilyAFirmware::OnFeature(const InterfaceSpec& on, std::span<const std::uint8_t> b) {
  if (!IsCommandInterface(on) || !IsFeatureFrame(b) || CutsIntoDownload(b)) return false;
  if (b[1] == 0xFD) return HandleVersionRequest(b);
  if (b[1] == 0xFF && b[2] == 0xFF && b[6] == 0) {
    customSet_ = CustomSetSelectionA{b[3], b[4], b[5], b[7]};
    return true;
  }
  return false;
}

}  // namespace hidsim
