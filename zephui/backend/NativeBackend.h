// The operations the core needs from the platform beyond single windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backend/NativeWaiter.h"
#include "backend/NativeWindow.h"
#include "zephui/Backend.h"
#include "zephui/Rect.h"
#include "zephui/Window.h"

namespace ZephUI::Backend {

class EventSink;

/// Whether time passes by itself or only when a test moves it.
enum class ClockKind { Real, Virtual };

/// A platform implementation of the window system.
class NativeBackend {
 public:
  virtual ~NativeBackend() = default;

  /// Which implementation this is.
  virtual BackendKind Kind() const = 0;
  /// Connects the backend to the core's event receiver; called once before any other use.
  virtual void Attach(EventSink& sink) = 0;
  /// Milliseconds on the backend's monotonic clock.
  virtual std::uint64_t NowMs() const = 0;
  /// Whether NowMs moves by itself.
  virtual ClockKind Clock() const = 0;
  /// A sleeping place for one thread's queue.
  virtual std::unique_ptr<NativeWaiter> CreateWaiter() = 0;
  /// Creates the native side of a window, hidden.
  virtual std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowSpec& spec) = 0;
  /// The screen in pixels.
  virtual Rect ScreenRect() const = 0;
  /// The part of the screen not covered by panels.
  virtual Rect WorkArea() const = 0;
  /// Whether see-through pixels of layered windows show what lies below.
  virtual bool Compositing() const = 0;
  /// The monitors with their work areas, the primary first; at least one.
  virtual std::vector<MonitorInfo> Monitors() const = 0;
  /// Pointer position in screen pixels.
  virtual Point PointerPosition() const = 0;
  /// Whether the window still has the input focus (false while a focus change of ours is on its way).
  virtual bool HoldsFocus(HWND hwnd) = 0;
  /// Whether the input focus is outside every window of ours (false while a focus change of ours is on its way).
  virtual bool FocusIsElsewhere() = 0;
  /// Clips a top-level window to its rectangle with corners rounded `diameter` across, following resizes; 0 removes the clip.
  virtual void SetWindowRegion(HWND hwnd, int diameter) = 0;
  /// The corner diameter SetWindowRegion set; 0 when the window is not clipped.
  virtual int WindowRegion(HWND hwnd) const = 0;
  /// Whether the key is physically down right now.
  virtual bool KeyPhysicallyDown(std::uint32_t vk) const = 0;
  /// Makes `text` the clipboard's content.
  virtual bool SetClipboardText(std::u16string_view text) = 0;
  /// The clipboard's text, if it holds any.
  virtual std::optional<std::u16string> ClipboardText() = 0;
  /// Gives up the clipboard's content.
  virtual void ClearClipboard() = 0;
  /// Id of another process's top-level window that publishes `name`; 0 when none.
  virtual std::uint64_t FindForeignWindow(std::u16string_view name) = 0;
  /// Value another process's window publishes under `name`; 0 when none.
  virtual std::intptr_t ForeignProperty(std::uint64_t foreignId, std::u16string_view name) = 0;
  /// Posts a message to another process's window; false when it is gone.
  virtual bool PostForeign(std::uint64_t foreignId, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  /// Moves the input method's composition spot of a window to a client point; nothing by default.
  virtual void SetInputSpot(HWND /*hwnd*/, Point /*client*/) {}
  /// Takes every key of every keyboard for `owner`, each posted to it as `message`; false when refused or unsupported.
  virtual bool GrabKeyboard(HWND /*owner*/, UINT /*message*/) { return false; }
  /// Gives the keyboard back; nothing when no grab is held.
  virtual void UngrabKeyboard() {}
};

}  // namespace ZephUI::Backend
