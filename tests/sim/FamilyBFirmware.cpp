#include "tests/sim/FamilyBFirmware.h"

#include <algorithm>

namespace hidsim {

FamilyBFirmware::FamilyBFirmware() { ClearKeys(); }

void FamilyBFirmware::SetSlotTable(const std::array<std::uint8_t, kSlotTableBytes>& table) {
  std::lock_guard lock(mutex_);
  table_ = table;
}

std::array<std::uint8_t, FamilyBFirmware::kSlotTableBytes> FamilyBFirmware::SlotTable() const {
  std::lock_guard lock(mutex_);
  return table_;
}

std::optional<MacroSlotB> FamilyBFirmware::MacroSlot(int slot) const {
  std::lock_guard lock(mutex_);
  const auto it = macroSlots_.find(slot);
  if (it == macroSlots_.end()) return std::nullopt;
  return it->second;
}

std::optional<RemapSlotB> FamilyBFirmware::RemapSlot(int slot) const {
  std::lock_guard lock(mutex_);
  const auto it = remapSlots_.find(slot);
  if (it == remapSlots_.end()) return std::nullopt;
  return it->second;
}

std::optional<LightingB> FamilyBFirmware::Lighting() const {
  std::lock_guard lock(mutex_);
  return lighting_;
}

std::vector<MusicLevelB> FamilyBFirmware::MusicLevels() const {
  std::lock_guard lock(mutex_);
  return musicLevels_;
}

std::optional<MusicLevelB> FamilyBFirmware::LastMusicLevel() const {
  std::lock_guard lock(mutex_);
  if (musicLevels_.empty()) return std::nullopt;
  return musicLevels_.back();
}

MacroEventB FamilyBFirmware::DecodeEvent(std::uint8_t usage, std::uint8_t delayByte) {
  return MacroEventB{usage, delayByte, (delayByte & 0x80) != 0, (delayByte >> 5) & 0x03,
                     delayByte & 0x1F};
}

void FamilyBFirmware::ClearKeys() {
  table_.fill(0);
  table_[0] = kUnusedTableByte;
  std::fill(table_.begin() + 24, table_.end(), kUnusedTableByte);
  macroSlots_.clear();
  remapSlots_.clear();
  nextBlockFrame_ = -1;
}

// Inside a macro block only its own frames (or a fresh start) may come.
bool FamilyBFirmware::CutsIntoBlock(std::span<const std::uint8_t> b) const {
  return nextBlockFrame_ > 0 && !(IsFeatureFrame(b) && (b[1] == 0x00 || b[1] == 0xF1));
}

bool FamilyBFirmware::OnFeature(const InterfaceSpec& on, std::span<const std::uint8_t> b) {
  if (!IsCommandInterface(on) || !IsFeatureFrame(b) || CutsIntoBlock(b) || CutsIntoDownload(b)) return false;
  switch (b[1]) {
    case 0xFF:
      if (b[2] != 0xFF) return false;
      lighting_ = LightingB{false, b[3], b[4], b[5], b[6], b[7]};
      return true;
    case 0x23:
      if (b[2] != 0x45 || b[3] != 0x67 || b[4] != 0x89 || b[7] != 0) return false;
      musicLevels_.push_back(MusicLevelB{b[5], b[6]});
      TrimHistory(musicLevels_);
      return true;
    case 0xF0:
      if (b[2] != 0xAA || !ZeroFrom(b, 3)) return false;
      CountReset();
      ClearKeys();
      return true;
    case 0xFD:
      return HandleVersionRequest(b);
    case 0xFB: {
      if (b[2] != 0x01 || !ZeroFrom(b, 3)) return false;
      std::array<std::array<std::uint8_t, 8>, 4> parts{};
      for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i][0] = 0x07;
        std::copy_n(table_.begin() + static_cast<std::ptrdiff_t>(7 * i), 7, parts[i].begin() + 1);
      }
      QueueReplies(parts);
      return true;
    }
    case 0xFA: {
      if (b[2] != 0x01 || b[5] != 0x01 || b[7] != 0x01 || b[3] == 0 || b[3] > kRemapSlots) return false;
      const int slot = b[3];
      remapSlots_[slot] = RemapSlotB{b[4], b[6]};
      table_[static_cast<std::size_t>(kMacroSlots + slot)] = b[4];
      return true;
    }
    case 0xF1:
    case 0x00:
      return OnMacroFrame(b);
    default:
      return false;
  }
}

bool FamilyBFirmware::OnMacroFrame(std::span<const std::uint8_t> b) {
  if (b[1] == 0xF1) {
    // A new block starts over whatever was in transit.
    if (b[2] != 0x01) return false;
    block_.fill(0);
    nextBlockFrame_ = 0;
  } else if (nextBlockFrame_ <= 0) {
    return false;  // a continuation frame with no block open
  }
  std::copy_n(b.begin() + 2, 6, block_.begin() + 6 * nextBlockFrame_);
  if (++nextBlockFrame_ == kMacroBlockFrames) CommitMacroBlock();
  // The first frame names the slot: one beyond the table is an error.
  return b[1] != 0xF1 || (b[3] >= 1 && b[3] <= kMacroSlots);
}

void FamilyBFirmware::CommitMacroBlock() {
  nextBlockFrame_ = -1;
  MacroSlotB slot;
  slot.block = block_;
  slot.key = block_[2];
  slot.repeat = block_[3];
  for (std::size_t i = 4; i + 1 < block_.size(); i += 2) {
    if (block_[i] == 0 && block_[i + 1] == 0) break;
    slot.events.push_back(DecodeEvent(block_[i], block_[i + 1]));
  }
  const int number = block_[1];
  if (number < 1 || number > kMacroSlots) return;  // no such slot
  table_[static_cast<std::size_t>(number)] = slot.key;
  macroSlots_[number] = std::move(slot);
}

bool FamilyBFirmware::OnOutput(const InterfaceSpec& on, std::span<const std::uint8_t> b) {
  if (!IsCommandInterface(on) || !IsReportFrame(b) || CutsIntoBlock(b) || CutsIntoDownload(b)) return false;
  if (b[1] == 0xBB && b[2] == 0xAA && b[3] == 0x99 && b[4] == 0x88) return OnLongFrame(b.subspan(1));
  if (b[1] == 0x8B) return HandleCustomColourChunk(b);
  return false;
}

bool FamilyBFirmware::OnLongFrame(std::span<const std::uint8_t> d) {
  const auto allAA = std::all_of(d.begin() + 4, d.begin() + 10, [](std::uint8_t x) { return x == 0xAA; });
  if (allAA && ZeroFrom(d, 10)) {
    longResetArmed_ = true;
    return true;
  }
  if (ZeroFrom(d, 4)) {
    // Second half of the reset; on its own it means nothing.
    if (!longResetArmed_) return false;
    longResetArmed_ = false;
    CountReset();
    ClearKeys();
    return true;
  }
  if (d[4] == 0xAA && d[8] == 0 && ZeroFrom(d, 11)) {
    lighting_ = LightingB{true, d[5], d[6], d[7], d[9], d[10]};
    return true;
  }
  return false;
}

}  // namespace hidsim
