// The balloon tip window of a paint manager: a per-pixel-alpha popup named
// "AirBladder Window" with a background picture and an arrow pointing at
// its anchor, hidden again after 5 seconds unless its type is 4.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MWindow.h"
#include "zephui/Rect.h"

namespace ZephUI {

/// Window timer id that hides the balloon.
inline constexpr std::uintptr_t AIRBLADDER_HIDE_TIMER = 10;

/// The balloon tip window.
class ZEPHUI_API MAirBladder : public MWindow {
 public:
  /// No window, no message.
  MAirBladder();
  ~MAirBladder() override;

  /// Paints, hides on timer 10, passes the rest on.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  /// Stores a message at a screen anchor; nothing when all equal the last ones. Starts the 5 s timer unless type 4.
  void SetAirBladderMsg(std::u16string text, int x, int y, int type, int mode);
  /// Measures the text and places the window around the anchor for the type.
  void AutoFit();
  /// Background picture from the skin folder; false on failure.
  bool LoadBKImage(std::u16string_view fileName);
  /// Left arrow picture; false on failure.
  bool LoadArrowLImage(std::u16string_view fileName);
  /// Right arrow picture; false on failure.
  bool LoadArrowRImage(std::u16string_view fileName);
  /// Top arrow picture; false on failure.
  bool LoadArrowTImage(std::u16string_view fileName);
  /// Background mode and corner size.
  void SetBackMode(int mode, int frameSize);
  /// The text of the last message.
  std::u16string GetText() const;
  /// The anchor of the last message.
  Point GetAnchor() const;
  /// The type of the last message.
  int GetType() const;
  /// The number of text lines.
  int GetLineCount() const;
  /// The window rectangle AutoFit computed, in screen pixels.
  Rect GetFitRect() const;

 private:
  struct State;
  /// Draws the balloon into the window surface and presents it.
  void Paint();
  std::unique_ptr<State> state_;
};

}  // namespace ZephUI
