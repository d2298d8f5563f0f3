#include "macros/playback/MacroPlayer.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "device/Clock.h"
#include "device/KeyCodes.h"
#include "macros/playback/MacroQueue.h"
#include "macros/recorder/MacroRecorder.h"
#include "macros/virtualdevice/VHidev.h"
#include "store/ProfileStore.h"

namespace {

bool Repeats(int loopType) {
  return loopType == static_cast<int>(MacroLoop::WhileHeld) ||
         loopType == static_cast<int>(MacroLoop::UntilPressedAgain);
}

}  // namespace

MacroPlayer::MacroPlayer(VHidev& device, ProfileStore& store, MacroQueue& queue, Clock& clock)
    : device_(device), store_(store), queue_(queue), clock_(clock) {}

void MacroPlayer::setAssignedKeys(const std::vector<KeyAssignmentRecord>& rows) {
  std::unordered_map<int, KeyAssignmentRecord> byKey;
  for (const KeyAssignmentRecord& row : rows) byKey.insert_or_assign(row.keyCode, row);
  std::lock_guard lock(rowsMutex_);
  rows_ = std::move(byKey);
}

bool MacroPlayer::onFilterKey(int keyCode, bool pressed) {
  if (shutDown_) return true;
  int toggle = static_cast<int>(MacroLoop::UntilPressedAgain);
  if (pressed && playingLoopType_.compare_exchange_strong(toggle, 0)) stopRequested_ = true;
  if (const std::optional<KeyAssignmentRecord> row = FindRow(keyCode)) executeAssignment(*row, pressed);
  return true;
}

void MacroPlayer::executeAssignment(const KeyAssignmentRecord& row, bool pressed) {
  if (IsType(row.macroType, AssignmentType::Key)) {
    PlayKeyAssignment(row.macroValue, row.macroValue2, pressed);
  } else if (IsType(row.macroType, AssignmentType::MouseFunction)) {
    PlayMouseAssignment(row.macroValue, pressed);
  } else if (IsType(row.macroType, AssignmentType::Shortcut)) {
    if (pressed) PlayShortcutAssignment(row.macroValue);
  } else if (IsType(row.macroType, AssignmentType::Macro)) {
    HandleMacroKey(row.macroValue, pressed);
  }
}

void MacroPlayer::playShortcut(int value) {
  const std::vector<int> keys = KeyCodes::shortcutKeys(value);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) clock_.SleepMs(kShortcutStepMs);
    device_.setKey(keys[i], true);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    clock_.SleepMs(kShortcutStepMs);
    device_.setKey(*key, false);
  }
}

void MacroPlayer::playMacro(std::uint32_t macroId) {
  if (shutDown_ || !device_.openVirtualDevice()) return;
  device_.resetReports();
  MacroRecord macro;
  if (!store_.ReadMacro(static_cast<int>(macroId), macro)) return;
  // Nobody sets the flag while no looping macro plays, but a stop that raced
  // the end of the previous macro must not cut this one short.
  stopRequested_ = false;
  playingLoopType_ = macro.loopType;
  PlayPasses(macroId, macro);
  // Loop type first: a key event in between must not leave a stale stop behind.
  playingLoopType_ = 0;
  stopRequested_ = false;
}

void MacroPlayer::releaseAll() { device_.resetReports(); }

void MacroPlayer::shutDown() {
  shutDown_ = true;
  stopRequested_ = true;
  // The device refuses presses from here on under its own lock, so a filter
  // key that passed the check above cannot press a key after this reset.
  device_.refusePresses();
}

int MacroPlayer::playingLoopType() const { return playingLoopType_; }

bool MacroPlayer::stopRequested() const { return stopRequested_; }

std::optional<KeyAssignmentRecord> MacroPlayer::FindRow(int keyCode) const {
  std::lock_guard lock(rowsMutex_);
  const auto row = rows_.find(keyCode);
  if (row == rows_.end()) return std::nullopt;
  return row->second;
}

void MacroPlayer::PlayKeyAssignment(int outputCode, int modifierBits, bool pressed) {
  if (!device_.openVirtualDevice()) return;
  if (outputCode < KeyCodes::kFirstConsumerCode) {
    // A combination from the custom key dialog carries its modifiers (picker rows carry none): they go
    // down before the key and come up after it, so the combination really reaches the program.
    if (pressed) SetModifiers(modifierBits, true);
    device_.setKey(outputCode, pressed);
    if (!pressed) SetModifiers(modifierBits, false);
  } else {
    device_.setConsumer(pressed ? KeyCodes::consumerUsage(outputCode) : 0);
  }
}

void MacroPlayer::SetModifiers(int modifierBits, bool pressed) {
  // Modifier bits of a stored combination and the keyboard usages they press.
  constexpr std::pair<int, int> kModifiers[] = {{0x01, 224}, {0x02, 225}, {0x04, 226}, {0x08, 227}};
  for (const auto& [bit, usage] : kModifiers) {
    if ((modifierBits & bit) != 0) device_.setKey(usage, pressed);
  }
}

void MacroPlayer::PlayMouseAssignment(int mouseCode, bool pressed) {
  if (!device_.openVirtualDevice()) return;
  const auto mask = static_cast<unsigned>(KeyCodes::mouseButtonBit(mouseCode));
  if (mask != 0) device_.setMouseButton(std::countr_zero(mask), pressed);
}

void MacroPlayer::PlayShortcutAssignment(int value) {
  if (!device_.openVirtualDevice()) return;
  playShortcut(value);
  device_.resetReports();
}

void MacroPlayer::HandleMacroKey(int macroId, bool pressed) {
  if (pressed) {
    // The worker keeps a macro queued until it has played, so a second macro
    // key during playback finds the queue busy and is ignored.
    if (queue_.Empty()) queue_.Append(static_cast<std::uint32_t>(macroId));
  } else if (playingLoopType_ == static_cast<int>(MacroLoop::WhileHeld)) {
    stopRequested_ = true;
  }
}

void MacroPlayer::PlayOutputCode(int outputCode, bool pressed) {
  if (KeyCodes::isConsumerCode(outputCode)) {
    device_.setConsumer(pressed ? KeyCodes::consumerUsage(outputCode) : 0);
  } else {
    device_.setKey(outputCode, pressed);
  }
}

void MacroPlayer::PlayPasses(std::uint32_t macroId, const MacroRecord& macro) {
  if (Repeats(macro.loopType)) {
    while (!StopWanted() && PlayPass(macroId)) {
    }
    return;
  }
  for (int pass = 0; pass < macro.playTimes && !StopWanted(); ++pass) PlayPass(macroId);
}

bool MacroPlayer::PlayPass(std::uint32_t macroId) {
  std::vector<StepRecord> steps;
  // A looping macro without steps would spin the worker until stopped.
  if (store_.ListSteps(static_cast<int>(macroId), steps) == 0) return false;
  for (const StepRecord& step : steps) {
    PlayOutputCode(KeyCodes::toOutputCode(step.value), IsStep(step.type, StepType::KeyPress));
    SleepUnlessStopped(std::clamp(step.delayTime, kMinimumStepMs, MacroRecorder::kMaxDelayMs));
    if (StopWanted()) break;
  }
  device_.resetReports();
  return true;
}

void MacroPlayer::SleepUnlessStopped(int milliseconds) {
  auto left = static_cast<std::uint32_t>(milliseconds);
  do {
    const std::uint32_t slice = std::min(left, kStopCheckMs);
    clock_.SleepMs(slice);
    left -= slice;
  } while (left > 0 && !StopWanted());
}

bool MacroPlayer::StopWanted() const { return stopRequested_ || shutDown_; }
