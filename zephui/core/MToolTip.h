// A paint manager's tooltip: a small topmost window of its own that shows one
// text on white near a rectangle of its host window, and hides on a press.
#pragma once

#include <string>

#include "zephui/Rect.h"
#include "zephui/RenderTypes.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// The tooltip window of one host window; lives on the host's thread.
class MToolTip : public WindowProcedure {
 public:
  /// Tips wider than this wrap.
  static constexpr int kMaxWidth = 256;

  /// A tooltip for `host`; the window is made on the first Show.
  explicit MToolTip(HWND host);
  /// Destroys the window.
  ~MToolTip() override;
  MToolTip(const MToolTip&) = delete;
  MToolTip& operator=(const MToolTip&) = delete;

  /// Shows `text` below `anchor` (host client pixels); empty text hides the tip.
  void Show(std::u16string text, const Rect& anchor);
  /// Hides the tip.
  void Hide();
  /// A pointer message of the host: a press or a wheel turn hides the tip.
  void Relay(const MSG& msg);
  /// The tip window; none before the first Show.
  HWND Window() const;
  /// True while shown.
  bool IsShown() const;
  /// The text shown last.
  const std::u16string& Text() const;

  /// Paints the tip; everything else goes to the default procedure.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool EnsureWindow();
  Size Measure() const;
  void Paint(HWND hwnd);

  HWND host_;
  HWND hwnd_ = nullptr;
  std::u16string text_;
};

}  // namespace ZephUI
