#include "mainwindow/PopupCloser.h"

#include "zephui/Message.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {
constexpr char16_t kClass[] = u"ZephClient";
}  // namespace

void CloseProgramPopups() {
  for (const char16_t* title : {u"CloseWindowTipDlg", u"CustomKeyDlg", u"MessageBox", u"WaitDlg", u"Menu Window"}) {
    const HWND popup = FindWindow(kClass, title);
    // A message box closed from outside answers as its second button.
    if (popup != nullptr) PostMessage(popup, WM_CLOSE, std::u16string_view(title) == u"MessageBox" ? 2 : 0, 0);
  }
  for (const char16_t* title : {u"KeyboardTip Window", u"ComboWnd"}) {
    if (const HWND tip = FindWindow(kClass, title)) ShowWindow(tip, SW_HIDE);
  }
}
