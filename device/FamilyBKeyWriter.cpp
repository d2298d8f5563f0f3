#include "device/FamilyBKeyWriter.h"

#include <algorithm>

#include "device/Clock.h"
#include "device/Frames.h"
#include "device/HidManager.h"
#include "device/HidSequence.h"
#include "device/KeyCodes.h"
#include "store/ProfileStore.h"

namespace {

using frames::Byte;
using frames::kFeatureId;

constexpr int kMacroSlots = 13;
constexpr int kRemapSlots = 10;
bool IsSlotMacroType(int type) { return IsType(type, AssignmentType::Macro) || IsType(type, AssignmentType::Shortcut); }

}  // namespace

FamilyBKeyWriter::FamilyBKeyWriter(HidManager& hid, Clock& clock, ProfileStore& store)
    : hid_(hid), clock_(clock), store_(store) {}

std::uint8_t FamilyBKeyWriter::DelayByte(int delayMs, bool release) {
  const int d = std::clamp(delayMs, 0, 31000);
  int unit = 0;
  int n = 1;
  if (d <= 10) {
    unit = 0, n = 1;
  } else if (d <= 310) {
    unit = 0, n = d / 10;
  } else if (d <= 1550) {
    unit = 1, n = d / 50;
  } else if (d <= 3100) {
    unit = 1, n = d / 100;  // 100 ms steps share the 50 ms unit value
  } else {
    unit = 3, n = d / 1000;
  }
  const int byte = (release ? 0x80 : 0) + unit * 0x20 + n;
  return byte == 0 ? 1 : Byte(byte);
}

// The request bytes stay in the table where a reply cannot be read.
FamilyBKeyWriter::SlotTable FamilyBKeyWriter::readSlotTable() {
  SlotTable table{};
  const HidManager::Feature request = frames::Feature({kFeatureId, 0xFB, 0x01});
  std::copy_n(request.begin(), request.size(), table.begin());
  // No other frame may come between the request and its four replies.
  HidSequence sequence(hid_);
  hid_.sendFeatureNow(request);
  for (int i = 0; i < 4 && !hid_.deviceGone(); ++i) {
    clock_.SleepMs(16);
    HidManager::Feature reply = frames::Feature({kFeatureId});
    if (hid_.getFeature(reply) >= 8) std::copy_n(reply.begin() + 1, 7, table.begin() + 7 * i);
  }
  return table;
}

void FamilyBKeyWriter::writeRemapSlot(int profile, int layer, int slot, int keyCode) {
  KeyAssignmentRecord row;
  const bool found = keyCode != 0 && store_.ReadKeyAssignment(profile, layer, keyCode, row);
  if (found && row.macroValue > 0) {
    if (IsType(row.macroType, AssignmentType::Default) || IsSlotMacroType(row.macroType)) return;
    hid_.sendFeature(frames::Feature({kFeatureId, 0xFA, 0x01, Byte(slot), Byte(keyCode), 0x01, Byte(row.macroValue), 0x01}));
    return;
  }
  hid_.sendFeature(frames::Feature({kFeatureId, 0xFA, 0x01, Byte(slot), 0x00, 0x01, 0x00, 0x01}));
}

FamilyBKeyWriter::MacroBlock FamilyBKeyWriter::buildMacroBlock(int keyCode, int slot, int type, int value) {
  MacroBlock block{};
  block[0] = 0x01;
  block[1] = Byte(slot);
  std::vector<std::pair<std::uint8_t, std::uint8_t>> events;
  if (IsType(type, AssignmentType::Shortcut)) {
    block[2] = Byte(keyCode), block[3] = 1;
    const std::vector<int> keys = KeyCodes::shortcutKeys(value);
    for (int key : keys) events.emplace_back(Byte(key), 0x01);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) events.emplace_back(Byte(*it), 0x81);
  } else if (MacroRecord macro; IsType(type, AssignmentType::Macro) && store_.ReadMacro(value, macro)) {
    block[2] = Byte(keyCode), block[3] = Byte(macro.playTimes);
    std::vector<StepRecord> steps;
    store_.ListSteps(value, steps);
    for (const StepRecord& s : steps) {
      if (!IsStep(s.type, StepType::KeyPress) && !IsStep(s.type, StepType::KeyRelease)) continue;
      events.emplace_back(Byte(KeyCodes::toOutputCode(s.value)), DelayByte(s.delayTime, IsStep(s.type, StepType::KeyRelease)));
    }
  }
  const std::size_t count = std::min<std::size_t>(events.size(), kMaxEvents);
  for (std::size_t i = 0; i < count; ++i) {
    block[4 + 2 * i] = events[i].first;
    block[5 + 2 * i] = events[i].second;
  }
  return block;
}

void FamilyBKeyWriter::writeMacroSlot(int keyCode, int slot, int type, int value) {
  const MacroBlock block = buildMacroBlock(keyCode, slot, type, value);
  HidSequence sequence(hid_);
  for (std::size_t j = 0; j < 28 && !hid_.deviceGone(); ++j) {
    HidManager::Feature frame{};
    frame[0] = kFeatureId;
    frame[1] = j == 0 ? 0xF1 : 0x00;
    std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(6 * j), 6, frame.begin() + 2);
    hid_.sendFeature(frame);
  }
}

void FamilyBKeyWriter::clearUsedSlots(int profile, int layer, const SlotTable& table) {
  for (int i = 1; i <= kMacroSlots && !hid_.deviceGone(); ++i) {
    if (table[static_cast<std::size_t>(i)] == 0) continue;
    clock_.SleepMs(16);
    writeMacroSlot(0, i, 0, 0);
  }
  for (int i = 1; i <= kRemapSlots && !hid_.deviceGone(); ++i) {
    if (table[static_cast<std::size_t>(kMacroSlots + i)] == 0) continue;
    clock_.SleepMs(16);
    writeRemapSlot(profile, layer, i, 0);
  }
}

// Rows beyond the keyboard's slots are not written: the software key filter
// serves them, as it serves every assignment.
void FamilyBKeyWriter::applyAllKeys(int profile, int layer) {
  clearUsedSlots(profile, layer, readSlotTable());
  std::vector<KeyAssignmentRecord> rows;
  store_.ListKeyAssignments(profile, layer, rows);
  int macroSlot = 1;
  int remapSlot = 1;
  for (const KeyAssignmentRecord& row : rows) {
    if (hid_.deviceGone()) return;
    if (IsType(row.macroType, AssignmentType::Default)) continue;
    const bool toMacroSlot = IsSlotMacroType(row.macroType);
    if (toMacroSlot ? macroSlot > kMacroSlots : remapSlot > kRemapSlots) continue;
    clock_.SleepMs(16);
    if (toMacroSlot) {
      writeMacroSlot(row.keyCode, macroSlot++, row.macroType, row.macroValue);
    } else {
      writeRemapSlot(profile, layer, remapSlot++, row.keyCode);
    }
  }
}
