#include "zephui/DListBox.h"

#include <algorithm>
#include <utility>

#include "zephui/MEdit.h"
#include "zephui/MRender.h"
#include "zephui/MScroll.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

constexpr int kRowHeight = 32;
constexpr int kIconColumn = 50;     // text starts after the icon column
constexpr int kEditLeft = 47;       // the editor background starts a little before the text
constexpr int kEditRightGap = 6;
constexpr int kEditorRightGap = 10;
constexpr int kEditCorner = 6;
constexpr int kWheelSteps = 10;

// The editor's height over the font size: what each of the skin's font sizes needs.
int EditorPadding(int fontSize) {
  switch (fontSize) {
    case 8: return 4;
    case 16: return 8;
    default: return 6;
  }
}

}  // namespace

DListBox::DListBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MRowList(parent, id, rect, visible, kRowHeight) {
  editBack_ = GdiColor::FromRgb(6, 24, 53);
}

DListBox::~DListBox() = default;

int DListBox::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  hover_ = RowAt(point);
  if (hover_ < 0) return 0;
  if (editing_ >= 0 && editing_ != hover_) HideEdit(EditClose::Force);
  selection_ = hover_;
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(selection_), 0);
  return 1;
}

int DListBox::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const int row = RowAt(point);
  if (row < 0 || row != hover_) return 0;
  Select(row);
  SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(row), 0);
  return 1;
}

int DListBox::OnControlRButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  Select(hover_);
  if (PtInRect(Point{point.x, point.y - GetVerticalOffset()})) {
    SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(selection_), 0);
  }
  return 1;
}

LRESULT DListBox::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId == SCROLLBAR_VERTICAL_ID && msg == NOTIFY_SCROLL) UpdateControl(CacheReset::Reset);
  return MRowList::OnBaseMessage(controlId, msg, wParam, lParam);
}

int DListBox::SetImage(std::u16string_view path, int frameCount) {
  const int loaded = MRowList::SetImage(path, frameCount);
  UpdateControl(CacheReset::Reset);
  return loaded;
}

int DListBox::GetItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(entries_.size());
}

int DListBox::AddString(std::u16string text, int image) { return InsertString(-1, std::move(text), image, 0); }

int DListBox::AddString(std::u16string text, int data, int image) {
  return InsertString(-1, std::move(text), image, data);
}

int DListBox::InsertString(int index, std::u16string text, int image, int data) {
  int at = 0;
  {
    std::lock_guard lock(itemLock_);
    const int count = static_cast<int>(entries_.size());
    if (index < -1 || (index >= count && !(index == 0 && count == 0))) return -1;
    at = index == -1 ? count : index;
    entries_.insert(entries_.begin() + at, Entry{std::move(text), image, data});
  }
  return Added(at);
}

int DListBox::AddItem(std::u16string text, int data) {
  const int at = InsertString(-1, std::move(text), 1, data);
  ScrollTo(0);
  return at;
}

int DListBox::DeleteItem(int index) {
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(entries_.size())) return 0;
    entries_.erase(entries_.begin() + index);
  }
  if (editing_ >= 0) HideEdit(EditClose::Force);
  ForgetRows();
  Relayout();
  return 1;
}

void DListBox::DeleteAllItems() {
  if (editing_ >= 0) HideEdit(EditClose::Force);
  {
    std::lock_guard lock(itemLock_);
    entries_.clear();
  }
  ForgetRows();
  vertical_->SetScrollPos(0);
  Relayout();
}

std::u16string DListBox::GetItemText(int index) const {
  Entry entry;
  return EntryAt(index, entry) ? entry.text : std::u16string();
}

bool DListBox::ModifyItemString(int index, std::u16string text) {
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
    entries_[index].text = std::move(text);
  }
  UpdateControl(CacheReset::Reset);
  return true;
}

bool DListBox::SetItemData(int index, int data) {
  std::lock_guard lock(itemLock_);
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entries_[index].data = data;
  return true;
}

