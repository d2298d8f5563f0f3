// The X11 backend: one display connection shared by all threads. Threads that
// wait for messages poll the connection and read whatever events arrived,
// handing each to the thread that owns its window.
#pragma once

#include <atomic>
#include <memory>

#include "backend/NativeBackend.h"

namespace ZephUI::Backend {

class EventSink;
class X11Clipboard;
class X11Connection;
class X11KeyboardGrab;

/// The X11 backend.
class X11Backend final : public NativeBackend {
 public:
  /// Connects to the display named by DISPLAY; null when none opens.
  static std::unique_ptr<X11Backend> Open();
  ~X11Backend() override;

  BackendKind Kind() const override { return BackendKind::X11; }
  void Attach(EventSink& sink) override { sink_ = &sink; }
  std::uint64_t NowMs() const override;
  ClockKind Clock() const override { return ClockKind::Real; }
  std::unique_ptr<NativeWaiter> CreateWaiter() override;
  std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowSpec& spec) override;
  Rect ScreenRect() const override;
  Rect WorkArea() const override;
  bool Compositing() const override;
  std::vector<MonitorInfo> Monitors() const override;
  Point PointerPosition() const override;
  bool HoldsFocus(HWND hwnd) override;
  bool FocusIsElsewhere() override;
  bool KeyPhysicallyDown(std::uint32_t vk) const override;
  void SetWindowRegion(HWND hwnd, int diameter) override;
  int WindowRegion(HWND hwnd) const override;
  bool SetClipboardText(std::u16string_view text) override;
  std::optional<std::u16string> ClipboardText() override;
  void ClearClipboard() override;
  std::uint64_t FindForeignWindow(std::u16string_view name) override;
  std::intptr_t ForeignProperty(std::uint64_t foreignId, std::u16string_view name) override;
  bool PostForeign(std::uint64_t foreignId, UINT message, WPARAM wParam, LPARAM lParam) override;
  void SetInputSpot(HWND hwnd, Point client) override;
  bool GrabKeyboard(HWND owner, UINT message) override;
  void UngrabKeyboard() override;

  /// Reads every event the connection has and delivers it; true when there were any.
  bool DrainEvents();
  /// The connection's socket.
  int ConnectionFd() const;
  /// The descriptor that is readable while Xlib holds unread events.
  int PendingFd() const;

 private:
  explicit X11Backend(std::unique_ptr<X11Connection> connection);

  std::unique_ptr<X11Connection> connection_;
  std::unique_ptr<X11Clipboard> clipboard_;  // after the connection it uses
  std::unique_ptr<X11KeyboardGrab> keyboardGrab_;  // used under the connection lock
  EventSink* sink_ = nullptr;
  std::atomic<bool> lostReported_{false};
};

}  // namespace ZephUI::Backend
