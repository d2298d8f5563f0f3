// One recording of keystrokes into the selected macro: the hook the window
// gives (the keyboard grab on X11, else the evdev hook), the recorder with
// its delay, auto-repeat and ignored-key rules, and the queue its events
// wait in until the window's thread shows them.
#pragma once

#include <memory>

#include "macros/recorder/MacroRecorder.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class CRecordList;
}
class KeyboardHook;
class MacroPageHost;
class RecordSink;

class MacroRecording {
 public:
  explicit MacroRecording(MacroPageHost& host);
  /// Ends a recording still running; its keys go back to the system.
  ~MacroRecording();

  /// Starts recording into the macro with these delay rules; false when there is no macro.
  bool Start(int macroId, DelayMode delayMode, int fixedDelayMs);
  /// Ends the recording and moves every event still waiting into `list`.
  void Stop(ZephUI::CRecordList& list);
  /// Whether a recording runs.
  bool Active() const { return recorder_ != nullptr; }
  /// A grabbed key (message 1654); 1 when the recording consumed it.
  ZephUI::LRESULT OnHookKey(ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  /// Shows the events waiting (the window's announcement arrived).
  void ShowWaiting(ZephUI::CRecordList& list);

 private:
  void End();

  MacroPageHost& host_;
  std::unique_ptr<RecordSink> sink_;
  std::unique_ptr<KeyboardHook> hook_;
  std::unique_ptr<MacroRecorder> recorder_;  // goes first: it removes the hook it installed
};
