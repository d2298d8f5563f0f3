// A window of the X11 backend: an undecorated X window on the ARGB visual,
// with EWMH hints for its role, decided again each time it is shown. Menus,
// tips, balloons and shadows are override-redirect, so the window manager
// neither places nor focuses them.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <vector>

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

  void SetRole(WindowRole role) override;
  void SetShowState(NativeShow state) override;
  void SetGeometry(const Rect& rect) override;
  void Raise() override;
  void StackBelow(HWND sibling) override;
  void SetInputAllowed(InputState state) override;
  void RequestFocus() override;
  void SetTitle(std::u16string_view title) override;
  void SetStacking(Stacking stacking) override;
  void Present(const FrameSource& frame, const Rect& damage) override;
  void ReleaseSpareImages() override;
  void SetCursor(CursorType shape) override;
  void GrabPointer() override;
  void UngrabPointer() override;
  bool BeginSystemMove(Point screen) override;
  void PublishProperty(std::u16string_view name, std::intptr_t value) override;
  /// The X window id, for naming the window to other programs (portal parent windows).
  Window XId() const { return window_; }

 private:
  void Create(const NativeWindowSpec& spec);
  void SetIdentity(const NativeWindowSpec& spec);
  void SetRoleHints();
  void SetWmHints(int initialState);
  void SetSizeHints(const Rect& rect);
  void ShapeFromAlpha(X11WindowInfo& info, const PixelView& image, const Rect& damage);
  bool Managed() const { return role_ != WindowRole::Child && !IsUnmanaged(role_); }
  void Resized(X11WindowInfo& info, int width, int height);
  void SyncClickThrough();
  enum class StateChange { Remove, Add };
  void SendStateChange(StateChange change, Atom state);

  X11Connection& connection_;
  const HWND hwnd_;
  Window window_ = 0;
  std::unique_ptr<X11WindowPresenter> presenter_;  // used under the connection lock
  Window parentWindow_ = 0;
  const HWND owner_;
  WindowRole role_ = WindowRole::Normal;
  Stacking stacking_ = Stacking::Normal;
  Rect rect_;                            // geometry last given
  bool inputAllowed_ = true;             // the window manager may focus the window
  bool iconified_ = false;               // minimised through the window manager
  std::vector<XRectangle> alphaBands_;   // shape last cut from the image's alpha
};

}  // namespace ZephUI::Backend
