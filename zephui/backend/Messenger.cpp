#include "backend/Messenger.h"

#include "backend/MessageBuilder.h"
#include "backend/SentCall.h"
#include "backend/WindowSystem.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {
namespace {

struct Target {
  std::shared_ptr<ThreadQueue> queue;
  std::uint64_t foreignId = 0;
  WindowProcedure* procedure = nullptr;
  bool exists = false;
};

Target Lookup(HWND hwnd) {
  return WindowSystem::Get().Table().With([hwnd](WindowState& state) {
    const WindowRecord* record = state.Find(hwnd);
    if (record == nullptr) return Target{};
    return Target{record->queue, record->foreignId, record->procedure, true};
  });
}

LRESULT WaitForReply(ThreadQueue& self, SentCall& call) {
  for (;;) {
    Messenger::ServeCalls(self);
    if (self.IsCompleted(call)) return call.result;
    self.Wait(std::nullopt);
  }
}

LRESULT SendAcross(ThreadQueue& target, SentCall& call) {
  call.sender = WindowSystem::Get().CurrentQueue();
  if (!target.AcceptCall(call)) return 0;
  return WaitForReply(*call.sender, call);
}

}  // namespace

bool Messenger::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem& system = WindowSystem::Get();
  if (hwnd == nullptr) return system.CurrentQueue()->Post(MessageBuilder::Make(nullptr, message, wParam, lParam));
  const Target target = Lookup(hwnd);
  if (target.foreignId != 0) return system.Native().PostForeign(target.foreignId, message, wParam, lParam);
  if (!target.queue) return false;
  return target.queue->Post(MessageBuilder::Make(hwnd, message, wParam, lParam));
}

LRESULT Messenger::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Target target = Lookup(hwnd);
  if (target.foreignId != 0) {
    WindowSystem::Get().Native().PostForeign(target.foreignId, message, wParam, lParam);
    return 0;
  }
  if (!target.queue) return 0;
  if (target.queue->IsOwnerThread()) return Call(hwnd, message, wParam, lParam);
  SentCall call;
  call.hwnd = hwnd;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  return SendAcross(*target.queue, call);
}

LRESULT Messenger::Call(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Target target = Lookup(hwnd);
  if (!target.exists || target.foreignId != 0) return 0;
  if (target.procedure == nullptr) return DefWindowProc(hwnd, message, wParam, lParam);
  return target.procedure->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT Messenger::RunOnOwner(HWND hwnd, const std::function<LRESULT()>& task) {
  const Target target = Lookup(hwnd);
  if (!target.queue) return 0;
  if (target.queue->IsOwnerThread()) return task();
  SentCall call;
  call.hwnd = hwnd;
  call.task = task;
  return SendAcross(*target.queue, call);
}

void Messenger::ServeCalls(ThreadQueue& queue) {
  while (SentCall* call = queue.PopCall()) {
    const LRESULT result = call->task ? call->task() : Call(call->hwnd, call->message, call->wParam, call->lParam);
    call->sender->CompleteCall(*call, result);
  }
}

}  // namespace ZephUI::Backend
