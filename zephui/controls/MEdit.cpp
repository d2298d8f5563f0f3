#include "zephui/MEdit.h"

#include <algorithm>
#include <utility>

#include "controls/EditWindow.h"
#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/Manager.h"
#include "zephui/Message.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr int kDisabled = 3;
constexpr int kInset = 6;
constexpr int kIconMargin = 9;
constexpr ArgbColor kGrey(0xFF808080);

ArgbColor Opaque(GdiColor colour) {
  return ArgbColor::FromArgb(0xFF, colour.Red(), colour.Green(), colour.Blue());
}

}  // namespace

MEdit::MEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::move(text), visible, enabled, true), state_(enabled ? 0 : kDisabled) {
  faceName_ = u"Arial";
  fontSize_ = 14;
  SetTabStop(true);
}

MEdit::~MEdit() = default;

template <typename T>
void MEdit::Change(T& member, T value) {
  member = std::move(value);
  UpdateControl(CacheReset::Reset);
}

void MEdit::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
  if (!icon_) return;
  const Rect icon = GetIconRect();
  const int frame = std::min(iconState_, iconFrames_ - 1);
  MRender::DrawImage(hdc, *icon_, icon, icon_->StripFrameRect(frame, iconFrames_));
}

void MEdit::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const int frame = std::min(state, skin->frameCount - 1);
    MRender::DrawImageFrame(target, *skin->image, slot, frame * skin->frameWidth, 0, skin->frameWidth, skin->height,
                            frameSize_);
  }
  const bool tip = title_.empty();
  if (tip && tip_.empty()) return;
  std::u16string shown = tip ? tip_ : title_;
  if (!tip && password_) {
    const auto low = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    shown.assign(shown.size() - static_cast<std::size_t>(std::count_if(shown.begin(), shown.end(), low)),
                 passwordChar_);
  }
  const ArgbColor ink = tip || state == kDisabled ? kGrey : GetTextColor();
  const TextFormat format = multiLine_ ? TextFormat::WordBreak
                                       : TextFormat::SingleLine | TextFormat::VCenter | TextFormat::WordEllipsis |
                                             (hAlign_ == 1 ? TextFormat::Center : TextFormat::Left);
  const Rect area = RectOps::Offset(EditorRect(), slot.left - rect_.left, slot.top - rect_.top);
  MRender::DrawTextW(target, area, shown, ink, GetGDIFont(), format);
}

Rect MEdit::GetIconRect() const {
  if (!icon_) return Rect{};
  const Rect frame = icon_->StripFrameRect(0, iconFrames_);
  const int top = rect_.top + (rect_.Height() - frame.Height()) / 2;
  return Rect{rect_.right - kIconMargin - frame.Width(), top, rect_.right - kIconMargin, top + frame.Height()};
}

Rect MEdit::EditorRect() const {
  if (!RectOps::Empty(textRect_)) return RectOps::Offset(textRect_, rect_.left, rect_.top);
  const int right = icon_ ? GetIconRect().left - 2 : rect_.right - kInset;
  if (multiLine_) return Rect{rect_.left + kInset, rect_.top + kInset, right, rect_.bottom - kInset};
  const int band = fontSize_ + 2;
  const int top = rect_.top + (rect_.Height() - band) / 2;
  return Rect{rect_.left + kInset, top, right, top + band};
}

int MEdit::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool onIcon = icon_ && RectOps::Contains(GetIconRect(), point);
  if (iconState_ != 2) SetIconState(onIcon ? 1 : 0);
  if (state_ != 2) SetState(PtInRect(point) && !onIcon ? 1 : 0);
  return PtInRect(point) ? 1 : 0;
}

int MEdit::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  if (icon_ && RectOps::Contains(GetIconRect(), point)) {
    SetIconState(2);
    HideEdit();
    SendMessageW(NOTIFY_ITEM_BUTTON, 0, 0);
    return 1;
  }
  pressedField_ = true;
  SetState(2);
  ShowEdit();
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

