// Named properties and window timers.
#include "backend/NativeAccess.h"
#include "backend/WindowAccess.h"
#include "backend/WindowTimers.h"
#include "zephui/Window.h"

namespace ZephUI {

using Backend::WindowRecord;
using Backend::WindowState;
using Backend::WithState;
using Backend::WithWindow;

namespace {

// Top-level windows publish their properties so other processes can find them.
void Publish(HWND hwnd, std::u16string_view name, std::intptr_t value) {
  const bool topLevel = WithWindow<bool>(hwnd, false, [](WindowRecord& r) { return !r.IsChild(); });
  if (!topLevel) return;
  const std::u16string copy(name);
  Backend::NativeAccess::Apply(hwnd, [&copy, value](Backend::NativeWindow& w) { w.PublishProperty(copy, value); });
}

}  // namespace

bool SetProp(HWND hwnd, std::u16string_view name, std::intptr_t value) {
  const bool ok = WithWindow<bool>(hwnd, false, [&](WindowRecord& r) {
    r.props[std::u16string(name)] = value;
    return true;
  });
  if (ok) Publish(hwnd, name, value);
  return ok;
}

std::intptr_t GetProp(HWND hwnd, std::u16string_view name) {
  const auto [foreign, value] = WithState([&](WindowState& state) {
    const WindowRecord* r = state.Find(hwnd);
    if (r == nullptr) return std::pair<std::uint64_t, std::intptr_t>(0, 0);
    const auto it = r->props.find(std::u16string(name));
    return std::pair<std::uint64_t, std::intptr_t>(r->foreignId, it != r->props.end() ? it->second : 0);
  });
  if (foreign != 0) return Backend::WindowSystem::Get().Native().ForeignProperty(foreign, name);
  return value;
}

std::intptr_t RemoveProp(HWND hwnd, std::u16string_view name) {
  const auto removed = WithWindow<std::optional<std::intptr_t>>(hwnd, std::nullopt, [&](WindowRecord& r) -> std::optional<std::intptr_t> {
    const auto it = r.props.find(std::u16string(name));
    if (it == r.props.end()) return std::nullopt;
    const std::intptr_t value = it->second;
    r.props.erase(it);
    return value;
  });
  if (!removed) return 0;
  Publish(hwnd, name, 0);
  return *removed;
}

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, std::uint32_t elapseMs, TIMERPROC proc) {
  return Backend::WindowTimers::Set(hwnd, id, elapseMs, proc);
}

bool KillTimer(HWND hwnd, std::uintptr_t id) { return Backend::WindowTimers::Kill(hwnd, id); }

}  // namespace ZephUI
