#include "tests/demo/PassedKeyLog.h"

void PassedKeyLog::Add(int code) {
  std::lock_guard lock(mutex_);
  keys_.push_back(code);
  if (keys_.size() > kKept) keys_.pop_front();
  ++changes_;
}

std::vector<int> PassedKeyLog::Keys() const {
  std::lock_guard lock(mutex_);
  return {keys_.begin(), keys_.end()};
}

std::uint64_t PassedKeyLog::ChangeCount() const {
  std::lock_guard lock(mutex_);
  return changes_;
}
