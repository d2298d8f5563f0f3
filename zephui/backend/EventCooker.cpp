#include "backend/EventCooker.h"

#include <utility>
#include <vector>

#include "backend/FocusController.h"
#include "backend/MessageBuilder.h"
#include "backend/NativeAccess.h"
#include "backend/Messenger.h"
#include "backend/PointerRouting.h"
#include "backend/ThreadQueue.h"
#include "backend/WindowPlacement.h"
#include "backend/WindowSystem.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {
namespace {

WindowTable& Table() { return WindowSystem::Get().Table(); }

// A message for a window of another thread goes there; true when it is the calling thread's.
bool KeepHere(const MSG& msg) {
  const auto queue = WindowSystem::Get().QueueOf(msg.hwnd);
  if (!queue) return false;
  if (queue->IsOwnerThread()) return true;
  queue->Post(msg);
  return false;
}

std::uint32_t GenericKey(std::uint32_t vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

struct KeyTarget {
  HWND hwnd = nullptr;
  bool hasFocus = false;
};

KeyTarget FindKeyTarget() {
  return Table().With([](WindowState& state) {
    const HWND target = state.focus != nullptr ? state.focus : state.active;
    if (target == nullptr || !state.EnabledDeep(target)) return KeyTarget{};
    return KeyTarget{target, state.focus != nullptr};
  });
}

bool IsPointerKind(NativeEventKind kind) {
  return kind == NativeEventKind::PointerMove || kind == NativeEventKind::ButtonDown ||
         kind == NativeEventKind::ButtonUp || kind == NativeEventKind::Wheel || kind == NativeEventKind::PointerLeft;
}

void TellProgramDeactivated() {
  const std::vector<HWND> tops = Table().With([](WindowState& state) {
    std::vector<HWND> all;
    for (const auto& [key, record] : state.windows) {
      if (record->foreignId == 0 && !record->IsChild()) all.push_back(record->hwnd);
    }
    return all;
  });
  for (HWND hwnd : tops) Messenger::Post(hwnd, WM_ACTIVATEAPP, 0, 0);
}

// The window manager focused a window disabled by a modal dialog: the dialog takes the focus back.
void GiveBackFocus(HWND popup) {
  const bool active = Table().With([popup](WindowState& state) { return state.active == popup; });
  if (!active) {
    FocusController::Activate(popup, WA_ACTIVE, NativeFocus::Request);
    return;
  }
  NativeAccess::Apply(popup, [](NativeWindow& w) {
    w.Raise();
    w.RequestFocus();
  });
}

}  // namespace

bool EventCooker::Cook(const NativeEvent& event, ThreadQueue& queue, MSG& out) {
  if (IsPointerKind(event.kind)) return CookPointer(event, out);
  switch (event.kind) {
    case NativeEventKind::KeyDown:
    case NativeEventKind::KeyUp:
      return CookKey(event, queue, out);
    case NativeEventKind::Text:
      return CookText(event, queue, out);
    default:
      return CookWindowEvent(event, out);
  }
}

bool EventCooker::CookPointer(const NativeEvent& event, MSG& out) {
  PointerRouting::RecordState(event);
  const bool moving = Table().With([](WindowState& state) { return state.moveLoop.has_value(); });
  if (moving) {
    if (event.kind == NativeEventKind::PointerMove || event.kind == NativeEventKind::ButtonUp) {
      WindowPlacement::ContinueMove(event.screen, event.kind == NativeEventKind::ButtonUp ? MoveStep::Finish : MoveStep::Follow);
    }
    return false;
  }
  const PointerTarget target = PointerRouting::Resolve(event);
  PointerRouting::CheckLeave(event, target);
  if (target.hwnd == nullptr) return false;
  if (event.kind == NativeEventKind::PointerMove && PointerRouting::IsRepeatedMove(event, target.hwnd)) return false;
  LRESULT hit = HTCLIENT;
  if (!target.captured) {
    const bool enabled = Table().With([&target](WindowState& state) { return state.EnabledDeep(target.hwnd); });
    if (!enabled) {
      // A press on a window disabled by a modal dialog brings that dialog forward.
      const HWND popup = Table().With([&target](WindowState& state) { return state.EnabledPopupOf(state.TopLevelOf(target.hwnd)); });
      if (event.kind == NativeEventKind::ButtonDown && popup != nullptr) FocusController::Activate(popup, WA_ACTIVE, NativeFocus::Request);
      return false;
    }
    hit = Messenger::Send(target.hwnd, WM_NCHITTEST, 0, MAKELPARAM(event.screen.x, event.screen.y));
    if (hit == HTNOWHERE || hit == HTTRANSPARENT || hit == HTERROR) return false;
  }
  const UINT message = PointerRouting::MessageFor(event, target.hwnd, hit);
  const bool press = event.kind == NativeEventKind::ButtonDown;
  if (press && !target.captured && PointerRouting::ActivateOnPress(target.hwnd, hit, message)) return false;
  if (!target.captured && (press || event.kind == NativeEventKind::PointerMove)) {
    Messenger::Send(target.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(target.hwnd),
                    MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
  }
  PointerRouting::ApplyCursor(target.hwnd);
  if (event.kind == NativeEventKind::PointerMove) PointerRouting::UpdateHover(event, target.hwnd);
  if (!IsWindow(target.hwnd)) return false;
  out = PointerRouting::Build(event, target.hwnd, hit, message);
  return KeepHere(out);
}

bool EventCooker::CookKey(const NativeEvent& event, ThreadQueue& queue, MSG& out) {
  KeyStateTable& keys = WindowSystem::Get().Keys();
  const bool down = event.kind == NativeEventKind::KeyDown;
  const bool repeat = down ? keys.Press(event.vk) : false;
  if (!down) keys.Release(event.vk);
  const KeyTarget target = FindKeyTarget();
  if (target.hwnd == nullptr) return false;
  const std::uint32_t vk = GenericKey(event.vk);
  const bool alt = keys.IsDown(VK_MENU);
  const bool sys = !target.hasFocus || (alt && !keys.IsDown(VK_CONTROL)) || vk == VK_F10 || vk == VK_MENU;
  const UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  std::uint64_t flags = 1 | ((event.scanCode & 0xFF) << 16) | (alt ? (1u << 29) : 0);
  if (!down || repeat) flags |= 1u << 30;
  if (!down) flags |= 1u << 31;
  out = MessageBuilder::Make(target.hwnd, message, vk, static_cast<LPARAM>(flags));
  if (down) {
    queue.lastKeyText = event.text;
    queue.lastKeyMessage = out;
  }
  return KeepHere(out);
}

bool EventCooker::CookText(const NativeEvent& event, ThreadQueue& queue, MSG& out) {
  const KeyTarget target = FindKeyTarget();
  if (target.hwnd == nullptr || !target.hasFocus || event.text.empty()) return false;
  std::vector<ThreadQueue::Item> rest;
  for (std::size_t i = 1; i < event.text.size(); ++i) rest.emplace_back(MessageBuilder::Make(target.hwnd, WM_CHAR, event.text[i], 1));
  out = MessageBuilder::Make(target.hwnd, WM_CHAR, event.text[0], 1);
  if (!KeepHere(out)) {
    for (auto& item : rest) Messenger::Post(target.hwnd, WM_CHAR, std::get<MSG>(item).wParam, 1);
    return false;
  }
  queue.PushFront(std::move(rest));
  return true;
}

bool EventCooker::CookWindowEvent(const NativeEvent& event, MSG& out) {
  switch (event.kind) {
    case NativeEventKind::Activated: {
      // A focus change read before ours was made is old news by now.
      if (!WindowSystem::Get().Native().HoldsFocus(event.hwnd)) return false;
      const auto [top, popup] = Table().With([&event](WindowState& state) {
        const HWND t = state.TopLevelOf(event.hwnd);
        const bool disabled = state.FindLocal(t) != nullptr && !state.EnabledDeep(t);
        return std::pair(state.Activatable(t) && state.active != t ? t : nullptr, disabled ? state.EnabledPopupOf(t) : nullptr);
      });
      if (top != nullptr) FocusController::Activate(top, WA_ACTIVE, NativeFocus::AlreadyThere);
      if (popup != nullptr) GiveBackFocus(popup);
      return false;
    }
    case NativeEventKind::Deactivated:
      if (!WindowSystem::Get().Native().FocusIsElsewhere()) return false;  // moved between our windows
      // Keys released while another program has the focus are never seen: forget them all.
      WindowSystem::Get().Keys().ReleaseAll();
      FocusController::Activate(nullptr, WA_INACTIVE, NativeFocus::AlreadyThere);
      TellProgramDeactivated();
      return false;
    case NativeEventKind::Configured:
      WindowPlacement::AcceptNativeGeometry(event.hwnd, event.rect);
      return false;
    case NativeEventKind::Minimized:
    case NativeEventKind::Restored:
      WindowPlacement::AcceptNativeShow(event.hwnd, event.kind == NativeEventKind::Minimized ? NativeShow::Minimized : NativeShow::Shown);
      return false;
    case NativeEventKind::Exposed:
      InvalidateRect(event.hwnd, &event.rect);
      return false;
    case NativeEventKind::CloseRequested:
      out = MessageBuilder::Make(event.hwnd, WM_CLOSE, 0, 0);
      return IsWindow(event.hwnd) && KeepHere(out);
    case NativeEventKind::CompositionChanged:
      out = MessageBuilder::Make(event.hwnd, WM_DWMCOMPOSITIONCHANGED, 0, 0);
      return IsWindow(event.hwnd) && KeepHere(out);
    default:
      return false;
  }
}

}  // namespace ZephUI::Backend