int MEdit::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool wasPressed = std::exchange(pressedField_, false);
  if (icon_ && RectOps::Contains(GetIconRect(), point)) {
    const bool clicked = iconState_ == 2;
    SetIconState(1);
    if (clicked) {
      HideEdit();
      SendMessageW(NOTIFY_EDIT_ICON, 0, 0);
    }
    return 1;
  }
  SetIconState(0);
  SetState(PtInRect(point) ? 1 : 0);
  if (wasPressed && PtInRect(point)) SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

int MEdit::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (key == VK_SPACE && modifiers == 0 && IsFocused() && editing_) {
    SendMessageW(NOTIFY_PRESSED, 0, 0);
    SendMessageW(NOTIFY_CLICKED, 0, 0);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

// A press opens the editor itself; only focus that arrives by keyboard (Tab) opens it here.
int MEdit::SetControlFocus(FocusChange focus) {
  if (focus == FocusChange::Take) {
    HideEdit();
  } else if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    ShowEdit();
  }
  return MControlFont::SetControlFocus(focus);
}

void MEdit::SetControlEnabled(bool enabled) {
  if (!enabled) HideEdit();
  SetState(enabled ? 0 : kDisabled);
}

void MEdit::SetControlVisible(bool visible) {
  if (!visible) HideEdit();
}

void MEdit::SetControlRect(const Rect& /*rect*/) {
  if (editing_ && editor_) editor_->Place(EditorRect());
}

void MEdit::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

void MEdit::SetEditText(std::u16string text) {
  if (editing_ && editor_) {
    editor_->Engine().SetText(text);
    editor_->Refresh();
  }
  SetTitle(std::move(text));
}

std::u16string MEdit::GetEditText() const { return editing_ && editor_ ? editor_->Engine().Text() : title_; }

void MEdit::SetTipInfo(std::u16string text) { Change(tip_, std::move(text)); }

std::u16string MEdit::GetTipInfo() const { return tip_; }

void MEdit::EnablePassWord(bool on) { Change(password_, on); }

bool MEdit::IsPassWord() const { return password_; }

void MEdit::SetPassWordChar(char16_t ch) { Change(passwordChar_, ch); }

char16_t MEdit::GetPassWordChar() const { return passwordChar_; }

void MEdit::EnableMultLine(bool on) { Change(multiLine_, on); }

bool MEdit::IsMultLine() const { return multiLine_; }

void MEdit::SetReadOnly(bool on) {
  readOnly_ = on;
  if (on) HideEdit();
}

bool MEdit::IsReadOnly() const { return readOnly_; }

void MEdit::SetNumberOnly(bool on) { numberOnly_ = on; }

bool MEdit::IsNumberOnly() const { return numberOnly_; }

void MEdit::EnableCharMessage(bool on) {
  charMessage_ = on;
  if (editor_) editor_->EnableCharacters(on);
}

bool MEdit::IsCharMessageEnabled() const { return charMessage_; }

void MEdit::SetLimitText(int units) {
  limit_ = units;
  if (editor_) editor_->Engine().SetLimit(units);
}

int MEdit::GetLimitText() const { return limit_; }

void MEdit::SetEditBKColor(std::optional<GdiColor> colour) { editBack_ = colour; }

std::optional<GdiColor> MEdit::GetEditBKColor() const { return editBack_; }

void MEdit::SetEditFont(std::u16string face, int size, bool bold, bool italic, bool underline) {
  SetFont(std::move(face), size, (bold ? 1U : 0U) | (italic ? 2U : 0U) | (underline ? 4U : 0U));
  if (editing_) ConfigureEditor();
}

