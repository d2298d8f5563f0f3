#include "zephui/MListBox.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MEdit.h"
#include "zephui/MImageList.h"
#include "zephui/MRender.h"
#include "zephui/MScroll.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kTextLeft = 8;        // text inset without icons
constexpr int kIconSize = 20;       // icons are drawn this size unless the image list says otherwise
constexpr std::uint8_t kHoverAlpha = 0x60;
constexpr std::uint32_t kEditorId = 0xFFFF0001;  // out of the way of the dialog's own ids
constexpr std::uint32_t kRenameKey = VK_F1 + 1;  // F2

}  // namespace

MListBox::MListBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible) : MPanel(parent, id, rect, visible) {
  textColour_ = ArgbColor(0xFFFFFFFF);
  SetTabStop(true);
  vertical_->SetScrollStep(rowHeight_);
}

MListBox::~MListBox() = default;

void MListBox::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
  // Scrolled panels leave their children undrawn; the bar is ours to draw.
  if (vertical_->IsVisible()) vertical_->Draw(hdc, paintRect);
}

int MListBox::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const int row = RowAt(point);
  if (row == hover_) return row >= 0 ? 1 : 0;
  hover_ = row;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MListBox::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const int row = RowAt(point);
  if (row < 0) return 0;
  if (editing_ >= 0 && editing_ != row) HideEdit();
  selection_ = row;
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(row), 0);
  return 1;
}

int MListBox::OnControlLButtonDblClk(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || RowAt(point) < 0) return 0;
  SendMessageW(NOTIFY_DBLCLICK, static_cast<WPARAM>(selection_), 0);
  return 1;
}

int MListBox::OnControlRButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const int row = RowAt(point);
  if (row >= 0 && row != selection_) {
    HideEdit();
    selection_ = row;
    UpdateControl(CacheReset::Reset);
  }
  SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(selection_), 0);
  return 1;
}

int MListBox::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  const int count = GetItemCount();
  if (!IsEnabled() || !IsFocused() || modifiers != 0 || count == 0 || editing_ >= 0) {
    return MPanel::OnControlKeyDown(key, repeat, modifiers);
  }
  const int page = std::max(rect_.Height() / rowHeight_, 1);
  switch (key) {
    case VK_UP: return Choose(selection_ < 0 ? 0 : selection_ - 1);
    case VK_DOWN: return Choose(selection_ + 1);
    case VK_PRIOR: return Choose(selection_ - page);
    case VK_NEXT: return Choose(selection_ + page);
    case VK_HOME: return Choose(0);
    case VK_END: return Choose(count - 1);
    case kRenameKey: return ShowEdit() ? 1 : 0;
    default: return MPanel::OnControlKeyDown(key, repeat, modifiers);
  }
}

int MListBox::OnControlScroll(int /*bar*/, int direction, Point /*point*/) {
  if (!IsScrollEnabled()) return 0;
  if (editing_ >= 0) HideEdit();
  return ScrollTo(GetVerticalOffset() + (direction == 1 ? rowHeight_ : -rowHeight_)) ? 1 : 0;
}

int MListBox::SetControlFocus(FocusChange focus) {
  if (focus == FocusChange::Take && editing_ >= 0) HideEdit();
  return MPanel::SetControlFocus(focus);
}

LRESULT MListBox::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId == SCROLLBAR_VERTICAL_ID && msg == NOTIFY_SCROLL && editing_ >= 0) HideEdit();
  if (controlId != kEditorId) return MPanel::OnBaseMessage(controlId, msg, wParam, lParam);
  if (msg == NOTIFY_EDIT_END) HideEdit();
  return 0;
}

void MListBox::SetTextColor(ArgbColor colour) {
  MPanel::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MListBox::AddString(std::u16string text, int image, int data) {
  return InsertString(-1, std::move(text), image, data);
}

int MListBox::InsertString(int index, std::u16string text, int image, int data) {
  int at = -1;
  {
    std::lock_guard lock(itemLock_);
    const int count = static_cast<int>(items_.size());
    if (index < -1 || index >= count) return -1;
    at = index == -1 ? count : index;
    items_.insert(items_.begin() + at, Item{std::move(text), image, data});
  }
  if (selection_ >= at) ++selection_;
  Relayout();
  return at;
}

int MListBox::DeleteItem(int index) {
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    items_.erase(items_.begin() + index);
  }
  if (editing_ >= 0) HideEdit();
  selection_ = selection_ == index ? -1 : selection_ > index ? selection_ - 1 : selection_;
  hover_ = -1;
  Relayout();
  return 1;
}

