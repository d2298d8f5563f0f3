// Where a backend hands what it learns: native events for the core to route to
// the owning thread, and messages that other processes posted to our windows.
#pragma once

#include "backend/NativeEvent.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Receiver of backend events; callable from any thread.
class EventSink {
 public:
  virtual ~EventSink() = default;

  /// Queues a native event to the thread that owns the window it concerns.
  virtual void Deliver(NativeEvent event) = 0;
  /// Posts a message that came from another process.
  virtual void DeliverMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  /// The virtual clock moved: periodic timers due by now fire before this returns.
  virtual void ClockMoved() = 0;
  /// The display went away: every thread with windows is asked to quit (WM_QUIT, exit code 0).
  virtual void DisplayLost() = 0;
};

}  // namespace ZephUI::Backend
