// Delivery of messages to window procedures: posting to a thread's queue,
// calling directly on the owning thread, and marshalling calls from other
// threads (the caller serves calls sent to itself while it waits, so two
// threads sending to each other do not deadlock).
#pragma once

#include <functional>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class ThreadQueue;

/// Message delivery.
class Messenger {
 public:
  /// Queues a message; a null window means the calling thread. False when the window is gone.
  static bool Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  /// Calls the procedure on the owning thread and returns its result; 0 for no window.
  static LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  /// Calls the procedure on the calling thread (DefWindowProc when it has none); 0 for no window.
  static LRESULT Call(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  /// Runs `task` on the thread owning the window (directly when already there); 0 for no window.
  static LRESULT RunOnOwner(HWND hwnd, const std::function<LRESULT()>& task);
  /// Runs every call other threads have sent to the calling thread.
  static void ServeCalls(ThreadQueue& queue);
};

}  // namespace ZephUI::Backend
