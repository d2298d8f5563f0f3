// A synchronous call waiting in another thread's queue: a message sent to one
// of its windows, or a task that must run on that thread. It lives on the
// sender's stack; the sender waits until `done`.
#pragma once

#include <functional>
#include <memory>

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class ThreadQueue;

/// One cross-thread call.
struct SentCall {
  HWND hwnd = nullptr;                 ///< target window
  UINT message = 0;                    ///< message, when `task` is empty
  WPARAM wParam = 0;                   ///< first parameter
  LPARAM lParam = 0;                   ///< second parameter
  std::function<LRESULT()> task;       ///< work to run on the owning thread instead of a message
  std::shared_ptr<ThreadQueue> sender; ///< queue of the waiting thread
  LRESULT result = 0;                  ///< written under the sender's lock
  bool done = false;                   ///< written under the sender's lock
};

}  // namespace ZephUI::Backend
