// Asks whether the close button hides the program to the tray or ends it and
// stores the answer as "exit_mode" ("1" hide, "2" end) when OK is pressed;
// any other way out stores nothing. Titled "CloseWindowTipDlg" so the main
// window can find and close it.
#pragma once

#include <cstdint>

#include "zephui/MDialog.h"

namespace ZephUI {
class CRadioButton;
}

class CloseWindowTipDlg : public ZephUI::MDialog {
 public:
  /// Shows the dialog centred over `owner` and waits until it closes; the close code.
  static std::uint32_t Show(ZephUI::HWND owner);

  /// Top-most; checks the option that matches the stored "exit_mode".
  int OnInitDialog() override;
  /// The question, the two options and OK.
  void InitUI(const ZephUI::Rect& clientRect) override;
  /// Fixed size: nothing to lay out again.
  void UISize(const ZephUI::Rect& clientRect) override;
  /// OK stores the choice and closes.
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  /// Destroys the window.
  ZephUI::LRESULT OnClose(ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;

 private:
  ZephUI::CRadioButton* AddOption(std::uint32_t id, int textNumber, const ZephUI::Rect& rect);

  ZephUI::CRadioButton* hide_ = nullptr;
  ZephUI::CRadioButton* end_ = nullptr;
};
