// How a thread sleeps until its queue has work: woken from other threads, by
// the backend's own events, or when a deadline on the backend's clock passes.
#pragma once

#include <cstdint>
#include <optional>

namespace ZephUI::Backend {

/// The sleeping place of one thread's message queue.
class NativeWaiter {
 public:
  virtual ~NativeWaiter() = default;

  /// Makes the next or current Wait return; callable from any thread.
  virtual void Wake() = 0;
  /// Sleeps until woken, until the backend has delivered events, or until the clock reaches `deadlineMs`.
  virtual void Wait(std::optional<std::uint64_t> deadlineMs) = 0;
};

}  // namespace ZephUI::Backend
