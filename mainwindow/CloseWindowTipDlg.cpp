#include "mainwindow/CloseWindowTipDlg.h"

#include "app/LanguageText.h"
#include "app/Settings.h"
#include "zephui/CRadioButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/MButton.h"
#include "zephui/MText.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr std::uint32_t kTitleId = 30;
constexpr std::uint32_t kHideId = 31;
constexpr std::uint32_t kEndId = 32;
constexpr std::uint32_t kOkId = 33;
constexpr int kQuestionText = 170;
constexpr int kHideText = 171;
constexpr int kOkText = 22;
constexpr int kEndMode = 2;
constexpr std::uint32_t kWindowStyle = 0x96020000;  // popup, visible, clipping, minimise box
constexpr int kWidth = 360;
constexpr int kHeight = 200;
constexpr ArgbColor kWhite{0xFFFFFFFF};

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

}  // namespace

std::uint32_t CloseWindowTipDlg::Show(HWND owner) {
  CloseWindowTipDlg dialog;
  dialog.LoadBKImage(u"bk_prompt.png");
  dialog.SetBackMode(BACK_MODE_STRETCH, 30);
  if (dialog.Create(owner, u"CloseWindowTipDlg", kWindowStyle, WS_EX_TOOLWINDOW, Rect{0, 0, kWidth, kHeight}) ==
      nullptr) {
    return 0;
  }
  dialog.CenterWindow();
  return dialog.ShowModal(SW_SHOWNORMAL);
}

int CloseWindowTipDlg::OnInitDialog() {
  MDialog::OnInitDialog();
  SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  CRadioButton* chosen = ReadSettingInt("exit_mode") == kEndMode ? end_ : hide_;
  if (chosen != nullptr) chosen->SetCheck(1);
  return 1;
}

void CloseWindowTipDlg::InitUI(const Rect& clientRect) {
  SetLayeredWindow(true);
  const int w = clientRect.Width();
  const int h = clientRect.Height();
  const int c = w / 2;
  if (auto* title = dynamic_cast<MText*>(CreateControl(u"MText", kTitleId, Rect{c - 130, 5, c + 130, 35},
                                                       Text(kQuestionText), true, true))) {
    title->SetAlignment(1);
    title->SetFontWidth(16);
    title->SetTextColor(kWhite);
  }
  hide_ = AddOption(kHideId, kHideText, Rect{30, 60, 355, 90});
  // The second option repeats the question's words ("Exit the program").
  end_ = AddOption(kEndId, kQuestionText, Rect{30, 95, 355, 125});
  if (hide_ != nullptr) hide_->SetCheck(1);
  if (auto* ok = dynamic_cast<MButton*>(CreateControl(u"MButton", kOkId, Rect{w - 120, h - 50, w - 20, h - 20},
                                                      Text(kOkText), true, true))) {
    ok->SetImage(u"btn_apply.png", 4);
    ok->SetTextColor(kWhite);
  }
}

CRadioButton* CloseWindowTipDlg::AddOption(std::uint32_t id, int textNumber, const Rect& rect) {
  auto* option = dynamic_cast<CRadioButton*>(CreateControl(u"CRadioButton", id, rect, Text(textNumber), true, true));
  if (option == nullptr) return nullptr;
  option->SetImage(u"btn_radiobox.png", 8);
  option->SetGroupName(u"exit_mode");
  option->SetTextColor(kWhite);
  return option;
}

void CloseWindowTipDlg::UISize(const Rect&) {}

LRESULT CloseWindowTipDlg::OnMessage(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (msg != NOTIFY_CLICKED) return 0;
  if (controlId == kOkId) {
    const bool hide = hide_ != nullptr && hide_->GetCheck() != 0;
    WriteSettingString("exit_mode", hide ? u"1" : u"2");
    DoOK();
  }
  return 1;
}

LRESULT CloseWindowTipDlg::OnClose(WPARAM, LPARAM) {
  DestroyWindow();
  return 1;
}
