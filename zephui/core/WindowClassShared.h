// What MDialog and MPopupWnd share: one message goes to the window's own
// handlers first, then to its paint manager, then to the previous procedure,
// with the manager's dispatch scope open; the window's last call
// (PostNcDestroy, where it may delete itself) waits until no message of the
// window is still being handled; and the colour key or constant alpha.
#pragma once

#include <utility>

#include "zephui/MDialog.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {

/// Shared message handling of the two window classes with a paint manager.
class WindowClassShared {
 public:
  WindowClassShared() = delete;

  /// Handles one message of `window`.
  template <typename Window>
  static LRESULT Dispatch(Window& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    {
      const Nesting nesting(window.dispatchDepth_);
      const PaintManager::DispatchScope scope(window.manager_.get());
      if (!ToHandlers(window, msg, wParam, lParam, result)) result = PassOn(window, msg, wParam, lParam);
    }
    FinishIfDue(window);  // may delete `window`
    return result;
  }

  /// The window's last message: its paint manager lets go now, PostNcDestroy follows when nothing runs.
  template <typename Window>
  static void Destroyed(Window& window, HWND hwnd) {
    if (window.manager_->GetPaintWnd() == hwnd) window.manager_->DestroyData();
    window.finalPending_ = true;
    FinishIfDue(window);  // may delete `window`
  }

  /// Step 1: the messages with a virtual handler; true when the message is finished with `result`.
  template <typename Window>
  static bool ToHandlers(Window& window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
      case WM_ERASEBKGND:
        result = 1;
        return true;
      case WM_DIALOG_CLOSE:
        result = window.OnUserCloseWindow(wParam, lParam);
        return true;
      default:
        if (!ToWindowHandlers(window, msg, wParam, lParam)) ToMouseHandlers(window, msg, wParam, lParam);
        return false;  // the paint manager sees these too
    }
  }

  /// Layered with the constant alpha, else with the colour key made transparent, else unchanged.
  template <typename Window>
  static void ApplyTranslucency(Window& window) {
    const HWND hwnd = window.GetSafeHwnd();
    if (window.alpha_ != 255) {
      window.ModifyExStyle(0, WS_EX_LAYERED);
      SetLayeredWindowAttributes(hwnd, GdiColor(), window.alpha_, LWA_ALPHA);
    } else if (window.colourKey_ != GdiColor(0xFFFFFF)) {
      window.ModifyExStyle(0, WS_EX_LAYERED);
      SetLayeredWindowAttributes(hwnd, window.colourKey_, 255, LWA_COLORKEY);
    }
  }

 private:
  // Counts the window's messages in progress.
  class Nesting {
   public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    int& depth_;
  };

  template <typename Window>
  static void FinishIfDue(Window& window) {
    if (window.dispatchDepth_ == 0 && std::exchange(window.finalPending_, false)) window.PostNcDestroy();
  }

  template <typename Window>
  static LRESULT PassOn(Window& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT handled = window.manager_->OnWindowMessage(msg, wParam, lParam);
    return handled != 0 ? handled : window.CallPreviousProcedure(msg, wParam, lParam);
  }

  template <typename Window>
  static bool ToWindowHandlers(Window& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_CREATE: window.OnCreate(reinterpret_cast<const CREATESTRUCT*>(lParam)); return true;
      case WM_DESTROY: window.OnDestroy(); return true;
      case WM_SIZE:
        window.OnSize(static_cast<std::uint32_t>(wParam), LOWORD(static_cast<std::uint64_t>(lParam)),
                      HIWORD(static_cast<std::uint64_t>(lParam)));
        return true;
      case WM_PAINT: window.OnPaint(); return true;
      case WM_CLOSE: window.OnClose(wParam, lParam); return true;
      case WM_WINDOWPOSCHANGING: window.OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); return true;
      case WM_WINDOWPOSCHANGED: window.OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); return true;
      case WM_NCACTIVATE: window.OnNcActivate(wParam != 0); return true;
      case WM_TIMER: window.OnTimer(static_cast<std::uintptr_t>(wParam)); return true;
      default: return false;
    }
  }

  template <typename Window>
  static void ToMouseHandlers(Window& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto flags = static_cast<std::uint32_t>(LOWORD(wParam));
    const Point point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
      case WM_MOUSEMOVE: window.OnMouseMove(flags, point); break;
      case WM_LBUTTONDOWN: window.OnLButtonDown(flags, point); break;
      case WM_LBUTTONUP: window.OnLButtonUp(flags, point); break;
      case WM_LBUTTONDBLCLK: window.OnLButtonDblClk(flags, point); break;
      case WM_RBUTTONDOWN: window.OnRButtonDown(flags, point); break;
      case WM_RBUTTONUP: window.OnRButtonUp(flags, point); break;
      case WM_RBUTTONDBLCLK: window.OnRButtonDblClk(flags, point); break;
      case WM_MOUSEHOVER: window.OnMouseHover(flags, point); break;
      case WM_MOUSELEAVE: window.OnMouseLeave(); break;
      default: break;
    }
  }
};

}  // namespace ZephUI