void MListBox::DeleteAllItems() {
  if (editing_ >= 0) HideEdit();
  {
    std::lock_guard lock(itemLock_);
    items_.clear();
  }
  selection_ = -1;
  hover_ = -1;
  vertical_->SetScrollPos(0);
  Relayout();
}

int MListBox::GetItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(items_.size());
}

std::u16string MListBox::GetItemText(int index) const {
  std::lock_guard lock(itemLock_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].text : std::u16string();
}

bool MListBox::ModifyItemString(int index, std::u16string text) {
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    items_[index].text = std::move(text);
  }
  UpdateControl(CacheReset::Reset);
  return true;
}

int MListBox::GetItemData(int index) const {
  std::lock_guard lock(itemLock_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].data : 0;
}

bool MListBox::SetItemData(int index, int data) {
  std::lock_guard lock(itemLock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return false;
  items_[index].data = data;
  return true;
}

int MListBox::FindString(std::u16string_view text) const {
  std::lock_guard lock(itemLock_);
  const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.text == text; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int MListBox::FindItemData(int data) const {
  std::lock_guard lock(itemLock_);
  const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.data == data; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int MListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (editing_ >= 0 && index != editing_) HideEdit();
  if (index != selection_) {
    selection_ = index;
    UpdateControl(CacheReset::Reset);
  }
  if (index >= 0) ScrollIntoView(index);
  return 1;
}

int MListBox::GetCurSel() const { return selection_; }

int MListBox::GetCurData() const { return selection_ >= 0 ? GetItemData(selection_) : 0; }

void MListBox::SetItemHeight(int height) {
  rowHeight_ = std::max(height, 1);
  vertical_->SetScrollStep(rowHeight_);
  Relayout();
}

void MListBox::SetImageList(MImageList* images) {
  images_ = images;
  UpdateControl(CacheReset::Reset);
}

Rect MListBox::GetItemRect(int index) const {
  const int top = rect_.top + index * rowHeight_ - GetVerticalOffset();
  return Rect{rect_.left, top, rect_.left + RowWidth(), top + rowHeight_};
}

void MListBox::EnableShowEdit(bool on) {
  if (!on && editing_ >= 0) HideEdit();
  editable_ = on;
}

// The editor is a child of the list, so it goes with it. While it is open it takes its input through its own
// editor window; scrolling closes it, so its window rectangle never has to follow the rows.
bool MListBox::ShowEdit() {
  if (!editable_ || !IsEnabled() || selection_ < 0 || manager_ == nullptr) return false;
  const int row = selection_;
  ScrollIntoView(row);
  const std::u16string text = GetItemText(row);
  if (editor_ == nullptr) {
    editor_ = dynamic_cast<MEdit*>(CreateControl(u"MEdit", kEditorId, EditorRect(row), text, true, true));
    if (editor_ == nullptr) return false;
  }
  editor_->SetRect(EditorRect(row));
  editor_->SetEditText(text);
  editor_->SetVisible(true);
  // Focus first: the list losing it to its own editor must not find a rename to end.
  manager_->SetFocusControl(editor_);
  editing_ = row;
  UpdateControl(CacheReset::Reset);
  editor_->ShowEdit();
  return true;
}

// The report comes last: the dialog may store the new name at once.
void MListBox::HideEdit() {
  const int row = std::exchange(editing_, -1);
  if (row < 0 || editor_ == nullptr) return;
  if (editor_->IsEditFocused()) editor_->HideEdit();  // reports back here; editing_ is already cleared
  const std::u16string text = editor_->GetEditText();
  editor_->SetVisible(false);
  const bool changed = text != GetItemText(row);
  if (changed) ModifyItemString(row, text);
  UpdateControl(CacheReset::Reset);
  if (changed) SendMessageW(NOTIFY_EDIT_END, 0, static_cast<LPARAM>(GetItemData(row)));
}

int MListBox::GetEditItem() const { return editing_; }

std::vector<std::pair<int, MListBox::Item>> MListBox::VisibleRows() const {
  const int offset = GetVerticalOffset();
  const int first = offset / rowHeight_;
  const int last = (offset + rect_.Height()) / rowHeight_;
  std::vector<std::pair<int, Item>> rows;
  std::lock_guard lock(itemLock_);
  for (int i = std::max(first, 0); i <= last && i < static_cast<int>(items_.size()); ++i) rows.emplace_back(i, items_[i]);
  return rows;
}

void MListBox::Render(RenderContext& target, const Rect& slot) {
  target.Save();
  target.ClipRect(slot);
  for (const auto& [index, item] : VisibleRows()) {
    DrawRow(target, RectOps::Offset(GetItemRect(index), slot.left - rect_.left, slot.top - rect_.top), index, item);
  }
  target.Restore();
}

void MListBox::DrawRow(RenderContext& target, const Rect& row, int index, const Item& item) {
  const ArgbColor accent = Manager::GetSelectColor();
  if (index == selection_) {
    MRender::DrawColor(target, row, accent);
  } else if (index == hover_) {
    MRender::DrawColor(target, row, ArgbColor::FromArgb(kHoverAlpha, accent.Red(), accent.Green(), accent.Blue()));
  }
  int textLeft = row.left + kTextLeft;
  if (images_ != nullptr) {
    const Size drawn = images_->GetIconSize();
    const int w = drawn.width > 0 ? drawn.width : kIconSize;
    const int h = drawn.height > 0 ? drawn.height : kIconSize;
    const int x = row.left + (rowHeight_ - w) / 2;
    const int y = row.top + (rowHeight_ - h) / 2;
    if (item.image >= 0) images_->DrawItemIcon(target, Rect{x, y, x + w, y + h}, item.image, index == selection_ ? 1 : 0);
    textLeft = row.left + std::max(rowHeight_, w + 8);
  }
  if (index == editing_) return;  // the editor shows the text
  MRender::DrawTextW(target, Rect{textLeft, row.top, row.right - 4, row.bottom}, item.text, GetTextColor(),
                     GetGDIFont(), TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine | TextFormat::EndEllipsis);
}

int MListBox::RowAt(Point point) const {
  const Point window{point.x, point.y - GetVerticalOffset()};
  if (!PtInRect(window) || window.x >= rect_.left + RowWidth()) return -1;
  const int row = (point.y - rect_.top) / rowHeight_;
  return row < GetItemCount() ? row : -1;
}

int MListBox::RowWidth() const { return rect_.Width() - (vertical_->IsVisible() ? PANEL_SCROLL_SIZE : 0); }

void MListBox::Relayout() {
  SetVirtualSize(0, GetItemCount() * rowHeight_);
  UpdateControl(CacheReset::Reset);
}

void MListBox::ScrollIntoView(int index) {
  const int offset = GetVerticalOffset();
  if (index * rowHeight_ < offset) {
    ScrollTo(index * rowHeight_);
  } else if ((index + 1) * rowHeight_ > offset + rect_.Height()) {
    ScrollTo((index + 1) * rowHeight_ - rect_.Height());
  }
}

bool MListBox::ScrollTo(int offset) {
  const int overflow = GetItemCount() * rowHeight_ - rect_.Height();
  const int range = vertical_->GetScrollRange();
  if (overflow <= 0 || range <= 0) return false;
  const long long wanted = std::clamp(offset, 0, overflow);
  // The bar's position maps onto the overflow; round up so the row is not left a pixel short.
  const long long position = (wanted * range + overflow - 1) / overflow;
  if (!vertical_->SetScrollPos(static_cast<int>(position))) return false;
  UpdateControl(CacheReset::Reset);
  return true;
}

int MListBox::Choose(int index) {
  const int row = std::clamp(index, 0, GetItemCount() - 1);
  ScrollIntoView(row);
  if (row == selection_) return 1;
  selection_ = row;
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(row), 0);
  return 1;
}

Rect MListBox::EditorRect(int index) const {
  const Rect row = GetItemRect(index);
  const int left = images_ != nullptr ? row.left + rowHeight_ : row.left + 2;
  return Rect{left, row.top + 2, row.right - 4, row.bottom - 2};
}

}  // namespace ZephUI