int MEdit::SetIconImage(std::u16string_view fileName, int frameCount) {
  std::unique_ptr<Image> icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  if (!icon) return 0;
  icon_ = std::move(icon);
  iconFrames_ = std::max(frameCount, 1);
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MEdit::SetTextRect(const Rect& rect) { Change(textRect_, rect); }

Rect MEdit::GetTextRect() const { return textRect_; }

void MEdit::SetFrameSize(int corner) { Change(frameSize_, std::max(corner, 0)); }

bool MEdit::EnsureEditor() {
  if (manager_ == nullptr || manager_->GetPaintWnd() == nullptr) return false;
  if (!editor_) {
    EditWindow::Events events;
    events.changed = [this] { OnEditorChanged(); };
    events.focusLost = [this] { HideEdit(); };
    events.finished = [this](EditorExit exit) { OnEditorFinished(exit); };
    editor_ = std::make_unique<EditWindow>(manager_, std::move(events));
  }
  return editor_->Open(manager_->GetPaintWnd(), EditorRect());
}

void MEdit::ConfigureEditor() {
  EditEngine& engine = editor_->Engine();
  engine.SetLimit(limit_);
  engine.SetLines(multiLine_ ? EditLines::Multi : EditLines::Single);
  engine.SetFilter(numberOnly_ ? CharFilter::Digits : CharFilter::Any);
  engine.SetAccess(readOnly_ ? EditAccess::ReadOnly : EditAccess::Writable);
  engine.SetMask(password_ ? passwordChar_ : char16_t{0});
  engine.SetFont(GetGDIFont());
  editor_->EnableCharacters(charMessage_);
  editor_->SetAlignment(hAlign_ == 1 ? HAlign::Center : hAlign_ == 2 ? HAlign::Right : HAlign::Left);
  const ArgbColor selection = Manager::GetSelectColor();
  if (editBack_) {
    editor_->SetColours(GetTextColor(), Opaque(*editBack_), selection);
  } else {
    editor_->SetColours(ArgbColor(0xFF000000), ArgbColor(0xFFFFFFFF), selection);
  }
  editor_->Place(EditorRect());
}

void MEdit::ShowEdit() {
  if (readOnly_ || !IsEnabled() || !IsVisible()) return;
  if (editing_ && editor_) {
    editor_->SetFocus();
    return;
  }
  if (!EnsureEditor()) return;
  ConfigureEditor();
  editor_->Engine().SetText(title_);
  editing_ = true;
  focused_ = true;
  editor_->ShowFocused();
  SendMessageW(NOTIFY_EDIT_BEGIN, 0, 0);
}

void MEdit::HideEdit() {
  if (!editing_ || !editor_) return;
  editing_ = false;  // hiding takes the focus away: the editor must not end twice
  focused_ = false;
  const std::u16string text = editor_->Engine().Text();
  if (text != title_) SetTitle(text);
  editor_->Hide();
  SendMessageW(NOTIFY_EDIT_END, 0, 0);
}

void MEdit::OnEditorChanged() {
  title_ = editor_->Engine().Text();
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_EDIT_CHANGED, 0, 0);
}

void MEdit::OnEditorFinished(EditorExit exit) {
  PaintManager* manager = manager_;
  if (exit == EditorExit::Finish || manager == nullptr) {
    HideEdit();
    return;
  }
  MControl* next =
      exit == EditorExit::NextField ? manager->GetNextFocusableControl() : manager->GetPrevFocusableControl();
  if (next == nullptr || next == this) {
    HideEdit();
    return;
  }
  manager->SetFocusControl(next);
}

bool MEdit::IsEditFocused() const { return editing_; }

int MEdit::GetState() const { return state_; }

int MEdit::GetIconState() const { return iconState_; }

HWND MEdit::GetEditWindow() const { return editor_ ? editor_->GetSafeHwnd() : nullptr; }

void MEdit::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

void MEdit::SetIconState(int state) {
  if (iconState_ == state) return;
  iconState_ = state;
  if (icon_) UpdateControl(CacheReset::Keep);
}

}  // namespace ZephUI
