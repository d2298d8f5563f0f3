// Where the recorder's events wait for the record list. The evdev hook
// records on its own thread, the grab on the window's; either way the events
// are queued here and shown on the window's thread, in order, when the
// window's message arrives or when recording stops.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "macros/recorder/MacroRecorder.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class CRecordList;
}

class RecordSink : public MacroRecorder::RecordList {
 public:
  /// Events are announced to `window` with `message` when the queue stops being empty.
  RecordSink(ZephUI::HWND window, ZephUI::UINT message);

  void UpdateDelayTime(int delayMs) override;
  void AddString(const std::u16string& name, int type, int virtualKey, int delayMs) override;

  /// Moves every waiting event into the list (window's thread); the number of rows added.
  int DrainInto(ZephUI::CRecordList& list);

 private:
  struct Event {
    bool delayOnly;  // true: set the last row's delay; false: append a row
    std::u16string name;
    int type;
    int virtualKey;
    int delayMs;
  };

  void Push(Event event);

  ZephUI::HWND window_;
  ZephUI::UINT message_;
  std::mutex mutex_;  // guards waiting_
  std::vector<Event> waiting_;
};
