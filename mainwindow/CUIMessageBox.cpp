#include "mainwindow/CUIMessageBox.h"

#include <utility>

#include "app/LanguageText.h"
#include "zephui/ControlTypes.h"
#include "zephui/MButton.h"
#include "zephui/MText.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr std::uint32_t kTitleId = 31;
constexpr std::uint32_t kMessageId = 32;
constexpr std::uint32_t kFirstButtonId = 33;
constexpr std::uint32_t kSecondButtonId = 34;
constexpr int kOkText = 20;
constexpr int kYesText = 23;
constexpr int kCancelText = 25;
constexpr std::uint32_t kWindowStyle = 0x96020000;  // popup, visible, clipping, minimise box
constexpr int kWidth = 380;
constexpr int kHeight = 200;
constexpr ArgbColor kWhite{0xFFFFFFFF};

MText* AddText(MDialog& dialog, std::uint32_t id, const Rect& rect, const std::u16string& text) {
  auto* control = static_cast<MText*>(dialog.CreateControl(u"MText", id, rect, text, true, true));
  if (control == nullptr) return nullptr;
  control->SetFontWidth(16);
  control->SetAlignment(1);
  control->SetTextColor(kWhite);
  return control;
}

}  // namespace

int CUIMessageBox::Show(const std::u16string& message, HWND owner, const std::u16string& title, int style) {
  CUIMessageBox box(title, message, style);
  box.LoadBKImage(u"bk_prompt.png");
  box.SetBackMode(BACK_MODE_STRETCH, 30);
  if (box.Create(owner, u"MessageBox", kWindowStyle, WS_EX_TOOLWINDOW, Rect{0, 0, kWidth, kHeight}) == nullptr) {
    return 2;
  }
  box.CenterWindow();
  const std::uint32_t result = box.ShowModal(SW_SHOWNORMAL);
  box.DestroyWindow();
  return static_cast<int>(result);
}

CUIMessageBox::CUIMessageBox(std::u16string title, std::u16string message, int style)
    : title_(std::move(title)), message_(std::move(message)), style_(style) {}

int CUIMessageBox::OnInitDialog() {
  MDialog::OnInitDialog();
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return 1;
}

void CUIMessageBox::InitUI(const Rect& clientRect) {
  SetLayeredWindow(true);
  const int w = clientRect.Width();
  const int h = clientRect.Height();
  AddText(*this, kTitleId, Rect{20, 15, w - 20, 40}, title_);
  const int middle = h / 2;
  if (MText* message = AddText(*this, kMessageId, Rect{20, middle - 30, w - 20, middle + 30}, message_)) {
    message->SetVAlignment(4);
    message->EnableMultiLine(true);
    message->EnableVCenter(true);
  }
  const int centre = w / 2;
  if (style_ == kOneButton) {
    AddButton(kFirstButtonId, kOkText, Rect{60, h - 40, w - 60, h - 10});
  } else if (style_ == kTwoButtons) {
    AddButton(kFirstButtonId, kYesText, Rect{centre - 120, h - 40, centre - 20, h - 10});
    AddButton(kSecondButtonId, kCancelText, Rect{centre + 20, h - 40, centre + 120, h - 10});
  }
}

void CUIMessageBox::AddButton(std::uint32_t id, int textNumber, const Rect& rect) {
  const std::u16string text = GetLanguageText(kDialogSection, textNumber);
  auto* button = static_cast<MButton*>(CreateControl(u"MButton", id, rect, text, true, true));
  if (button == nullptr) return;
  button->SetImage(u"btn_apply.png", 4);
  button->SetFontWidth(14);
  button->SetTextColor(kWhite);
}

void CUIMessageBox::UISize(const Rect&) {}

LRESULT CUIMessageBox::OnMessage(std::uint32_t controlId, UINT msg, WPARAM, LPARAM) {
  if (msg != NOTIFY_CLICKED) return 0;
  if (controlId == kFirstButtonId) DoOK();
  if (controlId == kSecondButtonId) DoCancel();
  return 0;
}

LRESULT CUIMessageBox::OnDestroy() { return 0; }
