// A thread's sleeping place under the virtual clock: it wakes when work is
// queued or the clock moves; in AutoAdvance mode a deadline moves the clock.
// While the thread watches extra sources (FdWatches) it sleeps in poll on
// them and an eventfd instead.
#pragma once

#include <atomic>

#include "backend/NativeWaiter.h"

namespace ZephUI::Backend {

class HeadlessBackend;

/// Waiter of one thread's queue.
class HeadlessWaiter final : public NativeWaiter {
 public:
  /// Registers with the backend so clock moves wake it.
  explicit HeadlessWaiter(HeadlessBackend& backend);
  ~HeadlessWaiter() override;
  HeadlessWaiter(const HeadlessWaiter&) = delete;
  HeadlessWaiter& operator=(const HeadlessWaiter&) = delete;

  void Wake() override;
  void Wait(std::optional<std::uint64_t> deadlineMs) override;

 private:
  void PollWatched();

  HeadlessBackend& backend_;
  // Waited on without a lock, so the backend may wake it while holding its list of waiters.
  std::atomic<bool> signalled_{false};
  int wakeFd_ = -1;  // readable after Wake, for the sleep in poll
};

}  // namespace ZephUI::Backend
