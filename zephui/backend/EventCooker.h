// Turns native events into window messages on the thread that retrieves them:
// capture routing, hit testing, click activation, cursor requests, double
// clicks, leave and hover tracking, key states and the focus window.
#pragma once

#include "backend/NativeEvent.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class ThreadQueue;

/// Native event processing.
class EventCooker {
 public:
  /// Handles one event; true when it produced a message for the calling thread in `out`.
  static bool Cook(const NativeEvent& event, ThreadQueue& queue, MSG& out);

 private:
  static bool CookPointer(const NativeEvent& event, MSG& out);
  static bool CookKey(const NativeEvent& event, ThreadQueue& queue, MSG& out);
  static bool CookText(const NativeEvent& event, ThreadQueue& queue, MSG& out);
  static bool CookWindowEvent(const NativeEvent& event, MSG& out);
};

}  // namespace ZephUI::Backend
