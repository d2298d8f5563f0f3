// The macro page's record list as the recorder sees it: rows with name, type,
// virtual key and delay. UpdateDelayTime changes the last row, as the real
// list does. Safe to fill from a hook thread while a test waits for rows.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "macros/recorder/MacroRecorder.h"

class FakeRecordList : public MacroRecorder::RecordList {
 public:
  /// One record.
  struct Row {
    std::u16string name;  ///< display name
    int type;             ///< 2 press, 3 release
    int virtualKey;       ///< recorded code
    int delay;            ///< milliseconds after the record
    bool operator==(const Row&) const = default;
  };

  /// Sets the delay of the last row (none: nothing happens); every call is counted.
  void UpdateDelayTime(int delayMs) override {
    std::lock_guard lock(mutex_);
    ++delayUpdates_;
    if (!rows_.empty()) rows_.back().delay = delayMs;
  }
  /// Appends a row.
  void AddString(const std::u16string& name, int type, int virtualKey, int delayMs) override {
    std::lock_guard lock(mutex_);
    rows_.push_back({name, type, virtualKey, delayMs});
    changed_.notify_all();
  }
  /// Puts a row in place without going through the recorder (an earlier recording).
  void seed(Row row) {
    std::lock_guard lock(mutex_);
    rows_.push_back(std::move(row));
  }
  /// Every row so far.
  std::vector<Row> rows() {
    std::lock_guard lock(mutex_);
    return rows_;
  }
  /// UpdateDelayTime calls so far.
  int delayUpdates() {
    std::lock_guard lock(mutex_);
    return delayUpdates_;
  }
  /// Waits (up to a generous safety limit) until at least `count` rows exist.
  bool waitForRows(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return rows_.size() >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Row> rows_;
  int delayUpdates_ = 0;
};
