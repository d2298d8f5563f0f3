#include "zephui/MMessageBox.h"

#include <algorithm>
#include <utility>

#include "zephui/MButton.h"
#include "zephui/MRender.h"
#include "zephui/MText.h"
#include "zephui/Manager.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kMargin = 20;          // left and right of the texts and buttons
constexpr int kCaptionTop = 14;
constexpr int kCaptionHeight = 24;
constexpr int kTextTop = kCaptionTop + kCaptionHeight + 10;
constexpr int kTextMaxWidth = 420;   // longer lines wrap: a readable measure
constexpr int kMinWidth = 300;       // client width of a box with a short text
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 10;
constexpr int kTextToButtons = 20;
constexpr int kBottom = 16;
constexpr int kSkinCorner = 8;
constexpr std::uint32_t kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr std::uint32_t kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr ArgbColor kCaptionInk{0xFFFFFFFF};
constexpr ArgbColor kTextInk{0xFFE6E6E6};
constexpr ArgbColor kFocusInk{0xFF10A8FD};  // the title of the button Enter presses

Font TextFont(FontStyle style) { return Font(Manager::GetFontName(), Manager::GetFontWidth(), style); }

int LineWidth(std::u16string_view text, FontStyle style) {
  return text.empty() ? 0 : MRender::GetTextBounds(TextFont(style), text).width;
}

int ButtonsWidth(std::size_t count) {
  const int n = static_cast<int>(count);
  return n * kButtonWidth + std::max(n - 1, 0) * kButtonGap;
}

}  // namespace

int MMessageBox::Show(HWND owner, std::u16string text, std::u16string caption, std::uint32_t type) {
  MMessageBox box(std::move(text), std::move(caption), type);
  if (box.CreateBox(owner) == nullptr) return 0;
  return box.RunModal();
}

MMessageBox::MMessageBox(std::u16string text, std::u16string caption, std::uint32_t type)
    : text_(std::move(text)), caption_(std::move(caption)), choices_(ChoicesOf(type)) {}

MMessageBox::~MMessageBox() = default;

HWND MMessageBox::CreateBox(HWND owner) {
  const Size size = BoxSize();
  if (Create(owner, caption_, kStyle, kExStyle, Rect{0, 0, size.width, size.height}) == nullptr) return nullptr;
  CenterWindow();
  return hwnd_;
}

int MMessageBox::RunModal() {
  const auto code = static_cast<int>(ShowModal(SW_SHOWNORMAL));
  DestroyWindow();
  const bool chosen = std::any_of(choices_.begin(), choices_.end(), [code](const Choice& c) { return c.result == code; });
  return chosen ? code : SafeResult();
}

void MMessageBox::InitUI(const Rect& clientRect) {
  if (LoadBKImage(u"msgbox_bk.png") == 1) SetBackMode(BACK_MODE_STRETCH, kSkinCorner);
  const int right = clientRect.right - kMargin;
  if (auto* caption = static_cast<MText*>(CreateControl(u"MText", MESSAGEBOX_CAPTION_ID,
                                                        Rect{kMargin, kCaptionTop, right, kCaptionTop + kCaptionHeight},
                                                        caption_, true, true))) {
    caption->SetFontStyle(static_cast<std::uint32_t>(FontStyle::Bold));
    caption->SetTextColor(kCaptionInk);
  }
  const Rect textRect{kMargin, kTextTop, right, kTextTop + TextHeight(right - kMargin)};
  if (auto* message = static_cast<MText*>(CreateControl(u"MText", MESSAGEBOX_TEXT_ID, textRect, text_, true, true))) {
    message->EnableMultiLine(true);
    message->SetTextColor(kTextInk);
  }
  AddButtons(clientRect);
}

LRESULT MMessageBox::OnMessage(std::uint32_t controlId, UINT msg, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  const std::size_t index = controlId - MESSAGEBOX_FIRST_BUTTON_ID;
  if (msg == NOTIFY_CLICKED && controlId >= MESSAGEBOX_FIRST_BUTTON_ID && index < choices_.size()) {
    Finish(choices_[index].result);
  }
  return 0;
}

