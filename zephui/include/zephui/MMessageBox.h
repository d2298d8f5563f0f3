// The library's plain message box, for the places where a desktop program
// would ask the system for one: a caption, a message wrapped to a readable
// width, and the OK; OK and Cancel; Yes and No; or Yes, No and Cancel buttons.
// It is sized to its texts, centred on its owner and modal on it. Enter
// chooses the focused button, whose title is lit (the first by default; Tab
// moves the focus); Escape or a close from outside gives the safe answer:
// Cancel when there is one, No for Yes/No, OK for OK alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MDialog.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Buttons: OK.
inline constexpr std::uint32_t MB_OK = 0x0;
/// Buttons: OK, Cancel.
inline constexpr std::uint32_t MB_OKCANCEL = 0x1;
/// Buttons: Yes, No, Cancel.
inline constexpr std::uint32_t MB_YESNOCANCEL = 0x3;
/// Buttons: Yes, No.
inline constexpr std::uint32_t MB_YESNO = 0x4;

/// Result: OK (the close code of MDialog::DoOK).
inline constexpr int IDOK = 1;
/// Result: Cancel (DoCancel).
inline constexpr int IDCANCEL = 2;
/// Result: Yes (DoYes).
inline constexpr int IDYES = 6;
/// Result: No (DoNo).
inline constexpr int IDNO = 7;

/// Control id of the caption; the message and the buttons follow it.
inline constexpr std::uint32_t MESSAGEBOX_CAPTION_ID = 1001;
/// Control id of the message text.
inline constexpr std::uint32_t MESSAGEBOX_TEXT_ID = 1002;
/// Control id of the first button; the others follow it left to right.
inline constexpr std::uint32_t MESSAGEBOX_FIRST_BUTTON_ID = 1003;

/// A modal message box ("MessageBox" dialogs of the library).
class ZEPHUI_API MMessageBox : public MDialog {
 public:
  /// Shows a box over `owner` and waits until it closes; IDOK, IDCANCEL, IDYES or IDNO.
  static int Show(HWND owner, std::u16string text, std::u16string caption, std::uint32_t type);

  /// A box not shown yet; an unknown `type` gives OK alone.
  MMessageBox(std::u16string text, std::u16string caption, std::uint32_t type);
  /// Destroys the window when it still exists.
  ~MMessageBox() override;

  /// Creates the window sized to the texts and centred on `owner`, not shown yet; none on failure.
  HWND CreateBox(HWND owner);
  /// Shows the created box modally, destroys it and returns its result (the safe answer for a close from outside).
  int RunModal();

  // ---- overrides ----
  /// Builds the caption, the message and the buttons.
  void InitUI(const Rect& clientRect) override;
  /// A button closes the box with its result.
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Enter, Space and Escape; then Tab through the buttons.
  bool PreTranslateMessage(const MSG& msg) override;

  /// The result Escape or a close from outside gives.
  int SafeResult() const;

 private:
  /// One button: its label and its result.
  struct Choice {
    std::u16string label;  ///< shown on the button
    int result;            ///< close code
  };

  /// The buttons of `type`, left to right.
  static std::vector<Choice> ChoicesOf(std::uint32_t type);
  /// The client size that fits the texts and the buttons.
  Size BoxSize() const;
  /// The height of the message wrapped to `width`.
  int TextHeight(int width) const;
  /// Places the buttons, right-aligned along the bottom.
  void AddButtons(const Rect& client);
  /// Posts the close with `result`.
  void Finish(int result);
  /// The result of the focused button, else of the first.
  int FocusedResult() const;
  /// Shows the focused button's title in the accent colour, the others' in white.
  void MarkFocus();

  std::u16string text_;          ///< the message
  std::u16string caption_;       ///< the caption
  std::vector<Choice> choices_;  ///< the buttons
};

}  // namespace ZephUI
