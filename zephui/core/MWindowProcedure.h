// The window procedure of an MWindow: ties the window to its object on the
// first message, hands every message to OnWindowMessage and lets the object
// go after the last one.
#pragma once

#include "zephui/MWindow.h"
#include "zephui/ModalLoop.h"
#include "zephui/WindowProcedure.h"

namespace ZephUI {

/// Routes one window's messages to its MWindow.
class MWindow::Procedure final : public WindowProcedure {
 public:
  /// A procedure for `owner`, which owns it.
  explicit Procedure(MWindow& owner);

  /// Every message of the window.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  /// The procedure before ours; classes carry no procedure of their own here, so DefWindowProc.
  static LRESULT CallPrevious(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  /// Windows of a super class keep the object in the "Control" property instead of the user word.
  void UseControlProperty();
  /// The modal loop to end when the window goes; none to stop watching.
  void WatchModal(ModalLoop* loop);

 private:
  void Attach(HWND hwnd);
  LRESULT Finish(HWND hwnd, WPARAM wParam, LPARAM lParam);

  MWindow& owner_;
  bool controlProperty_ = false;
  ModalLoop* modal_ = nullptr;
};

}  // namespace ZephUI
