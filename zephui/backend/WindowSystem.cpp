#include "backend/WindowSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <vector>

#include "backend/BackendFactory.h"
#include "backend/MessageBuilder.h"
#include "zephui/Text.h"

namespace ZephUI::Backend {
namespace {

constexpr int kNoRequest = -1;
std::atomic<int> requestedKind{kNoRequest};
std::mutex programNameLock;
std::u16string programName;  // empty: the executable's name

// Ends the thread's queue and windows with the thread, so calls waiting on it are answered.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    WindowSystem::Get().ForgetWindowsOf(*queue);
    queue->Close();
  }
};

}  // namespace

void WindowSystem::Request(BackendKind kind) { requestedKind = static_cast<int>(kind); }

void WindowSystem::SetProgramName(std::u16string_view name) {
  std::lock_guard lock(programNameLock);
  programName = name;
}

std::u16string WindowSystem::ProgramName() {
  {
    std::lock_guard lock(programNameLock);
    if (!programName.empty()) return programName;
  }
  return ToUtf16(program_invocation_short_name);
}

WindowSystem& WindowSystem::Get() {
  static WindowSystem instance([] {
    const int requested = requestedKind.load();
    return BackendFactory::Create(requested == kNoRequest ? std::nullopt
                                                          : std::optional(static_cast<BackendKind>(requested)));
  }());
  return instance;
}

WindowSystem::WindowSystem(std::unique_ptr<NativeBackend> backend)
    : backend_(std::move(backend)), periodic_(*backend_) {
  backend_->Attach(*this);
}

WindowSystem::~WindowSystem() {
  periodic_.StopAll();
  std::map<std::uint64_t, std::unique_ptr<WindowRecord>> remaining;
  table_.With([&remaining](WindowState& state) { remaining.swap(state.windows); });
  remaining.clear();  // native windows go outside the lock, before the backend
}

std::shared_ptr<ThreadQueue> WindowSystem::CurrentQueue() {
  thread_local QueueHolder holder;
  if (!holder.queue) holder.queue = std::make_shared<ThreadQueue>(backend_->CreateWaiter());
  return holder.queue;
}

std::shared_ptr<ThreadQueue> WindowSystem::QueueOf(HWND hwnd) {
  return table_.With([hwnd](WindowState& state) -> std::shared_ptr<ThreadQueue> {
    const WindowRecord* record = state.FindLocal(hwnd);
    return record != nullptr ? record->queue : nullptr;
  });
}

void WindowSystem::ForgetWindowsOf(const ThreadQueue& queue) {
  std::vector<std::unique_ptr<WindowRecord>> gone;
  table_.With([&queue, &gone](WindowState& state) {
    for (auto it = state.windows.begin(); it != state.windows.end();) {
      if (it->second->queue.get() != &queue) {
        ++it;
        continue;
      }
      const HWND hwnd = it->second->hwnd;
      std::erase(state.zOrder, hwnd);
      for (HWND* ref : {&state.active, &state.focus, &state.capture, &state.lastMoveWindow}) {
        if (*ref == hwnd) *ref = nullptr;
      }
      if (state.tracking.hwnd == hwnd) state.tracking = {};
      gone.push_back(std::move(it->second));
      it = state.windows.erase(it);
    }
  });
  gone.clear();  // native windows go on this thread, outside the lock
}

HWND WindowSystem::RouteTarget(const NativeEvent& event) {
  return table_.With([&event](WindowState& state) -> HWND {
    switch (event.kind) {
      case NativeEventKind::KeyDown:
      case NativeEventKind::KeyUp:
      case NativeEventKind::Text:
        return state.focus != nullptr ? state.focus : state.active;
      case NativeEventKind::PointerMove:
      case NativeEventKind::ButtonDown:
      case NativeEventKind::ButtonUp:
      case NativeEventKind::Wheel:
        if (state.moveLoop) return state.moveLoop->hwnd;
        if (state.capture != nullptr) return state.capture;
        // Over no window of ours, the tracked window still has to hear that the pointer left.
        return event.hwnd != nullptr ? event.hwnd : state.tracking.hwnd;
      case NativeEventKind::Deactivated:
        return state.active;
      default:
        return event.hwnd;
    }
  });
}

void WindowSystem::Deliver(NativeEvent event) {
  if (event.timeMs == 0) event.timeMs = backend_->NowMs();
  const HWND target = RouteTarget(event);
  if (const auto queue = QueueOf(target)) queue->Post(std::move(event));
}

void WindowSystem::DeliverMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto queue = QueueOf(hwnd)) queue->Post(MessageBuilder::Make(hwnd, message, wParam, lParam));
}

void WindowSystem::ClockMoved() { periodic_.CatchUp(); }

void WindowSystem::DisplayLost() {
  std::vector<std::shared_ptr<ThreadQueue>> queues;
  table_.With([&queues](WindowState& state) {
    for (const auto& [key, record] : state.windows) {
      if (record->queue && std::find(queues.begin(), queues.end(), record->queue) == queues.end()) queues.push_back(record->queue);
    }
  });
  for (const auto& queue : queues) queue->PostQuit(0);
}

}  // namespace ZephUI::Backend
