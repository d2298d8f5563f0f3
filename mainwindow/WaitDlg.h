// The small busy window shown over the main window while the worker talks to
// the keyboard: a running spinner, draggable and above other windows. Its
// modal loop ends when the worker closes it (DoOK) or the main window closes
// popups by title ("WaitDlg").
#pragma once

#include <cstdint>

#include "zephui/MDialog.h"

class WaitDlg : public ZephUI::MDialog {
 public:
  /// Creates the window centred over `owner` and runs it until it is closed; the close code.
  std::uint32_t Run(ZephUI::HWND owner);

  /// Dark fill, top-most, animation timer, window dragging.
  int OnInitDialog() override;
  /// The spinner.
  void InitUI(const ZephUI::Rect& clientRect) override;
  /// Fixed size: nothing to lay out again.
  void UISize(const ZephUI::Rect& clientRect) override;
  /// The spinner reports nothing worth handling; 0.
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  /// 0.
  ZephUI::LRESULT OnDestroy() override;
};
