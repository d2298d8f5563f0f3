// A thread's sleeping place under X11: poll on its own eventfd (wake-ups from
// other threads), the X connection and the queued-events signal, with the
// next timer as the timeout; also the extra sources the thread watches
// (FdWatches).
#pragma once

#include "backend/NativeWaiter.h"

namespace ZephUI::Backend {

class X11Backend;

/// Waiter of one thread's queue.
class X11Waiter final : public NativeWaiter {
 public:
  /// The backend must outlive the waiter.
  explicit X11Waiter(X11Backend& backend);
  ~X11Waiter() override;
  X11Waiter(const X11Waiter&) = delete;
  X11Waiter& operator=(const X11Waiter&) = delete;

  void Wake() override;
  void Wait(std::optional<std::uint64_t> deadlineMs) override;

 private:
  X11Backend& backend_;
  int wakeFd_ = -1;
};

}  // namespace ZephUI::Backend
