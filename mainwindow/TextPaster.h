// Pastes a text into whatever window has the focus: the text goes on the
// clipboard, then the virtual keyboard presses Ctrl+V, holds it 100 ms on a
// timer of the owner window, releases it and empties the clipboard.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/WindowTypes.h"

class VHidev;

class TextPaster {
 public:
  /// Timer id used on the owner window; its WM_TIMER must reach Release.
  static constexpr std::uintptr_t kTimerId = 0x7E10;

  TextPaster(VHidev& keyboard, ZephUI::HWND owner) : keyboard_(keyboard), owner_(owner) {}
  /// Starts a paste; an empty text does nothing.
  void Paste(const std::u16string& text);
  /// Ends the paste the timer was started for.
  void Release();

 private:
  VHidev& keyboard_;
  ZephUI::HWND owner_;
  bool holding_ = false;
};
