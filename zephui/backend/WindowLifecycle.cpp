#include "backend/WindowLifecycle.h"

#include <algorithm>
#include <optional>
#include <string>

#include "backend/FocusController.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/WindowPlacement.h"
#include "backend/WindowSystem.h"
#include "zephui/Manager.h"
#include "zephui/MessageCodes.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

namespace ZephUI::Backend {
namespace {

WindowTable& Table() { return WindowSystem::Get().Table(); }

// Parent of a child, or owner (the top-level window of the given one) of a top-level window.
std::optional<std::pair<HWND, HWND>> Relations(const CreateRequest& request) {
  return Table().With([&request](WindowState& state) -> std::optional<std::pair<HWND, HWND>> {
    if ((request.style & WS_CHILD) != 0) {
      if (state.FindLocal(request.parent) == nullptr) return std::nullopt;
      return std::pair<HWND, HWND>(request.parent, nullptr);
    }
    if (request.parent == nullptr) return std::pair<HWND, HWND>(nullptr, nullptr);
    const HWND owner = state.TopLevelOf(request.parent);
    if (state.FindLocal(owner) == nullptr) return std::nullopt;
    return std::pair<HWND, HWND>(nullptr, owner);
  });
}

}  // namespace

HWND WindowLifecycle::Register(const CreateRequest& request) {
  const auto relations = Relations(request);
  if (!relations) return nullptr;
  const auto [parent, owner] = *relations;
  auto record = std::make_unique<WindowRecord>();
  record->queue = WindowSystem::Get().CurrentQueue();
  record->procedure = request.procedure;
  record->className = std::u16string(request.className);
  record->title = std::u16string(request.title);
  record->style = request.style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  record->exStyle = request.exStyle;
  record->parent = parent;
  record->owner = owner;
  record->rect = request.rect;
  const HWND hwnd = Table().With([&record, &request](WindowState& state) -> HWND {
    const auto cls = state.classes.find(request.className);
    if (cls == state.classes.end()) return nullptr;
    record->classStyle = cls->second;
    record->hwnd = state.NewHandle();
    const HWND handle = record->hwnd;
    state.windows.emplace(reinterpret_cast<std::uintptr_t>(handle), std::move(record));
    if ((request.style & WS_CHILD) == 0) state.Raise(handle);
    return handle;
  });
  if (hwnd == nullptr) return nullptr;
  const WindowRole role = Table().With([hwnd](WindowState& state) {
    const WindowRecord* r = state.FindLocal(hwnd);
    return r != nullptr ? r->Role() : WindowRole::Normal;
  });
  NativeWindowSpec spec{hwnd, parent != nullptr ? parent : owner, role, request.rect,
                        std::u16string(request.title), std::u16string(request.className), WindowSystem::ProgramName(),
                        (request.exStyle & WS_EX_TOPMOST) != 0 ? Stacking::Topmost : Stacking::Normal};
  auto native = WindowSystem::Get().Native().CreateWindow(spec);
  Table().With([hwnd, &native](WindowState& state) {
    if (WindowRecord* r = state.FindLocal(hwnd)) r->native = std::move(native);
  });
  return hwnd;
}

bool WindowLifecycle::RunCreationMessages(HWND hwnd, const CreateRequest& request) {
  CREATESTRUCT cs;
  cs.lpCreateParams = request.createParam;
  cs.hInstance = Manager::GetInstance();
  cs.hwndParent = request.parent;
  cs.x = request.rect.left;
  cs.y = request.rect.top;
  cs.cx = request.rect.Width();
  cs.cy = request.rect.Height();
  cs.style = request.style;
  cs.dwExStyle = request.exStyle;
  cs.lpszName = request.title;
  cs.lpszClass = request.className;
  if (Messenger::Call(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) return false;
  if (Messenger::Call(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return false;
  Messenger::Call(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cs.cx, cs.cy));
  Messenger::Call(hwnd, WM_MOVE, 0, MAKELPARAM(cs.x, cs.y));
  return true;
}

HWND WindowLifecycle::Create(const CreateRequest& request) {
  const HWND hwnd = Register(request);
  if (hwnd == nullptr) return nullptr;
  if (!RunCreationMessages(hwnd, request)) {
    Destroy(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  if ((request.style & WS_VISIBLE) != 0) WindowPlacement::Show(hwnd, SW_SHOW);
  return hwnd;
}

void WindowLifecycle::Erase(HWND hwnd) {
  std::unique_ptr<WindowRecord> gone = Table().With([hwnd](WindowState& state) {
    std::unique_ptr<WindowRecord> record;
    const auto it = state.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    if (it == state.windows.end()) return record;
    record = std::move(it->second);
    state.windows.erase(it);
    std::erase(state.zOrder, hwnd);
    for (HWND* ref : {&state.active, &state.focus, &state.capture, &state.lastMoveWindow}) {
      if (*ref == hwnd) *ref = nullptr;
    }
    if (state.tracking.hwnd == hwnd) state.tracking = {};
    return record;
  });
  // The native window goes here, outside the lock and on the owning thread.
}

bool WindowLifecycle::Destroy(HWND hwnd) {
  const auto start = Table().With([hwnd](WindowState& state) -> std::optional<bool> {
    WindowRecord* r = state.FindLocal(hwnd);
    if (r == nullptr || r->destroying) return std::nullopt;
    r->destroying = true;
    const bool wasVisible = r->Visible();
    r->style &= ~WS_VISIBLE;
    return wasVisible;
  });
  if (!start) return false;
  if (*start) NativeAccess::Apply(hwnd, [](NativeWindow& w) { w.SetShowState(NativeShow::Hidden); });
  FocusController::Depart(hwnd, Departure::Destroyed);
  const std::vector<HWND> owned = Table().With([hwnd](WindowState& state) { return state.OwnedBy(hwnd); });
  for (HWND w : owned) DestroyWindow(w);
  Messenger::Call(hwnd, WM_DESTROY, 0, 0);
  const std::vector<HWND> children = Table().With([hwnd](WindowState& state) { return state.ChildrenOf(hwnd); });
  for (HWND w : children) DestroyWindow(w);
  Messenger::Call(hwnd, WM_NCDESTROY, 0, 0);
  Erase(hwnd);
  return true;
}

HWND WindowLifecycle::ForeignProxy(std::uint64_t foreignId) {
  return Table().With([foreignId](WindowState& state) {
    for (const auto& [key, record] : state.windows) {
      if (record->foreignId == foreignId) return record->hwnd;
    }
    auto record = std::make_unique<WindowRecord>();
    record->hwnd = state.NewHandle();
    record->foreignId = foreignId;
    record->style = WS_POPUP | WS_VISIBLE;
    const HWND hwnd = record->hwnd;
    state.windows.emplace(reinterpret_cast<std::uintptr_t>(hwnd), std::move(record));
    return hwnd;
  });
}

}  // namespace ZephUI::Backend
