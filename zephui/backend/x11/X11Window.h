// A window of the X11 backend: an undecorated X window on the ARGB visual,
// with EWMH hints for its role. Popups are override-redirect, so the window
// manager neither places nor focuses them.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "backend/NativeWindow.h"

namespace ZephUI::Backend {

class X11Connection;
class X11WindowPresenter;
struct X11WindowInfo;

/// Native side of an X11 window.
class X11Window final : public NativeWindow {
 public:
  /// Creates the X window, unmapped; the connection must outlive the window.
  X11Window(X11Connection& connection, const NativeWindowSpec& spec);
  ~X11Window() override;
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  void SetShowState(NativeShow state) override;
  void SetGeometry(const Rect& rect) override;
  void Raise() override;
  void RequestFocus() override;
  void SetTitle(std::u16string_view title) override;
  void SetStacking(Stacking stacking) override;
  void Present(const PresentedImage& image) override;
  void SetCursor(CursorType shape) override;
  void GrabPointer() override;
  void UngrabPointer() override;
  bool BeginSystemMove(Point screen) override;
  void PublishProperty(std::u16string_view name, std::intptr_t value) override;

 private:
  void Create(const NativeWindowSpec& spec);
  void SetRoleHints(const NativeWindowSpec& spec);
  void SetSizeHints(const Rect& rect);
  void Resized(X11WindowInfo& info, int width, int height);
  void SyncClickThrough();
  enum class StateChange { Remove, Add };
  void SendStateChange(StateChange change, Atom state);

  X11Connection& connection_;
  const HWND hwnd_;
  Window window_ = 0;
  std::unique_ptr<X11WindowPresenter> presenter_;  // used under the connection lock
  Window parentWindow_ = 0;
  WindowRole role_ = WindowRole::Normal;
  Stacking stacking_ = Stacking::Normal;
};

}  // namespace ZephUI::Backend
