#include "macros/recorder/MacroRecorder.h"

#include <algorithm>
#include <array>

namespace {

// Keypad keys as the hook reports them with Num Lock off: a plain (not
// extended) navigation scan code. They are recorded as the keypad digits.
struct KeypadRow {
  int scanCode;
  int virtualKey;
};
constexpr auto kKeypad = std::to_array<KeypadRow>({
    {71, 103}, {72, 104}, {73, 105}, {75, 100}, {76, 101}, {77, 102},
    {79, 97},  {80, 98},  {81, 99},  {82, 96},  {83, 110},
});
constexpr int kEnterScanCode = 28;
constexpr int kKeypadEnter = 108;

// Browser, media and launch keys: never recorded.
constexpr int kFirstIgnoredKey = 166;
constexpr int kLastIgnoredKey = 183;

}  // namespace

MacroRecorder::MacroRecorder(KeyboardHook& hook, RecordList& list) : hook_(hook), list_(list) {}

MacroRecorder::~MacroRecorder() {
  // Uninstalling waits for a delivery in progress, which may still call us.
  manager_.reset();
}

bool MacroRecorder::startRecording(int macroId, DelayMode delayMode, int fixedDelayMs) {
  if (macroId <= 0) return false;
  // The earlier hook goes first, so no stale event lands in the new recording.
  manager_.reset();
  {
    std::lock_guard lock(mutex_);
    delayMode_ = delayMode;
    fixedDelayMs_ = fixedDelayMs;
    previousTime_.reset();
    held_.clear();
    mode_ = CaptureMode::Recording;
  }
  manager_ = std::make_unique<KeyboardHookManager>(hook_);
  manager_->subscribe(*this);
  manager_->install();
  return true;
}

void MacroRecorder::stopRecording() {
  manager_.reset();
  std::lock_guard lock(mutex_);
  mode_ = CaptureMode::Idle;
  previousTime_.reset();
}

void MacroRecorder::beginKeyCapture() {
  std::lock_guard lock(mutex_);
  if (mode_ == CaptureMode::Idle) mode_ = CaptureMode::KeyCapture;
}

void MacroRecorder::endKeyCapture() {
  std::lock_guard lock(mutex_);
  if (mode_ == CaptureMode::KeyCapture) mode_ = CaptureMode::Idle;
}

CaptureMode MacroRecorder::captureMode() const {
  std::lock_guard lock(mutex_);
  return mode_;
}

long MacroRecorder::onHookMessage(std::uint32_t message, KeyMessage keyMessage, const HookKeyRecord& record) {
  if (message != KeyboardHookManager::kHookMessage) return 0;
  std::optional<Step> step;
  {
    std::lock_guard lock(mutex_);
    if (mode_ != CaptureMode::Recording) return 0;
    step = takeEventLocked(keyMessage, record);
  }
  if (step) {
    if (step->delayOfPrevious) list_.UpdateDelayTime(*step->delayOfPrevious);
    list_.AddString(step->name, static_cast<int>(step->type), step->virtualKey, 0);
  }
  // While recording every key is kept from the system, recorded or not.
  return 1;
}

std::optional<MacroRecorder::Step> MacroRecorder::takeEventLocked(KeyMessage keyMessage,
                                                                  const HookKeyRecord& record) {
  const bool down = keyMessage == KeyMessage::KeyDown || keyMessage == KeyMessage::SysKeyDown;
  const bool up = keyMessage == KeyMessage::KeyUp || keyMessage == KeyMessage::SysKeyUp;
  if (!down && !up) return std::nullopt;
  const int hookKey = adjustedVirtualKey(record);
  if (hookKey == 0) return std::nullopt;
  std::u16string name = KeyCodes::keyDisplayName(hookKey, record.scanCode);
  const int virtualKey = KeyCodes::recordedVirtualKey(hookKey);
  if (isIgnored(virtualKey)) return std::nullopt;
  if (down) {
    // A key already held is auto-repeating: one press per hold.
    if (!held_.insert(virtualKey).second) return std::nullopt;
  } else {
    held_.erase(virtualKey);
  }
  return Step{std::move(name), down ? StepType::KeyPress : StepType::KeyRelease, virtualKey, delayLocked(record.time)};
}

std::optional<int> MacroRecorder::delayLocked(std::uint64_t eventTime) {
  int elapsed = 0;
  if (previousTime_) {
    const auto difference = static_cast<std::int64_t>(eventTime - *previousTime_);
    elapsed = difference < 0 || difference > kMaxDelayMs ? kMaxDelayMs : static_cast<int>(difference);
  }
  previousTime_ = eventTime;
  int delay = 0;
  if (delayMode_ == DelayMode::Measured) delay = elapsed;
  if (delayMode_ == DelayMode::Fixed) delay = fixedDelayMs_;
  return delay != 0 ? std::optional<int>(delay) : std::nullopt;
}

int MacroRecorder::adjustedVirtualKey(const HookKeyRecord& record) {
  const bool extended = (record.flags & HookKeyRecord::kExtended) != 0;
  if (!extended) {
    const auto row = std::ranges::find(kKeypad, record.scanCode, &KeypadRow::scanCode);
    if (row != kKeypad.end()) return row->virtualKey;
  } else if (record.scanCode == kEnterScanCode) {
    return kKeypadEnter;
  }
  return record.virtualKey;
}

bool MacroRecorder::isIgnored(int virtualKey) {
  return virtualKey >= kFirstIgnoredKey && virtualKey <= kLastIgnoredKey;
}
