// The program's skinned message box: a title, a message and one button
// (style 0) or two (style 4), shown modally over its owner. Its window is
// titled "MessageBox" so the main window can find and close it.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/MDialog.h"

class CUIMessageBox : public ZephUI::MDialog {
 public:
  /// One button: the first button closes with 1.
  static constexpr int kOneButton = 0;
  /// Two buttons: the first closes with 1, the second with 2.
  static constexpr int kTwoButtons = 4;

  /// Shows a box over `owner` and waits until it closes; 1 for the first button, 2 for the second or a close from outside.
  static int Show(const std::u16string& message, ZephUI::HWND owner, const std::u16string& title, int style);

  /// A box that is not shown yet.
  CUIMessageBox(std::u16string title, std::u16string message, int style);

  /// Attaches the paint manager and refreshes the frame.
  int OnInitDialog() override;
  /// Builds the title, the message and the buttons.
  void InitUI(const ZephUI::Rect& clientRect) override;
  /// The box keeps its size: nothing to lay out again.
  void UISize(const ZephUI::Rect& clientRect) override;
  /// The buttons close the box with their code.
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  /// 0.
  ZephUI::LRESULT OnDestroy() override;

 private:
  void AddButton(std::uint32_t id, int textNumber, const ZephUI::Rect& rect);

  std::u16string title_;
  std::u16string message_;
  int style_;
};
