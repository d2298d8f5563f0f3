// A top-level window without system caption or frame, and its procedure.
// Every wrapper does nothing and returns 0 or none when the window is gone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Rect.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Window style of the short Create forms, kept as given.
inline constexpr std::uint32_t MWINDOW_DEFAULT_STYLE = 0x80B;

/// Wraps one window and routes its messages to virtual handlers.
class ZEPHUI_API MWindow {
 public:
  /// No window yet.
  MWindow();
  /// Destroys the window when it still exists.
  virtual ~MWindow();
  MWindow(const MWindow&) = delete;
  MWindow& operator=(const MWindow&) = delete;

  // ---- virtual operations, in slot order ----
  /// The class name windows are registered under; "ZephClient".
  virtual std::u16string_view GetWindowClassName() const;
  /// The class this one is built on; empty: the library's own.
  virtual std::u16string_view GetSuperClassName() const;
  /// Shows, hides, minimises or restores (SW_*).
  virtual bool ShowWindow(int command);
  /// Every message of the window; the previous procedure by default.
  virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Offered each message of a modal loop first; true consumes it.
  virtual bool PreTranslateMessage(const MSG& msg);
  /// Called right after creation; 1.
  virtual int OnInitDialog();
  /// Called after the final destroy message; nothing by default.
  virtual void OnDestroyMessage(HWND hwnd);

  // ---- creation ----
  /// A window named "ZephClient" with style 0x80B at (0, 0, 800, 600); the existing handle when it exists.
  HWND Create(HWND parent);
  /// The same at `rect`.
  HWND Create(HWND parent, const Rect& rect);
  /// A window with explicit name, style, extended style and rectangle.
  HWND Create(HWND parent, std::u16string_view name, std::uint32_t style, std::uint32_t exStyle, const Rect& rect);
  /// The same with a menu handle (kept, unused).
  HWND Create(HWND parent, std::u16string_view name, std::uint32_t style, std::uint32_t exStyle, const Rect& rect,
              std::intptr_t menu);
  /// Registers GetWindowClassName(); true on success or when it exists.
  bool RegisterWindowClass();
  /// Registers a class built on GetSuperClassName(); true on success or when it exists.
  bool RegisterSuperClass();

  // ---- modal loop and placement ----
  /// Shows the window and runs a modal loop until it closes; the close code, or (unsigned)-1 without window.
  std::uint32_t ShowModal(int showCommand);
  /// Centres on `other`, the parent or owner, or the monitor's work area; kept inside the work area.
  void CenterWindow(HWND other = nullptr);
  /// Brings the window to the foreground, restoring it when minimised.
  void BringToTop();
  /// Sets the window icon from a registered application resource.
  void SetIcon(int resourceId);

  // ---- wrappers ----
  /// Destroys the window.
  bool DestroyWindow();
  /// Enables or disables input.
  bool EnableWindow(bool enable);
  /// True when enabled.
  bool IsWindowEnabled() const;
  /// True when visible.
  bool IsWindowVisible() const;
  /// True when minimised.
  bool IsIconic() const;
  /// Style bits; 0 without window.
  std::uint32_t GetStyle() const;
  /// Extended style bits; 0 without window.
  std::uint32_t GetExStyle() const;
  /// Changes style bits; false when nothing changed. Non-zero `positionFlags` refreshes the frame.
  bool ModifyStyle(std::uint32_t remove, std::uint32_t add, std::uint32_t positionFlags = 0);
  /// Changes extended style bits; false when nothing changed.
  bool ModifyExStyle(std::uint32_t remove, std::uint32_t add, std::uint32_t positionFlags = 0);
  /// The client rectangle.
  bool GetClientRect(Rect& rect) const;
  /// The window rectangle in screen pixels.
  bool GetWindowRect(Rect& rect) const;
  /// Sets the title.
  bool SetWindowTextW(std::u16string_view text);
  /// The title.
  std::u16string GetWindowTextW() const;
  /// Title length; -1 without window.
  int GetWindowTextLengthW() const;
  /// Invalidates a client rectangle (null: all).
  bool InvalidateRect(const Rect* rect, bool erase);
  /// Captures the mouse.
  HWND SetCapture();
  /// Releases the capture.
  bool ReleaseCapture();
  /// Gives the keyboard focus to the window.
  HWND SetFocus();
  /// Starts window timer `id`.
  std::uintptr_t SetTimer(std::uintptr_t id, std::uint32_t ms, TIMERPROC callback = nullptr);
  /// Stops window timer `id`.
  bool KillTimer(std::uintptr_t id);
  /// Client to screen pixels.
  bool ClientToScreen(Point& point) const;
  /// Client to screen pixels.
  bool ClientToScreen(Rect& rect) const;
  /// Screen to client pixels.
  bool ScreenToClient(Point& point) const;
  /// Screen to client pixels.
  bool ScreenToClient(Rect& rect) const;
  /// Moves, sizes and restacks (SWP_* flags).
  bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, std::uint32_t flags);
  /// Moves and sizes.
  bool MoveWindow(int x, int y, int width, int height);
  /// Sends a message to the window; 0 without window.
  LRESULT SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  /// Posts a message to the window; false without window.
  bool PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam);
  /// The window handle; none.
  HWND GetSafeHwnd() const;
  /// The parent handle given to Create.
  HWND GetParentHwnd() const;

 protected:
  /// Passes a message to the previous procedure (DefWindowProc for the library's class).
  LRESULT CallPreviousProcedure(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND parent_ = nullptr;          ///< parent or owner given to Create
  HWND hwnd_ = nullptr;            ///< own window
  std::intptr_t spare_ = 0;        ///< one spare word

 private:
  class Procedure;
  std::unique_ptr<Procedure> procedure_;
};

}  // namespace ZephUI
