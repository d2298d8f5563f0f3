// A procedure put in front of another window's procedure (subclassing): it
// passes every message on and first tells its listener when the window was
// placed, shown, hidden, activated or is going away.
#pragma once

#include <functional>

#include "zephui/WindowProcedure.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Follows one window through its messages.
class WindowFollower final : public WindowProcedure {
 public:
  /// What happened to the followed window.
  enum class Change {
    Placed,     ///< moved or resized (restored)
    Shown,      ///< about to be shown
    Hidden,     ///< hidden, minimised or maximised
    Activated,  ///< activated: raised to the front
    Destroyed,  ///< its last message arrived; the follower has let go
  };
  /// Told about each change, before the window's own procedure sees the message.
  using Listener = std::function<void(Change)>;

  /// A follower that tells `listener`.
  explicit WindowFollower(Listener listener);
  /// Lets go of the window.
  ~WindowFollower() override;
  WindowFollower(const WindowFollower&) = delete;
  WindowFollower& operator=(const WindowFollower&) = delete;

  /// Puts itself in front of the window's procedure; false for no window.
  bool Attach(HWND hwnd);
  /// Gives the window its previous procedure back when it is still ours.
  void Detach();
  /// The followed window; none.
  HWND Followed() const { return hwnd_; }

  /// Tells the listener, then passes the message on.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Notify(UINT message, WPARAM wParam);

  Listener listener_;
  HWND hwnd_ = nullptr;
  WindowProcedure* previous_ = nullptr;
};

}  // namespace ZephUI
