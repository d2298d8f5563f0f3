#include "mainwindow/macropage/RecordSink.h"

#include <utility>

#include "zephui/CRecordList.h"
#include "zephui/Message.h"

using namespace ZephUI;

RecordSink::RecordSink(HWND window, UINT message) : window_(window), message_(message) {}

void RecordSink::UpdateDelayTime(int delayMs) { Push(Event{true, {}, 0, 0, delayMs}); }

void RecordSink::AddString(const std::u16string& name, int type, int virtualKey, int delayMs) {
  Push(Event{false, name, type, virtualKey, delayMs});
}

void RecordSink::Push(Event event) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    first = waiting_.empty();
    waiting_.push_back(std::move(event));
  }
  // One announcement per batch: the drain takes everything that waits.
  if (first && window_ != nullptr) PostMessage(window_, message_, 0, 0);
}

int RecordSink::DrainInto(CRecordList& list) {
  std::vector<Event> events;
  {
    std::lock_guard lock(mutex_);
    events.swap(waiting_);
  }
  int added = 0;
  for (Event& event : events) {
    if (event.delayOnly) {
      list.UpdateDelayTime(event.delayMs);
      continue;
    }
    list.AddString(std::move(event.name), event.type, event.virtualKey, event.delayMs);
    ++added;
  }
  return added;
}
