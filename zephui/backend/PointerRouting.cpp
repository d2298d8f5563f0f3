#include "backend/PointerRouting.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "backend/FocusController.h"
#include "backend/MessageBuilder.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/RectMath.h"
#include "backend/WindowSystem.h"
#include "zephui/Cursor.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

// Presses closer than this (each way) to the previous one count as the same spot.
constexpr int kDoubleClickSlop = 2;
// Moves within this distance do not restart the hover time.
constexpr int kHoverSlop = 2;

WindowTable& Table() { return WindowSystem::Get().Table(); }

std::uint32_t ButtonVk(NativeButton button) {
  switch (button) {
    case NativeButton::Left: return VK_LBUTTON;
    case NativeButton::Right: return VK_RBUTTON;
    default: return VK_MBUTTON;
  }
}

UINT DownMessage(NativeButton button) {
  switch (button) {
    case NativeButton::Left: return WM_LBUTTONDOWN;
    case NativeButton::Right: return WM_RBUTTONDOWN;
    default: return WM_MBUTTONDOWN;
  }
}

bool IsDoubleClick(const WindowState& state, const NativeEvent& event, HWND target, std::uint64_t now) {
  const WindowRecord* record = state.FindLocal(target);
  if (record == nullptr || (record->classStyle & CS_DBLCLKS) == 0) return false;
  const LastClick& last = state.lastClick;
  return last.hwnd == target && last.button == event.button && now - last.timeMs <= state.doubleClickTimeMs &&
         std::abs(event.screen.x - last.screen.x) <= kDoubleClickSlop &&
         std::abs(event.screen.y - last.screen.y) <= kDoubleClickSlop;
}

}  // namespace

void PointerRouting::RecordState(const NativeEvent& event) {
  KeyStateTable& keys = WindowSystem::Get().Keys();
  if (event.kind == NativeEventKind::ButtonDown) keys.Press(ButtonVk(event.button));
  if (event.kind == NativeEventKind::ButtonUp) keys.Release(ButtonVk(event.button));
  if (event.kind != NativeEventKind::PointerLeft) Table().With([&event](WindowState& state) { state.pointer = event.screen; });
}

PointerTarget PointerRouting::Resolve(const NativeEvent& event) {
  return Table().With([&event](WindowState& state) {
    if (state.capture != nullptr) return PointerTarget{state.capture, true};
    if (event.kind == NativeEventKind::PointerLeft || state.FindLocal(event.hwnd) == nullptr) return PointerTarget{};
    return PointerTarget{event.hwnd, false};
  });
}

void PointerRouting::CheckLeave(const NativeEvent& event, const PointerTarget& target) {
  const HWND left = Table().With([&event, &target](WindowState& state) -> HWND {
    const MouseTracking& t = state.tracking;
    if (t.hwnd == nullptr || target.captured) return nullptr;
    const bool gone = event.kind == NativeEventKind::PointerLeft ? event.hwnd == t.hwnd : target.hwnd != t.hwnd;
    if (!gone) return nullptr;
    const HWND tracked = t.hwnd;
    const bool wantsLeave = (t.flags & TME_LEAVE) != 0;
    state.tracking = {};
    return wantsLeave ? tracked : nullptr;
  });
  if (left != nullptr) Messenger::Post(left, WM_MOUSELEAVE, 0, 0);
}

bool PointerRouting::IsRepeatedMove(const NativeEvent& event, HWND target) {
  return Table().With([&event, target](WindowState& state) {
    const bool repeated = state.lastMoveWindow == target && state.lastMovePoint == event.screen;
    state.lastMoveWindow = target;
    state.lastMovePoint = event.screen;
    return repeated;
  });
}

UINT PointerRouting::MessageFor(const NativeEvent& event, HWND target, LRESULT hit) {
  switch (event.kind) {
    case NativeEventKind::PointerMove:
      return hit == HTCLIENT ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    case NativeEventKind::Wheel:
      return WM_MOUSEWHEEL;
    case NativeEventKind::ButtonUp:
      return DownMessage(event.button) + 1;
    default:
      break;
  }
  const std::uint64_t now = event.timeMs;
  const bool doubleClick = Table().With([&](WindowState& state) {
    const bool dbl = hit == HTCLIENT && IsDoubleClick(state, event, target, now);
    // After a double click the next press starts over.
    state.lastClick = dbl ? LastClick{} : LastClick{target, event.button, event.screen, now};
    return dbl;
  });
  if (hit == HTCAPTION && event.button == NativeButton::Left) return WM_NCLBUTTONDOWN;
  return DownMessage(event.button) + (doubleClick ? 2 : 0);
}

bool PointerRouting::ActivateOnPress(HWND target, LRESULT hit, UINT message) {
  const auto [top, needed] = Table().With([target](WindowState& state) {
    const HWND topLevel = state.TopLevelOf(target);
    return std::pair(topLevel, topLevel != state.active && state.Activatable(topLevel));
  });
  if (!needed) return false;
  const LRESULT answer = Messenger::Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                         MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) FocusController::Activate(top, WA_CLICKACTIVE, NativeFocus::Request);
  return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

void PointerRouting::ApplyCursor(HWND target) {
  const auto shape = Table().With([target](WindowState& state) -> std::optional<CursorType> {
    WindowRecord* record = state.FindLocal(target);
    const CursorType wanted = GetCursorType(state.cursor);
    if (record == nullptr || record->appliedCursor == wanted) return std::nullopt;
    record->appliedCursor = wanted;
    return wanted;
  });
  if (shape) NativeAccess::Apply(target, [shape](NativeWindow& w) { w.SetCursor(*shape); });
}

void PointerRouting::UpdateHover(const NativeEvent& event, HWND target) {
  const std::uint64_t now = event.timeMs;
  Table().With([&event, target, now](WindowState& state) {
    MouseTracking& t = state.tracking;
    if (t.hwnd != target || (t.flags & TME_HOVER) == 0) return;
    if (std::abs(event.screen.x - t.anchor.x) <= kHoverSlop && std::abs(event.screen.y - t.anchor.y) <= kHoverSlop) return;
    t.anchor = event.screen;
    t.hoverDueMs = now + t.hoverMs;
  });
}

MSG PointerRouting::Build(const NativeEvent& event, HWND target, LRESULT hit, UINT message) {
  const std::uint32_t keys = WindowSystem::Get().Keys().MouseFlags();
  const LPARAM screen = MAKELPARAM(event.screen.x, event.screen.y);
  if (message == WM_MOUSEWHEEL) return MessageBuilder::Make(target, message, MAKEWPARAM(static_cast<int>(keys), event.wheelDelta), screen);
  if (message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONDOWN) {
    return MessageBuilder::Make(target, message, static_cast<WPARAM>(hit), screen);
  }
  const Point origin = Table().With([target](WindowState& state) { return state.ClientOrigin(target); });
  return MessageBuilder::Make(target, message, keys, MAKELPARAM(event.screen.x - origin.x, event.screen.y - origin.y));
}

}  // namespace ZephUI::Backend
