// Records the user's keystrokes into the macro page's record list while a
// macro is being recorded, through the keyboard hook. Each record's delay is
// the time until the next event, so every new event first sets the delay of
// the record before it and is then added with delay 0. Delays come from the
// times the hook stamped on the events, not from when they are handled, so a
// busy machine that handles keys late still records the user's rhythm.
//
// The hook delivers on a thread of its own while startRecording and
// stopRecording come from the user-interface thread; the recording state is
// kept under one lock, and the record list is called outside it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "device/KeyCodes.h"
#include "macros/recorder/KeyboardHookManager.h"

/// What the main window does with key input (0, 1, 2 where it is kept as a number).
enum class CaptureMode {
  Idle = 0,        ///< keys go where they go
  Recording = 1,   ///< the hook records every key
  KeyCapture = 2,  ///< the macro page's key field takes one key
};

/// How recorded delays are taken.
enum class DelayMode {
  Measured = 1,  ///< the time between events, at most 31000 ms
  None = 2,      ///< no delays are written
  Fixed = 3,     ///< the fixed delay after every event
};

class MacroRecorder : public KeyboardHookManager::Subscriber {
 public:
  static constexpr int kMaxDelayMs = 31000;        ///< longest measured delay
  static constexpr int kDefaultFixedDelayMs = 10;  ///< fixed delay when the page gives none

  /// Where records go (the macro page's record list).
  class RecordList {
   public:
    virtual ~RecordList() = default;
    /// Sets the delay of the last record.
    virtual void UpdateDelayTime(int delayMs) = 0;
    /// Appends a record: display name, step type (2 press, 3 release), virtual key, delay.
    virtual void AddString(const std::u16string& name, int type, int virtualKey, int delayMs) = 0;
  };

  /// A recorder on `hook` writing to `list` (both must outlive it).
  MacroRecorder(KeyboardHook& hook, RecordList& list);
  /// Stops a recording in progress.
  ~MacroRecorder() override;
  MacroRecorder(const MacroRecorder&) = delete;
  MacroRecorder& operator=(const MacroRecorder&) = delete;

  /// Starts recording into the macro (a positive id) with these delay rules; false when there is no macro.
  bool startRecording(int macroId, DelayMode delayMode, int fixedDelayMs = kDefaultFixedDelayMs);
  /// Removes the hook and returns to idle; the caller then saves the records.
  void stopRecording();
  /// The macro page's key field gained focus: capture mode 2 (not while recording).
  void beginKeyCapture();
  /// The key field lost focus: back to idle.
  void endKeyCapture();
  /// The current capture mode.
  CaptureMode captureMode() const;

  /// Message 1654 from the hook: records the key while recording; non-zero when consumed.
  long onHookMessage(std::uint32_t message, KeyMessage keyMessage, const HookKeyRecord& record) override;

 private:
  struct Step {
    std::u16string name;
    StepType type;
    int virtualKey;
    std::optional<int> delayOfPrevious;
  };

  std::optional<Step> takeEventLocked(KeyMessage keyMessage, const HookKeyRecord& record);
  std::optional<int> delayLocked(std::uint64_t eventTime);
  static int adjustedVirtualKey(const HookKeyRecord& record);
  static bool isIgnored(int virtualKey);

  KeyboardHook& hook_;
  RecordList& list_;
  std::unique_ptr<KeyboardHookManager> manager_;  // touched by start and stop only

  mutable std::mutex mutex_;  // guards the recording state below
  CaptureMode mode_ = CaptureMode::Idle;
  DelayMode delayMode_ = DelayMode::Measured;
  int fixedDelayMs_ = kDefaultFixedDelayMs;
  std::optional<std::uint64_t> previousTime_;
  std::set<int> held_;
};
