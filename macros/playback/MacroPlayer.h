// Carries out key assignments in software on the virtual device: keys and
// media keys, mouse buttons and built-in shortcuts at once from the key
// filter's thread, macros on the worker with their delays, repeat counts and
// loop modes. A press of an assigned key ends a toggle macro; the release of
// a macro key ends a hold macro.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "store/Records.h"

class Clock;
class MacroQueue;
class ProfileStore;
class VHidev;

/// How a macro repeats (t_macro_data.loop_type); the numbers are stored in the database.
enum class MacroLoop : int {
  Count = 0,              ///< play_times passes
  WhileHeld = 16,         ///< until a macro key is released
  UntilPressedAgain = 32  ///< until an assigned key is pressed
};

class MacroPlayer {
 public:
  /// Pause between the key steps of a built-in shortcut, in milliseconds.
  static constexpr std::uint32_t kShortcutStepMs = 10;
  /// Shortest pause after a macro step, in milliseconds.
  static constexpr int kMinimumStepMs = 5;
  /// Longest slice of a step's pause; a stop is noticed between slices.
  static constexpr std::uint32_t kStopCheckMs = 50;

  /// Everything must outlive the player; the clock takes every pause.
  MacroPlayer(VHidev& device, ProfileStore& store, MacroQueue& queue, Clock& clock);

  /// Replaces the key-to-row map with the rows the key filter was programmed with.
  void setAssignedKeys(const std::vector<KeyAssignmentRecord>& rows);
  /// The key filter's callback: ends a toggle macro on a press, then performs the key's assignment; always true.
  bool onFilterKey(int keyCode, bool pressed);
  /// Performs one assignment row for a press or a release.
  void executeAssignment(const KeyAssignmentRecord& row, bool pressed);
  /// Plays built-in shortcut 1-15 on the keyboard report; other values do nothing.
  void playShortcut(int value);
  /// Plays a macro to its end (or until stopped); run by the worker. Step pauses are clamped to the recorder's longest delay.
  void playMacro(std::uint32_t macroId);

  /// Releases every key, button and media key on the device (profile switch).
  void releaseAll();
  /// Ends a playing macro after its current step, ignores later filter keys and macros, releases everything (exit).
  void shutDown();

  /// Loop type of the macro being played, 0 when none.
  int playingLoopType() const;
  /// True while a looping macro has been told to end.
  bool stopRequested() const;

 private:
  std::optional<KeyAssignmentRecord> FindRow(int keyCode) const;
  void PlayKeyAssignment(int outputCode, int modifierBits, bool pressed);
  void SetModifiers(int modifierBits, bool pressed);
  void PlayMouseAssignment(int mouseCode, bool pressed);
  void PlayShortcutAssignment(int value);
  void HandleMacroKey(int macroId, bool pressed);
  void PlayOutputCode(int outputCode, bool pressed);
  void PlayPasses(std::uint32_t macroId, const MacroRecord& macro);
  bool PlayPass(std::uint32_t macroId);
  void SleepUnlessStopped(int milliseconds);
  bool StopWanted() const;

  VHidev& device_;
  ProfileStore& store_;
  MacroQueue& queue_;
  Clock& clock_;

  mutable std::mutex rowsMutex_;
  std::unordered_map<int, KeyAssignmentRecord> rows_;  // by key code, guarded by rowsMutex_

  // Shared between the key filter's thread and the worker.
  std::atomic<int> playingLoopType_{0};
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> shutDown_{false};
};