bool MMessageBox::PreTranslateMessage(const MSG& msg) {
  if (msg.hwnd == hwnd_ && msg.message == WM_KEYDOWN) {
    if (msg.wParam == VK_RETURN || msg.wParam == VK_SPACE) {
      Finish(FocusedResult());
      return true;
    }
    if (msg.wParam == VK_ESCAPE) {
      Finish(SafeResult());
      return true;
    }
  }
  const bool consumed = MDialog::PreTranslateMessage(msg);
  if (consumed) MarkFocus();  // Tab moved the focus
  return consumed;
}

int MMessageBox::SafeResult() const {
  const auto has = [this](int result) {
    return std::any_of(choices_.begin(), choices_.end(), [result](const Choice& c) { return c.result == result; });
  };
  if (has(IDCANCEL)) return IDCANCEL;
  return has(IDNO) ? IDNO : IDOK;
}

std::vector<MMessageBox::Choice> MMessageBox::ChoicesOf(std::uint32_t type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {{u"OK", IDOK}, {u"Cancel", IDCANCEL}};
    case MB_YESNOCANCEL: return {{u"Yes", IDYES}, {u"No", IDNO}, {u"Cancel", IDCANCEL}};
    case MB_YESNO: return {{u"Yes", IDYES}, {u"No", IDNO}};
    default: return {{u"OK", IDOK}};
  }
}

Size MMessageBox::BoxSize() const {
  const int buttons = ButtonsWidth(choices_.size());
  const int texts = std::max(LineWidth(text_, FontStyle::Regular), LineWidth(caption_, FontStyle::Bold));
  const int inner = std::max(std::min(texts, kTextMaxWidth), buttons);
  const int width = std::max(inner + 2 * kMargin, kMinWidth);
  const int height = kTextTop + TextHeight(width - 2 * kMargin) + kTextToButtons + kButtonHeight + kBottom;
  return Size{width, height};
}

int MMessageBox::TextHeight(int width) const {
  if (text_.empty()) return 0;
  return MRender::GetTextBounds(TextFont(FontStyle::Regular), TextFormat::WordBreak, width, text_).height;
}

void MMessageBox::AddButtons(const Rect& client) {
  int x = client.right - kMargin - ButtonsWidth(choices_.size());
  const int top = client.bottom - kBottom - kButtonHeight;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    const Rect rect{x, top, x + kButtonWidth, top + kButtonHeight};
    const auto id = static_cast<std::uint32_t>(MESSAGEBOX_FIRST_BUTTON_ID + i);
    if (auto* button = static_cast<MButton*>(CreateControl(u"MButton", id, rect, choices_[i].label, true, true))) {
      button->SetImage(u"msgbox_btn.png", 4);
      button->SetTabStop(true);
    }
    x += kButtonWidth + kButtonGap;
  }
  SetFocusControl(GetControl(MESSAGEBOX_FIRST_BUTTON_ID));
  MarkFocus();
}

void MMessageBox::MarkFocus() {
  const MControl* focus = manager_->GetFocusControl();
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    auto* button = static_cast<MButton*>(GetControl(static_cast<std::uint32_t>(MESSAGEBOX_FIRST_BUTTON_ID + i)));
    if (button != nullptr) button->SetTextColor(button == focus ? kFocusInk : kCaptionInk);
  }
}

void MMessageBox::Finish(int result) { PostMessageW(WM_DIALOG_CLOSE, static_cast<WPARAM>(result), 0); }

int MMessageBox::FocusedResult() const {
  const MControl* focus = manager_->GetFocusControl();
  if (focus != nullptr) {
    const std::size_t index = focus->GetControlID() - MESSAGEBOX_FIRST_BUTTON_ID;
    if (focus->GetControlID() >= MESSAGEBOX_FIRST_BUTTON_ID && index < choices_.size()) return choices_[index].result;
  }
  return choices_.front().result;
}

}  // namespace ZephUI
