// The in-memory backend: a virtual screen, a virtual clock that moves only
// when told, and a record of what each window presented. Input is injected
// through the Headless test interface.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "backend/NativeBackend.h"
#include "zephui/Headless.h"

namespace ZephUI::Backend {

class EventSink;
class HeadlessWaiter;

/// Whether an injected key or button is held.
enum class KeyPosition { Down, Up };

/// The headless backend.
class HeadlessBackend final : public NativeBackend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  BackendKind Kind() const override { return BackendKind::Headless; }
  void Attach(EventSink& sink) override { sink_ = &sink; }
  std::uint64_t NowMs() const override { return now_.load(); }
  ClockKind Clock() const override { return ClockKind::Virtual; }
  std::unique_ptr<NativeWaiter> CreateWaiter() override;
  std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowSpec& spec) override;
  Rect ScreenRect() const override;
  Rect WorkArea() const override;
  bool Compositing() const override { return true; }  // the screen image blends layered windows itself
  std::vector<MonitorInfo> Monitors() const override;
  Point PointerPosition() const override;
  bool HoldsFocus(HWND) override { return true; }
  bool FocusIsElsewhere() override { return true; }
  bool KeyPhysicallyDown(std::uint32_t vk) const override;
  void SetWindowRegion(HWND hwnd, int diameter) override;
  int WindowRegion(HWND hwnd) const override;
  bool SetClipboardText(std::u16string_view text) override;
  std::optional<std::u16string> ClipboardText() override;
  void ClearClipboard() override;
  std::uint64_t FindForeignWindow(std::u16string_view) override { return 0; }
  std::intptr_t ForeignProperty(std::uint64_t, std::u16string_view) override { return 0; }
  bool PostForeign(std::uint64_t, UINT, WPARAM, LPARAM) override { return false; }

  /// The core's event receiver.
  EventSink& Sink() { return *sink_; }
  /// Moves the clock forward and lets periodic timers and waiting threads catch up.
  void Advance(std::uint64_t milliseconds);
  /// How waiting threads treat the clock.
  Headless::ClockMode Mode() const { return mode_.load(); }
  /// Changes how waiting threads treat the clock.
  void SetMode(Headless::ClockMode mode) { mode_ = mode; }
  /// Sets the screen and work area, one monitor covering the screen.
  void SetScreen(const Rect& screen, const Rect& workArea);
  /// Sets several monitors; the screen covers them all, the work area is the primary's.
  void SetMonitors(std::vector<MonitorInfo> monitors);
  /// Records the pointer position.
  void SetPointer(Point screen);
  /// Records a key or button as physically down or up.
  void SetPhysicalKey(std::uint32_t vk, KeyPosition position);
  /// Converts into a window's kept image where `damage` says the frame changed (all of it after a size change).
  void StoreImage(HWND hwnd, const FrameSource& frame, const Rect& damage);
  /// Forgets a window's image, cursor and region.
  void Forget(HWND hwnd);
  /// A copy of the window's last presented image, if any.
  std::optional<PresentedImage> Image(HWND hwnd) const;
  /// How often the window presented.
  int PresentCount(HWND hwnd) const;
  /// The part of the window its last present copied; empty before the first.
  Rect LastPresentedRect(HWND hwnd) const;
  /// Records the cursor a window shows.
  void SetWindowCursor(HWND hwnd, CursorType shape);
  /// The cursor a window shows; Arrow by default.
  CursorType WindowCursor(HWND hwnd) const;
  /// Back to the state after start, keeping the clock.
  void ResetDesktop();
  /// Adds a waiter to the ones woken when the clock moves.
  void AddWaiter(HeadlessWaiter* waiter);
  /// Removes a waiter.
  void RemoveWaiter(HeadlessWaiter* waiter);

 private:
  struct Desktop {
    Rect screen;
    Rect workArea;
    std::vector<MonitorInfo> monitors;  // empty: one monitor, the screen
    Point pointer;
    std::set<std::uint32_t> keysDown;
    std::optional<std::u16string> clipboard;
    std::map<HWND, PresentedImage> images;
    std::map<HWND, int> presentCounts;
    std::map<HWND, Rect> presentedRects;
    std::map<HWND, CursorType> cursors;
    std::map<HWND, int> regions;  // corner diameters of clipped windows
  };

  EventSink* sink_ = nullptr;
  std::atomic<std::uint64_t> now_{1000};
  std::atomic<Headless::ClockMode> mode_{Headless::ClockMode::Manual};
  mutable std::mutex desktopMutex_;
  Desktop desktop_;
  std::mutex waitersMutex_;
  std::vector<HeadlessWaiter*> waiters_;
};

}  // namespace ZephUI::Backend
