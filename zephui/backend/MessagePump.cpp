#include "backend/MessagePump.h"

#include <vector>

#include "backend/EventCooker.h"
#include "backend/InternalMessages.h"
#include "backend/MessageBuilder.h"
#include "backend/Messenger.h"
#include "backend/PaintCycle.h"
#include "backend/WindowSystem.h"
#include "backend/WindowTimers.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {
namespace {

bool SameMessage(const MSG& a, const MSG& b) {
  return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam && a.time == b.time;
}

}  // namespace

bool MessagePump::TakeReady(MSG& out) {
  ThreadQueue& queue = *WindowSystem::Get().CurrentQueue();
  for (;;) {
    Messenger::ServeCalls(queue);
    auto item = queue.PopPosted();
    if (!item) break;
    if (const MSG* msg = std::get_if<MSG>(&*item)) {
      out = *msg;
      return true;
    }
    if (EventCooker::Cook(std::get<NativeEvent>(*item), queue, out)) return true;
  }
  if (const auto code = queue.TakeQuit()) {
    out = MessageBuilder::Make(nullptr, WM_QUIT, static_cast<WPARAM>(*code), 0);
    return true;
  }
  return PaintCycle::TakePaint(queue, out) || WindowTimers::TakeDue(queue, out);
}

bool MessagePump::Take(MSG& out, WaitMode mode) {
  for (;;) {
    if (TakeReady(out)) return true;
    if (mode == WaitMode::NoWait) return false;
    WaitForWork();
  }
}

void MessagePump::WaitForWork() {
  ThreadQueue& queue = *WindowSystem::Get().CurrentQueue();
  queue.Wait(WindowTimers::NextDue(queue));
}

bool MessagePump::Translate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  ThreadQueue& queue = *WindowSystem::Get().CurrentQueue();
  if (queue.lastKeyText.empty() || !SameMessage(queue.lastKeyMessage, msg)) return false;
  const UINT charMessage = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  std::vector<ThreadQueue::Item> chars;
  for (char16_t unit : queue.lastKeyText) chars.emplace_back(MessageBuilder::Make(msg.hwnd, charMessage, unit, msg.lParam));
  queue.lastKeyText.clear();
  queue.PushFront(std::move(chars));
  return true;
}

LRESULT MessagePump::DispatchInternal(const MSG& msg) {
  switch (msg.message) {
    case kRemoteShowWindow: return ShowWindow(msg.hwnd, static_cast<int>(msg.wParam)) ? 1 : 0;
    case kRemoteSetForeground: return SetForegroundWindow(msg.hwnd) ? 1 : 0;
    case kRemoteBringToTop: return BringWindowToTop(msg.hwnd) ? 1 : 0;
    default: return 0;
  }
}

LRESULT MessagePump::Dispatch(const MSG& msg) {
  if (msg.hwnd == nullptr) return 0;
  if (msg.message == WM_TIMER && msg.lParam != 0) {
    const auto proc = reinterpret_cast<TIMERPROC>(msg.lParam);
    // A timer killed after the message was taken no longer calls back.
    if (WindowTimers::Runs(msg.hwnd, msg.wParam, proc)) proc(msg.hwnd, WM_TIMER, msg.wParam, GetTickCount());
    return 0;
  }
  if (msg.message >= WM_ZEPHUI_RESERVED_FIRST && msg.message <= WM_ZEPHUI_RESERVED_LAST) return DispatchInternal(msg);
  const auto owner = WindowSystem::Get().QueueOf(msg.hwnd);
  if (owner && !owner->IsOwnerThread()) return Messenger::Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  if (msg.message == WM_PAINT) return PaintCycle::Dispatch(msg);
  return Messenger::Call(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

}  // namespace ZephUI::Backend
