#include "zephui/ModalLoop.h"

#include <mutex>
#include <optional>

#include "backend/MessagePump.h"
#include "backend/WindowSystem.h"
#include "zephui/Message.h"

namespace ZephUI {

struct ModalLoop::State {
  std::mutex mutex;
  std::shared_ptr<Backend::ThreadQueue> queue;  // of the thread running the loop
  bool ended = false;
  bool running = false;
  int code = 0;
};

ModalLoop::ModalLoop() : state_(std::make_unique<State>()) {}

ModalLoop::~ModalLoop() = default;

ModalResult ModalLoop::Run(const Filter& filter) {
  {
    std::lock_guard lock(state_->mutex);
    state_->queue = Backend::WindowSystem::Get().CurrentQueue();
    state_->running = true;
  }
  const auto takeEnd = [this]() -> std::optional<int> {
    std::lock_guard lock(state_->mutex);
    if (!state_->ended) return std::nullopt;
    state_->ended = false;
    state_->running = false;
    return state_->code;
  };
  for (;;) {
    if (const auto code = takeEnd()) return ModalResult{LoopEnd::Ended, *code};
    MSG msg;
    if (!Backend::MessagePump::Take(msg, Backend::WaitMode::NoWait)) {
      Backend::MessagePump::WaitForWork();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the loops outside must end too
      std::lock_guard lock(state_->mutex);
      state_->running = false;
      return ModalResult{LoopEnd::Quit, static_cast<int>(msg.wParam)};
    }
    if (filter && filter(msg)) continue;
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
}

void ModalLoop::End(int code) {
  std::shared_ptr<Backend::ThreadQueue> queue;
  {
    std::lock_guard lock(state_->mutex);
    state_->ended = true;
    state_->code = code;
    queue = state_->queue;
  }
  if (queue) queue->Wake();
}

bool ModalLoop::IsRunning() const {
  std::lock_guard lock(state_->mutex);
  return state_->running;
}

}  // namespace ZephUI
