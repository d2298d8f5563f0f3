#include "backend/WindowTimers.h"

#include <algorithm>

#include "backend/MessageBuilder.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

// The shortest period a timer may have.
constexpr std::uint32_t kMinimumPeriodMs = 10;

WindowTable& Table() { return WindowSystem::Get().Table(); }

std::uint64_t Now() { return WindowSystem::Get().Native().NowMs(); }

struct DueTimer {
  HWND hwnd = nullptr;
  std::uintptr_t id = 0;
  TIMERPROC proc = nullptr;
};

// Takes the earliest due timer of the queue's windows and schedules its next expiry.
std::optional<DueTimer> TakeDueTimer(WindowState& state, const ThreadQueue& queue, std::uint64_t now) {
  WindowTimer* best = nullptr;
  HWND owner = nullptr;
  for (const auto& [key, record] : state.windows) {
    if (record->queue.get() != &queue) continue;
    for (WindowTimer& timer : record->timers) {
      if (timer.dueMs > now) continue;
      if (best == nullptr || timer.dueMs < best->dueMs || (timer.dueMs == best->dueMs && timer.sequence < best->sequence)) {
        best = &timer;
        owner = record->hwnd;
      }
    }
  }
  if (best == nullptr) return std::nullopt;
  best->dueMs = now + best->periodMs;
  return DueTimer{owner, best->id, best->proc};
}

bool HoverIsOurs(const WindowState& state, const ThreadQueue& queue) {
  const WindowRecord* record = state.FindLocal(state.tracking.hwnd);
  return record != nullptr && record->queue.get() == &queue && (state.tracking.flags & TME_HOVER) != 0;
}

}  // namespace

std::uintptr_t WindowTimers::Set(HWND hwnd, std::uintptr_t id, std::uint32_t periodMs, TIMERPROC proc) {
  const std::uint32_t period = std::max(periodMs, kMinimumPeriodMs);
  const std::uint64_t now = Now();
  const auto queue = Table().With([&](WindowState& state) -> std::shared_ptr<ThreadQueue> {
    WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr || record->destroying) return nullptr;
    std::erase_if(record->timers, [id](const WindowTimer& t) { return t.id == id; });
    record->timers.push_back(WindowTimer{id, period, now + period, state.nextTimerSequence++, proc});
    return record->queue;
  });
  if (!queue) return 0;
  queue->Wake();  // its wait may have to end sooner now
  return id != 0 ? id : 1;
}

bool WindowTimers::Kill(HWND hwnd, std::uintptr_t id) {
  return Table().With([&](WindowState& state) {
    WindowRecord* record = state.FindLocal(hwnd);
    return record != nullptr && std::erase_if(record->timers, [id](const WindowTimer& t) { return t.id == id; }) > 0;
  });
}

bool WindowTimers::Runs(HWND hwnd, std::uintptr_t id, TIMERPROC proc) {
  return Table().With([&](WindowState& state) {
    const WindowRecord* record = state.FindLocal(hwnd);
    if (record == nullptr) return false;
    return std::any_of(record->timers.begin(), record->timers.end(),
                       [&](const WindowTimer& t) { return t.id == id && t.proc == proc; });
  });
}

bool WindowTimers::TakeDue(const ThreadQueue& queue, MSG& out) {
  const std::uint64_t now = Now();
  const auto timer = Table().With([&](WindowState& state) { return TakeDueTimer(state, queue, now); });
  if (timer) {
    out = MessageBuilder::Make(timer->hwnd, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->proc));
    return true;
  }
  const auto hover = Table().With([&](WindowState& state) -> std::optional<std::pair<HWND, Point>> {
    if (!HoverIsOurs(state, queue) || state.tracking.hoverDueMs > now) return std::nullopt;
    state.tracking.flags &= ~TME_HOVER;
    const Point origin = state.ClientOrigin(state.tracking.hwnd);
    return std::pair(state.tracking.hwnd, Point{state.tracking.anchor.x - origin.x, state.tracking.anchor.y - origin.y});
  });
  if (!hover) return false;
  out = MessageBuilder::Make(hover->first, WM_MOUSEHOVER, WindowSystem::Get().Keys().MouseFlags(),
                             MAKELPARAM(hover->second.x, hover->second.y));
  return true;
}

std::optional<std::uint64_t> WindowTimers::NextDue(const ThreadQueue& queue) {
  return Table().With([&queue](WindowState& state) {
    std::optional<std::uint64_t> due;
    const auto consider = [&due](std::uint64_t t) { due = due ? std::min(*due, t) : t; };
    for (const auto& [key, record] : state.windows) {
      if (record->queue.get() != &queue) continue;
      for (const WindowTimer& timer : record->timers) consider(timer.dueMs);
    }
    if (HoverIsOurs(state, queue)) consider(state.tracking.hoverDueMs);
    return due;
  });
}

}  // namespace ZephUI::Backend
