// Update rectangles and WM_PAINT: invalidation from any thread, the paint
// message for a thread with nothing else to do, and the rectangle a paint
// handler works on.
#pragma once

#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI::Backend {

class ThreadQueue;

/// Paint bookkeeping.
class PaintCycle {
 public:
  /// Adds a client rectangle (null: all) to the update rectangle and wakes the owning thread.
  static bool Invalidate(HWND hwnd, const Rect* rect);
  /// Removes a client rectangle (null: all) from the update rectangle when it covers it.
  static bool Validate(HWND hwnd, const Rect* rect);
  /// The rectangle to paint: pending updates plus the one handed to the current WM_PAINT.
  static Rect UpdateRect(HWND hwnd);
  /// Returns UpdateRect and empties the pending part.
  static Rect Begin(HWND hwnd);
  /// WM_PAINT for a shown window of the queue's thread that needs it; false when none does.
  static bool TakePaint(const ThreadQueue& queue, MSG& out);
  /// Dispatches WM_PAINT: the update rectangle moves to the handler's side for the call.
  static LRESULT Dispatch(const MSG& msg);
};

}  // namespace ZephUI::Backend
