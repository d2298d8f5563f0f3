#include "zephui/MRowList.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MEdit.h"
#include "zephui/MScroll.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kEditorId = 0xFFFF0002;  // out of the way of the dialog's own ids

}  // namespace

MRowList::MRowList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, int rowHeight)
    : MPanel(parent, id, rect, visible),
      rowHeight_(std::max(rowHeight, 1)),
      hoverColour_(Manager::GetSelectColor()),
      selectColour_(Manager::GetSelectColor()),
      editBack_(GdiColor::FromRgb(0, 0, 0)) {
  textColour_ = ArgbColor(0xFFFFFFFF);
}

MRowList::~MRowList() = default;

void MRowList::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
  // Scrolled panels leave their children undrawn; the bar is ours to draw.
  if (vertical_->IsVisible()) vertical_->Draw(hdc, paintRect);
}

int MRowList::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || GetItemCount() == 0) return 0;
  if (hover_ >= 0 && hover_ == RowAt(point)) return 1;
  const int row = RowAt(point);
  if (row == hover_) return 0;
  hover_ = row;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MRowList::OnControlScroll(int /*bar*/, int direction, Point /*point*/) {
  if (GetItemCount() * rowHeight_ <= rect_.Height()) return 0;
  const int step = direction == 1 ? WheelStep() : -WheelStep();
  return ScrollTo(vertical_->GetScrollPos() + step) ? 1 : 0;
}

int MRowList::SetControlFocus(FocusChange focus) {
  const bool toEditor = manager_ != nullptr && editor_ != nullptr && manager_->GetFocusControl() == editor_;
  if (focus == FocusChange::Take && !toEditor && editing_ >= 0) {
    HideEdit(EditClose::Force);
    UpdateControl(CacheReset::Reset);
  }
  return MPanel::SetControlFocus(focus);
}

LRESULT MRowList::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId != kEditorId) return MPanel::OnBaseMessage(controlId, msg, wParam, lParam);
  if (msg == NOTIFY_EDIT_CHANGED && editor_ != nullptr) {
    title_ = editor_->GetEditText();
    SendMessageW(NOTIFY_EDIT_CHANGED, 0, 0);
  } else if (msg == NOTIFY_EDIT_END) {
    HideEdit(EditClose::Force);  // Enter, or the editor lost the focus
  }
  return 0;
}

void MRowList::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  SetVirtualSize(0, GetItemCount() * rowHeight_);
}

int MRowList::GetCurSel() const { return selection_; }

int MRowList::GetHoverItem() const { return hover_; }

void MRowList::SetItemHeight(int height) {
  rowHeight_ = std::max(height, 1);
  Relayout();
}

int MRowList::GetItemHeight() const { return rowHeight_; }

void MRowList::SetImageList(MImageList* images) { images_ = images; }

Rect MRowList::GetRowRect(int index) const {
  const int top = rect_.top + index * rowHeight_ - GetVerticalOffset();
  return Rect{rect_.left, top, rect_.left + RowWidth(), top + rowHeight_};
}

bool MRowList::ShowEdit() {
  if (!editable_ || !IsEnabled() || selection_ < 0 || selection_ >= GetItemCount() || !MayEdit()) return false;
  if (editing_ >= 0 && editing_ != selection_) HideEdit(EditClose::Force);
  editing_ = selection_;
  if (!OpenEditor(EditText(editing_))) {
    editing_ = -1;
    return false;
  }
  focused_ = true;
  UpdateControl(CacheReset::Reset);
  return true;
}

// The report comes last: the owner may read the new value at once.
void MRowList::HideEdit(EditClose close) {
  if (!editable_ || editing_ < 0) return;
  if (close == EditClose::IfMoved && editing_ == selection_) return;
  const int row = std::exchange(editing_, -1);
  focused_ = false;
  if (editor_ == nullptr) return;
  if (editor_->IsEditFocused()) editor_->HideEdit();  // reports back here; editing_ is already cleared
  const bool changed = row < GetItemCount() && CommitEdit(row, editor_->GetEditText());
  editor_->SetVisible(false);
  UpdateControl(CacheReset::Reset);
  if (changed) SendMessageW(NOTIFY_EDIT_END, 0, static_cast<LPARAM>(row));
}

int MRowList::GetEditItem() const { return editing_; }

MEdit* MRowList::GetEditor() const { return editor_; }

bool MRowList::MayEdit() const { return true; }

int MRowList::WheelStep() const { return vertical_->GetScrollStep(); }

int MRowList::RowAt(Point content) const {
  const Point window{content.x, content.y - GetVerticalOffset()};
  if (!PtInRect(window) || window.x >= rect_.left + RowWidth()) return -1;
  const int row = (content.y - rect_.top) / rowHeight_;
  const auto [first, last] = VisibleRange();
  return row >= first && row <= last ? row : -1;
}

std::pair<int, int> MRowList::VisibleRange() const {
  const int offset = GetVerticalOffset();
  const int last = std::clamp((rect_.Height() + offset) / rowHeight_, 0, GetItemCount() - 1);
  return {std::max(offset / rowHeight_, 0), last};
}

void MRowList::Relayout() {
  SetVirtualSize(0, GetItemCount() * rowHeight_);
  UpdateControl(CacheReset::Reset);
}

bool MRowList::ScrollTo(int position) {
  if (!vertical_->SetScrollPos(std::clamp(position, 0, vertical_->GetScrollRange()))) return false;
  UpdateControl(CacheReset::Reset);
  return true;
}

bool MRowList::Select(int index) {
  if (index == selection_) return false;
  selection_ = index;
  UpdateControl(CacheReset::Reset);
  return true;
}

void MRowList::ForgetRows() {
  hover_ = -1;
  selection_ = -1;
}

int MRowList::RowWidth() const { return rect_.Width() - (vertical_->IsVisible() ? PANEL_SCROLL_SIZE : 0); }

// The editor is a child field of the list, so it goes with it; it takes its input through its own window.
bool MRowList::OpenEditor(const std::u16string& text) {
  if (manager_ == nullptr) return false;
  const Rect area = EditArea(GetRowRect(editing_));
  if (editor_ == nullptr) {
    editor_ = dynamic_cast<MEdit*>(CreateControl(u"MEdit", kEditorId, area, text, true, true));
    if (editor_ == nullptr) return false;
  }
  editor_->SetEditFont(GetTextFont(), GetFontWidth(), (fontStyle_ & 1) != 0, (fontStyle_ & 2) != 0,
                       (fontStyle_ & 4) != 0);
  editor_->SetEditBKColor(editBack_);
  editor_->SetTextColor(GetTextColor());
  PrepareEditor(*editor_);
  editor_->SetRect(area);
  editor_->SetEditText(text);
  editor_->SetVisible(true);
  manager_->SetFocusControl(editor_);
  editor_->ShowEdit();
  return true;
}

void MRowList::Render(RenderContext& target, const Rect& slot) {
  target.Save();
  target.ClipRect(slot);
  const auto [first, last] = VisibleRange();
  for (int i = first; i <= last; ++i) {
    DrawRow(target, RectOps::Offset(GetRowRect(i), slot.left - rect_.left, slot.top - rect_.top), i);
  }
  target.Restore();
}

}  // namespace ZephUI
