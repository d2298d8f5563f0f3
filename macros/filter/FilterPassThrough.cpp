#include "macros/filter/FilterPassThrough.h"

#include <linux/input-event-codes.h>

namespace {
constexpr std::int32_t kRepeat = 2;
}

FilterPassThrough::FilterPassThrough(std::shared_ptr<const KeyFilterTable> table, std::unique_ptr<UinputSink> clone,
                                     CancellableQueue<FilterKeyEvent>& keys)
    : table_(std::move(table)), clone_(std::move(clone)), keys_(keys) {}

void FilterPassThrough::onEvent(const InputEvent& event, ReaderPhase phase) {
  // Before the grab the system gets the event itself.
  if (phase == ReaderPhase::BeforeGrab) return;
  if (event.type == EV_KEY) {
    const std::uint16_t keyCode = KeyFilterTable::layoutCodeOf(event.code);
    if (table_->contains(keyCode)) {
      reportKey(keyCode, event.value);
      return;
    }
  }
  if (event.type == EV_SYN && event.code == SYN_REPORT) {
    flushFrame();
    return;
  }
  // The reader resolves dropped stretches itself; the marker means nothing to the clone.
  if (event.type == EV_SYN && event.code == SYN_DROPPED) return;
  frame_.push_back(event);
}

void FilterPassThrough::reportKey(std::uint16_t keyCode, std::int32_t value) {
  // The scan code the keyboard sends just ahead of a key belongs to that key.
  if (!frame_.empty() && frame_.back().type == EV_MSC && frame_.back().code == MSC_SCAN) frame_.pop_back();
  if (value == kRepeat) return;
  const bool pressed = value != 0;
  if (pressed) {
    reportedHeld_.insert(keyCode);
  } else {
    reportedHeld_.erase(keyCode);
  }
  keys_.push({keyCode, pressed});
}

void FilterPassThrough::flushFrame() {
  // A frame whose only content was reported keys leaves nothing to send,
  // and an empty frame would only add a stray SYN_REPORT.
  if (frame_.empty()) return;
  for (const InputEvent& event : frame_) emit(event);
  emit({EV_SYN, SYN_REPORT, 0});
  frame_.clear();
}

void FilterPassThrough::emit(const InputEvent& event) {
  if (event.type == EV_KEY) {
    if (event.value == 0) {
      clonedHeld_.erase(event.code);
    } else {
      clonedHeld_.insert(event.code);
    }
  }
  clone_->Emit(event.type, event.code, event.value);
}

void FilterPassThrough::onEnded(ReaderEnd why) {
  // An unfinished frame is dropped: half a report is worse than none.
  frame_.clear();
  releaseClonedKeys();
  clone_->Destroy();
  if (why == ReaderEnd::Vanished || why == ReaderEnd::Failed) releaseReportedKeys();
}

void FilterPassThrough::releaseClonedKeys() {
  if (clonedHeld_.empty()) return;
  for (const int code : clonedHeld_) clone_->Emit(EV_KEY, code, 0);
  clone_->Emit(EV_SYN, SYN_REPORT, 0);
  clonedHeld_.clear();
}

void FilterPassThrough::releaseReportedKeys() {
  // Whatever the reported presses started must not outlive the keyboard.
  for (const std::uint16_t keyCode : reportedHeld_) keys_.push({keyCode, false});
  reportedHeld_.clear();
}