int DListBox::GetItemData(int index) const {
  Entry entry;
  return EntryAt(index, entry) ? entry.data : 0;
}

int DListBox::FindString(std::u16string_view text) const {
  std::lock_guard lock(itemLock_);
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.text == text; });
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

int DListBox::FindItemData(int data) const {
  std::lock_guard lock(itemLock_);
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.data == data; });
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

void DListBox::SwapItem(int a, int b) {
  std::lock_guard lock(itemLock_);
  const int count = static_cast<int>(entries_.size());
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
  std::swap(entries_[a], entries_[b]);
}

int DListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  Select(index);
  return 1;
}

int DListBox::SetCurData(int data) {
  const int index = FindItemData(data);
  SetCurSel(index);
  return index;
}

int DListBox::GetCurData() const { return selection_ >= 0 ? GetItemData(selection_) : 0; }

int DListBox::SetEditImage(std::u16string_view path, int frameCount) {
  if (manager_ == nullptr) return 0;
  editImage_ = manager_->AddImgResInfo(path, frameCount);
  return editImage_ != nullptr ? 1 : 0;
}

void DListBox::EnableShowEdit(bool on) {
  if (!on && editing_ >= 0) HideEdit(EditClose::Force);
  editable_ = on;
}

Rect DListBox::GetItemRect(int /*index*/) const { return Rect{}; }

void DListBox::DrawRow(RenderContext& target, const Rect& row, int index) {
  Entry entry;
  if (!EntryAt(index, entry)) return;
  if (index == editing_) {
    DrawIcon(target, row, index);
    if (editImage_ != nullptr && editImage_->image) {
      const Rect back{row.left + kEditLeft, row.top, row.right - kEditRightGap, row.bottom};
      MRender::DrawImageFrame(target, *editImage_->image, back, editImage_->frameWidth, 0, editImage_->frameWidth,
                              editImage_->height, kEditCorner);
    }
    return;
  }
  const Rect fill{row.left + 1, row.top, row.right, row.bottom};
  if (index == hover_) {
    MRender::DrawColor(target, fill, hoverColour_);
  } else if (index == selection_) {
    MRender::DrawColor(target, fill, selectColour_);
  }
  DrawIcon(target, row, index);
  MRender::DrawTextW(target, Rect{row.left + kIconColumn, row.top, row.right, row.bottom}, entry.text, GetTextColor(),
                     GetGDIFont(), TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine);
}

std::u16string DListBox::EditText(int index) const { return GetItemText(index); }

bool DListBox::CommitEdit(int index, const std::u16string& text) {
  if (text == GetItemText(index)) return false;
  return ModifyItemString(index, text);
}

Rect DListBox::EditArea(const Rect& row) const {
  const int height = GetFontWidth() + EditorPadding(GetFontWidth());
  const int top = row.top + (row.Height() - height) / 2;
  return Rect{row.left + kIconColumn, top, rect_.right - kEditorRightGap, top + height};
}

void DListBox::PrepareEditor(MEdit& editor) {
  editor.SetNumberOnly(false);
  editor.SetAlignment(0);
}

int DListBox::WheelStep() const { return kWheelSteps * vertical_->GetScrollStep(); }

bool DListBox::EntryAt(int index, Entry& entry) const {
  std::lock_guard lock(itemLock_);
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entry = entries_[index];
  return true;
}

void DListBox::DrawIcon(RenderContext& target, const Rect& row, int index) {
  if (image_ == nullptr || !image_->image) return;
  const int frame = index == selection_ && image_->frameCount > 1 ? 1 : 0;
  const int x = row.left + (kIconColumn - image_->frameWidth) / 2;
  const int y = row.top + (row.Height() - image_->height) / 2;
  MRender::DrawImage(target, *image_->image, Rect{x, y, x + image_->frameWidth, y + image_->height},
                     Rect{frame * image_->frameWidth, 0, (frame + 1) * image_->frameWidth, image_->height});
}

int DListBox::Added(int index) {
  Relayout();
  return index;
}

}  // namespace ZephUI
