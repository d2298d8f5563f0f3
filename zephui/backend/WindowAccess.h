// Short access to one window's record under the table lock.
#pragma once

#include "backend/WindowSystem.h"

namespace ZephUI::Backend {

/// Runs `f(record)` for a live window of this process under the table lock; `fallback` otherwise.
template <typename T, typename F>
T WithWindow(HWND hwnd, T fallback, F&& f) {
  return WindowSystem::Get().Table().With([&](WindowState& state) -> T {
    WindowRecord* record = state.FindLocal(hwnd);
    return record != nullptr ? f(*record) : fallback;
  });
}

/// Runs `f(state)` under the table lock.
template <typename F>
auto WithState(F&& f) {
  return WindowSystem::Get().Table().With(std::forward<F>(f));
}

}  // namespace ZephUI::Backend
