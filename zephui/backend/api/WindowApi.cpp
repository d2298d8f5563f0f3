// Window creation, destruction, procedures, styles and titles.
#include "zephui/Window.h"

#include <utility>

#include "backend/DefaultProcedure.h"
#include "backend/Messenger.h"
#include "backend/NativeAccess.h"
#include "backend/WindowLifecycle.h"
#include "backend/WindowAccess.h"

namespace ZephUI {

using Backend::WindowRecord;
using Backend::WindowState;

namespace {

using Backend::WithState;
using Backend::WithWindow;

constexpr std::uint32_t kMaintainedStyle = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;

}  // namespace

bool RegisterWindowClass(std::u16string_view className, std::uint32_t classStyle) {
  return WithState([&](WindowState& state) {
    return state.classes.emplace(std::u16string(className), classStyle).second;
  });
}

bool IsWindowClassRegistered(std::u16string_view className) {
  return WithState([&](WindowState& state) { return state.classes.contains(className); });
}

HWND CreateWindowEx(std::uint32_t exStyle, std::u16string_view className, std::u16string_view title, std::uint32_t style,
                    int x, int y, int width, int height, HWND parent, WindowProcedure* procedure, void* createParam) {
  Backend::CreateRequest request;
  request.exStyle = exStyle;
  request.className = className;
  request.title = title;
  request.style = style;
  request.rect = Rect{x, y, x + width, y + height};
  request.parent = parent;
  request.procedure = procedure;
  request.createParam = createParam;
  return Backend::WindowLifecycle::Create(request);
}

bool DestroyWindow(HWND hwnd) {
  return Backend::Messenger::RunOnOwner(hwnd, [hwnd] { return Backend::WindowLifecycle::Destroy(hwnd) ? 1 : 0; }) != 0;
}

bool IsWindow(HWND hwnd) {
  return hwnd != nullptr && WithState([hwnd](WindowState& state) { return state.Find(hwnd) != nullptr; });
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Backend::DefaultProcedure::Handle(hwnd, message, wParam, lParam);
}

WindowProcedure* SetWindowProcedure(HWND hwnd, WindowProcedure* procedure) {
  return WithWindow<WindowProcedure*>(hwnd, nullptr, [procedure](WindowRecord& r) { return std::exchange(r.procedure, procedure); });
}

WindowProcedure* GetWindowProcedure(HWND hwnd) {
  return WithWindow<WindowProcedure*>(hwnd, nullptr, [](WindowRecord& r) { return r.procedure; });
}

std::intptr_t SetWindowUserData(HWND hwnd, std::intptr_t value) {
  return WithWindow<std::intptr_t>(hwnd, 0, [value](WindowRecord& r) { return std::exchange(r.userData, value); });
}

std::intptr_t GetWindowUserData(HWND hwnd) {
  return WithWindow<std::intptr_t>(hwnd, 0, [](WindowRecord& r) { return r.userData; });
}

std::uint32_t GetWindowStyle(HWND hwnd) {
  return WithWindow<std::uint32_t>(hwnd, 0, [](WindowRecord& r) { return r.style; });
}

std::uint32_t SetWindowStyle(HWND hwnd, std::uint32_t style) {
  return WithWindow<std::uint32_t>(hwnd, 0, [style](WindowRecord& r) {
    return std::exchange(r.style, (r.style & kMaintainedStyle) | (style & ~kMaintainedStyle));
  });
}

std::uint32_t GetWindowExStyle(HWND hwnd) {
  return WithWindow<std::uint32_t>(hwnd, 0, [](WindowRecord& r) { return r.exStyle; });
}

std::uint32_t SetWindowExStyle(HWND hwnd, std::uint32_t exStyle) {
  const std::uint32_t previous = WithWindow<std::uint32_t>(hwnd, 0, [exStyle](WindowRecord& r) { return std::exchange(r.exStyle, exStyle); });
  if (((previous ^ exStyle) & WS_EX_TOPMOST) != 0) {
    const auto stacking = (exStyle & WS_EX_TOPMOST) != 0 ? Backend::Stacking::Topmost : Backend::Stacking::Normal;
    Backend::NativeAccess::Apply(hwnd, [stacking](Backend::NativeWindow& w) { w.SetStacking(stacking); });
  }
  return previous;
}

bool SetLayeredWindowAttributes(HWND hwnd, GdiColor key, std::uint8_t alpha, std::uint32_t flags) {
  return WithWindow<bool>(hwnd, false, [&](WindowRecord& r) {
    r.layered = Backend::LayeredAttributes{flags, key, alpha};
    return true;
  });
}

bool SetWindowText(HWND hwnd, std::u16string_view text) {
  const bool ok = WithWindow<bool>(hwnd, false, [text](WindowRecord& r) {
    r.title = std::u16string(text);
    return true;
  });
  if (ok) Backend::NativeAccess::Apply(hwnd, [text](Backend::NativeWindow& w) { w.SetTitle(text); });
  return ok;
}

std::u16string GetWindowText(HWND hwnd) {
  return WithWindow<std::u16string>(hwnd, {}, [](WindowRecord& r) { return r.title; });
}

int GetWindowTextLength(HWND hwnd) {
  return WithWindow<int>(hwnd, -1, [](WindowRecord& r) { return static_cast<int>(r.title.size()); });
}

std::u16string GetClassName(HWND hwnd) {
  return WithWindow<std::u16string>(hwnd, {}, [](WindowRecord& r) { return r.className; });
}

}  // namespace ZephUI
