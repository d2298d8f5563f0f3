#include "device/FamilyAKeyWriter.h"

#include <algorithm>

#include "device/Clock.h"
#include "device/Frames.h"
#include "device/HidManager.h"
#include "device/HidSequence.h"
#include "device/KeyCodes.h"
#include "store/ProfileStore.h"

namespace {

using frames::Byte;

constexpr int kMacroChunk = 59;
constexpr int kTableKeys = 180;
constexpr int kShortcutDelay = 100;

void AppendEvent(std::vector<std::uint8_t>& out, int usage, int delay, bool press) {
  out.push_back(Byte(usage));
  out.push_back(Byte(delay));
  out.push_back(press ? Byte((delay / 256) | 0x80) : Byte((delay / 256) & 0x7F));
}

}  // namespace

FamilyAKeyWriter::FamilyAKeyWriter(HidManager& hid, Clock& clock, ProfileStore& store)
    : hid_(hid), clock_(clock), store_(store) {}

// The count names only the events sent: a record that is neither a key press
// nor a release would make the keyboard play a phantom all-zero event.
std::vector<std::uint8_t> FamilyAKeyWriter::buildMacroBuffer(int macroId) {
  MacroRecord macro;
  const int repeat = store_.ReadMacro(macroId, macro) ? std::clamp(macro.playTimes, 1, 255) : 1;
  std::vector<StepRecord> steps;
  store_.ListSteps(macroId, steps);
  std::vector<std::uint8_t> buffer{Byte(repeat), 0};
  for (const StepRecord& s : steps) {
    if (!IsStep(s.type, StepType::KeyPress) && !IsStep(s.type, StepType::KeyRelease)) continue;
    AppendEvent(buffer, KeyCodes::toOutputCode(s.value), s.delayTime, IsStep(s.type, StepType::KeyPress));
  }
  buffer[1] = Byte(static_cast<int>((buffer.size() - 2) / 3));
  buffer.resize(3 * static_cast<std::size_t>(buffer[1]) + 3, 0);
  return buffer;
}

// Chunks of 59 bytes, the last one shorter; a length that is a multiple of 59
// ends with a full chunk, never with an empty one.
bool FamilyAKeyWriter::downloadMacro(int number, const std::vector<std::uint8_t>& buffer) {
  const int total = static_cast<int>(buffer.size());
  const int chunks = (total + kMacroChunk - 1) / kMacroChunk;
  HidSequence sequence(hid_);
  for (int k = 0; k < chunks; ++k) {
    clock_.SleepMs(100);
    const int offset = kMacroChunk * k;
    const int length = std::min(kMacroChunk, total - offset);
    HidManager::Report frame = frames::Report({0x00, 0x8E, Byte(length), Byte(offset), Byte(offset >> 8), Byte(number)});
    std::copy_n(buffer.begin() + offset, length, frame.begin() + 6);
    if (!hid_.writeReport(frame)) return false;
  }
  return true;
}

bool FamilyAKeyWriter::downloadShortcut(int number, int shortcut) {
  const std::vector<int> keys = KeyCodes::shortcutKeys(shortcut);
  if (keys.empty()) return false;  // its frame would be an empty chunk
  std::vector<std::uint8_t> events;
  for (int key : keys) AppendEvent(events, key, kShortcutDelay, true);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) AppendEvent(events, *it, kShortcutDelay, false);
  const int count = static_cast<int>(events.size() / 3);
  HidManager::Report frame = frames::Report({0x00, 0x8E, Byte(3 * count), 0x00, 0x00, Byte(number), 0x01, Byte(count)});
  std::copy_n(events.begin(), std::min<std::size_t>(events.size(), frame.size() - 8), frame.begin() + 8);
  return hid_.writeReport(frame);
}

// A failed macro chunk abandons the rest of the download; the key table still goes.
// Only a buffer that arrived gets a number: a key whose buffer failed stays at
// its default rather than play whatever that buffer held before.
void FamilyAKeyWriter::downloadMacros(const std::vector<KeyAssignmentRecord>& rows) {
  macroNumbers_.clear();
  int number = 0;
  for (const KeyAssignmentRecord& row : rows) {
    if (!IsType(row.macroType, AssignmentType::Macro)) continue;
    const std::vector<std::uint8_t> buffer = buildMacroBuffer(row.macroValue);
    clock_.SleepMs(10);
    if (!downloadMacro(number, buffer)) return;
    macroNumbers_[row.keyCode] = number++;
  }
  for (const KeyAssignmentRecord& row : rows) {
    if (hid_.deviceGone()) return;
    if (!IsType(row.macroType, AssignmentType::Shortcut)) continue;
    clock_.SleepMs(10);
    if (downloadShortcut(number, row.macroValue)) macroNumbers_[row.keyCode] = number++;
  }
}

FamilyAKeyWriter::KeyTable FamilyAKeyWriter::buildKeyTable(const std::vector<KeyAssignmentRecord>& rows,
                                                           const std::map<int, int>& keyIndex) const {
  KeyTable table{};
  for (const KeyAssignmentRecord& row : rows) {
    const auto index = keyIndex.find(row.keyCode);
    if (index == keyIndex.end() || index->second < 0 || index->second >= kTableKeys) continue;
    const auto at = static_cast<std::size_t>(index->second) * 2;
    const auto number = macroNumbers_.find(row.keyCode);
    if (IsType(row.macroType, AssignmentType::Key)) {
      table[at] = Byte(row.macroValue), table[at + 1] = 0x20;
    } else if (IsType(row.macroType, AssignmentType::Disabled)) {
      table[at] = 0x00, table[at + 1] = 0x20;
    } else if ((IsType(row.macroType, AssignmentType::Macro) || IsType(row.macroType, AssignmentType::Shortcut)) &&
               number != macroNumbers_.end()) {
      table[at] = Byte(number->second), table[at + 1] = 0x40;
    }
  }
  return table;
}

void FamilyAKeyWriter::sendKeyTable(const KeyTable& table) {
  HidSequence sequence(hid_);
  for (int k = 0; k < 4 && !hid_.deviceGone(); ++k) {
    clock_.SleepMs(10);
    const int offset = 60 * k;
    const int length = k == 3 ? kSentKeyTableBytes - 180 : 60;
    HidManager::Report frame = frames::Report({0x00, 0x8D, Byte(length), Byte(offset), Byte(offset >> 8)});
    std::copy_n(table.begin() + offset, length, frame.begin() + 5);
    hid_.writeReport(frame);  // a failed chunk does not stop the others
  }
}

void FamilyAKeyWriter::applyAllKeys(int profile, int layer, const std::map<int, int>& keyIndex) {
  std::vector<KeyAssignmentRecord> rows;
  store_.ListKeyAssignments(profile, layer, rows);
  downloadMacros(rows);
  if (hid_.deviceGone()) return;
  clock_.SleepMs(20);
  sendKeyTable(buildKeyTable(rows, keyIndex));
}
