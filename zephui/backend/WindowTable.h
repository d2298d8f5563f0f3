// The lock around WindowState. Every access goes through With(), which holds
// the lock only while the given function runs; window procedures and backend
// calls are never made from inside it.
#pragma once

#include <mutex>

#include "backend/WindowState.h"

namespace ZephUI::Backend {

/// WindowState under one lock.
class WindowTable {
 public:
  /// Runs `f(state)` under the lock and returns its result.
  template <typename F>
  auto With(F&& f) {
    std::lock_guard lock(mutex_);
    return f(state_);
  }

 private:
  std::mutex mutex_;
  WindowState state_;
};

}  // namespace ZephUI::Backend
