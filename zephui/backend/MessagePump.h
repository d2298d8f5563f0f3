// Retrieval and dispatch on the calling thread, in the usual order: calls sent
// from other threads first, then posted messages and input, then WM_QUIT, then
// WM_PAINT, then timers.
#pragma once

#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

/// Whether retrieval may sleep.
enum class WaitMode { Wait, NoWait };

/// The calling thread's message retrieval.
class MessagePump {
 public:
  /// Takes the next message; with NoWait, false when there is none.
  static bool Take(MSG& out, WaitMode mode);
  /// Sleeps until there is something to take.
  static void WaitForWork();
  /// Posts the characters a key-down typed, in front of the queue; true when there were any.
  static bool Translate(const MSG& msg);
  /// Hands a message to its procedure, timer callback or the library's own handling.
  static LRESULT Dispatch(const MSG& msg);

 private:
  static bool TakeReady(MSG& out);
  static LRESULT DispatchInternal(const MSG& msg);
};

}  // namespace ZephUI::Backend
