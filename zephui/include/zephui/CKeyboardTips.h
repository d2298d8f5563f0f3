// The key tip window of the keyboard picture: a per-pixel-alpha popup named
// "KeyboardTip Window", 190 x 100 pixels centred above its anchor, showing a
// grey heading, a title and a larger detail line over a nine-slice background.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MWindow.h"
#include "zephui/Rect.h"

namespace ZephUI {

/// Width of the key tip window in pixels.
inline constexpr int KEYBOARD_TIP_WIDTH = 190;
/// Height of the key tip window in pixels.
inline constexpr int KEYBOARD_TIP_HEIGHT = 100;

/// The key tip window.
class ZEPHUI_API CKeyboardTips : public MWindow {
 public:
  /// No window, no texts.
  CKeyboardTips();
  ~CKeyboardTips() override;

  /// Makes the hidden tip window (a tool window that never takes activation) owned by `owner`.
  HWND CreateTip(HWND owner);
  /// Paints itself; passes the rest on.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  /// Stores the texts and the screen anchor; nothing when all equal the last ones. A non-empty heading moves and paints.
  void SetAirBladderMsg(std::u16string heading, std::u16string title, std::u16string detail, int x, int y);
  /// Background picture from the skin folder; false on failure (drawn without one).
  bool LoadBKImage(std::u16string_view fileName);
  /// Background mode (0 natural size, else nine-slice) and corner size.
  void SetBackMode(int mode, int frameSize);
  /// The heading of the last message.
  std::u16string GetHeading() const;
  /// The title of the last message.
  std::u16string GetTitle() const;
  /// The detail of the last message.
  std::u16string GetDetail() const;
  /// The anchor of the last message, in screen pixels.
  Point GetAnchor() const;

 private:
  struct State;
  /// Draws the tip into the window surface and presents it.
  void Paint();
  std::unique_ptr<State> state_;
};

}  // namespace ZephUI
