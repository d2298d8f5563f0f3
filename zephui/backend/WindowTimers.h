// Window timers and the hover notice of TrackMouseEvent: both come due on the
// backend clock and are turned into messages when a thread has nothing else.
#pragma once

#include <cstdint>
#include <optional>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class ThreadQueue;

/// Timer bookkeeping; any thread.
class WindowTimers {
 public:
  /// Starts or restarts a timer; nonzero on success.
  static std::uintptr_t Set(HWND hwnd, std::uintptr_t id, std::uint32_t periodMs, TIMERPROC proc);
  /// Stops a timer; false when it did not run.
  static bool Kill(HWND hwnd, std::uintptr_t id);
  /// True when the timer runs with this callback.
  static bool Runs(HWND hwnd, std::uintptr_t id, TIMERPROC proc);
  /// The earliest due timer or hover notice of the queue's windows as a message; false when none is due.
  static bool TakeDue(const ThreadQueue& queue, MSG& out);
  /// When the queue's next timer or hover notice comes due.
  static std::optional<std::uint64_t> NextDue(const ThreadQueue& queue);
};

}  // namespace ZephUI::Backend
