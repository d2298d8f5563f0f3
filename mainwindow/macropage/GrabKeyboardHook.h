// The keyboard hook recording runs on under X11: a keyboard grab that brings
// every key of every keyboard to the main window as message 1654, turned into
// the same hook records the evdev hook makes (virtual key, set-1 scan code,
// extended and up flags, system key messages), so both record alike. Each
// record carries the X server's time of the key event.
#pragma once

#include <cstdint>
#include <optional>

#include "macros/recorder/HookKeyTranslator.h"
#include "macros/recorder/KeyboardHook.h"
#include "zephui/KeyboardGrab.h"
#include "zephui/WindowTypes.h"

class GrabKeyboardHook : public KeyboardHook {
 public:
  /// A hook whose keys arrive at `window` as `message` (the window passes them to Deliver).
  GrabKeyboardHook(ZephUI::HWND window, ZephUI::UINT message);
  /// Releases the grab.
  ~GrabKeyboardHook() override;

  /// Grabs the keyboard; false when another program holds it.
  bool install(Handler handler) override;
  /// Releases the grab; deliveries run on the window's thread, so none is in progress.
  void uninstall() override;

  /// One grab message: hands the key to the handler while the grab is held; true when consumed.
  bool Deliver(ZephUI::WPARAM wParam, ZephUI::LPARAM lParam);
  /// Whether the grab is held.
  bool IsGrabbed() const { return grab_.IsActive(); }

 private:
  std::uint64_t Unwrapped(std::uint32_t stamp);

  ZephUI::HWND window_;
  ZephUI::UINT message_;
  ZephUI::KeyboardGrab grab_;
  Handler handler_;
  HookKeyTranslator translator_;
  std::optional<std::uint64_t> lastTime_;  // the previous key's time, carried past the 32-bit wrap
};
