#include "backend/PaintCycle.h"

#include "backend/MessageBuilder.h"
#include "backend/Messenger.h"
#include "backend/RectMath.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"

namespace ZephUI::Backend {
namespace {

WindowTable& Table() { return WindowSystem::Get().Table(); }

bool Shown(const WindowState& state, const WindowRecord& record) {
  const WindowRecord* top = state.FindLocal(state.TopLevelOf(record.hwnd));
  return state.VisibleDeep(record.hwnd) && top != nullptr && !top->Minimized();
}

}  // namespace

bool PaintCycle::Invalidate(HWND hwnd, const Rect* rect) {
  const auto queue = Table().With([hwnd, rect](WindowState& state) -> std::shared_ptr<ThreadQueue> {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return nullptr;
    const Rect client = record->ClientRect();
    record->invalid = Union(record->invalid, rect != nullptr ? Intersect(*rect, client) : client);
    return record->queue;
  });
  if (!queue) return false;
  queue->Wake();
  return true;
}

bool PaintCycle::Validate(HWND hwnd, const Rect* rect) {
  return Table().With([hwnd, rect](WindowState& state) {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return false;
    // The update area is one rectangle, so only a covering rectangle can empty it.
    if (rect == nullptr || Covers(*rect, record->invalid)) record->invalid = Rect{};
    return true;
  });
}

Rect PaintCycle::UpdateRect(HWND hwnd) {
  return Table().With([hwnd](WindowState& state) {
    const WindowRecord* record = state.FindLocal(hwnd);
    return record != nullptr ? Union(record->invalid, record->painting) : Rect{};
  });
}

Rect PaintCycle::Begin(HWND hwnd) {
  return Table().With([hwnd](WindowState& state) {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return Rect{};
    record->painting = Union(record->invalid, record->painting);
    record->invalid = Rect{};
    return record->painting;
  });
}

bool PaintCycle::TakePaint(const ThreadQueue& queue, MSG& out) {
  const HWND hwnd = Table().With([&queue](WindowState& state) -> HWND {
    for (const auto& [key, record] : state.windows) {
      if (record->queue.get() == &queue && !IsEmpty(record->invalid) && Shown(state, *record)) return record->hwnd;
    }
    return nullptr;
  });
  if (hwnd == nullptr) return false;
  out = MessageBuilder::Make(hwnd, WM_PAINT, 0, 0);
  return true;
}

LRESULT PaintCycle::Dispatch(const MSG& msg) {
  // Moving the update rectangle aside first means a handler that never calls
  // BeginPaint does not get WM_PAINT forever, and what it invalidates while
  // painting comes back as a new WM_PAINT.
  Begin(msg.hwnd);
  const LRESULT result = Messenger::Call(msg.hwnd, WM_PAINT, msg.wParam, msg.lParam);
  Table().With([&msg](WindowState& state) {
    if (WindowRecord* record = state.FindLocal(msg.hwnd)) record->painting = Rect{};
  });
  return result;
}

}  // namespace ZephUI::Backend
