#include "zephui/CRecordList.h"

#include <algorithm>
#include <string>
#include <utility>

#include "zephui/MEdit.h"
#include "zephui/MRender.h"
#include "zephui/MScroll.h"

namespace ZephUI {
namespace {

constexpr int kRowHeight = 41;
constexpr int kDelayLimit = 5;
constexpr std::int32_t kEmptyDelay = 10;  // an emptied delay falls back to the shortest usual pause
struct Column {
  int left;
  int right;
};
constexpr Column kNameColumn{0, 160};
constexpr Column kStatusColumn{180, 280};
constexpr Column kDelayColumn{300, 420};

std::u16string Decimal(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// The leading decimal digits; what follows them is ignored.
std::int32_t ParseDelay(const std::u16string& text) {
  if (text.empty()) return kEmptyDelay;
  std::int64_t value = 0;
  for (const char16_t unit : text) {
    if (unit < u'0' || unit > u'9' || value > INT32_MAX / 10) break;
    value = value * 10 + (unit - u'0');
  }
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, INT32_MAX));
}

std::u16string StatusText(std::int32_t type) {
  if (type == RECORD_KEY_DOWN) return u"Key Down";
  if (type == RECORD_KEY_UP) return u"Key Up";
  return {};
}

Rect InColumn(const Rect& row, Column column) {
  return Rect{row.left + column.left, row.top, row.left + column.right, row.bottom};
}

}  // namespace

CRecordList::CRecordList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MRowList(parent, id, rect, visible, kRowHeight) {
  editable_ = true;
  editBack_ = GdiColor::FromRgb(25, 25, 25);
}

CRecordList::~CRecordList() = default;

int CRecordList::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  hover_ = RowAt(point);
  Select(hover_);  // repaints when it changed
  const int x = point.x - rect_.left;
  if (hover_ >= 0 && x >= kDelayColumn.left && x < kDelayColumn.right) {
    ShowEdit();
  } else {
    HideEdit(EditClose::Force);
  }
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(selection_), 0);
  return 1;
}

int CRecordList::OnControlRButtonUp(std::uint32_t /*flags*/, Point /*point*/) {
  if (!IsEnabled()) return 0;
  Select(hover_);
  if (selection_ >= 0) SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(selection_), 0);
  return 1;
}

int CRecordList::GetItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(steps_.size());
}

int CRecordList::AddString(std::u16string keyName, int type, int keyCode, int delay) {
  int at = 0;
  {
    std::lock_guard lock(itemLock_);
    at = static_cast<int>(steps_.size());
    steps_.push_back(std::make_unique<RecordItem>(RecordItem{std::move(keyName), type, keyCode, delay, Rect{}}));
  }
  Relayout();
  ScrollTo(vertical_->GetScrollRange());
  return at;
}

bool CRecordList::UpdateDelayTime(int delay) {
  {
    std::lock_guard lock(itemLock_);
    if (steps_.empty()) return false;
    steps_.back()->delay = delay;
  }
  UpdateControl(CacheReset::Reset);
  return true;
}

int CRecordList::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  Select(index);
  return 1;
}

int CRecordList::DeleteItem(int index) {
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(steps_.size())) return 0;
    steps_.erase(steps_.begin() + index);
  }
  HideEdit(EditClose::Force);
  ForgetRows();
  Relayout();
  return 1;
}

void CRecordList::DeleteAllItems() {
  HideEdit(EditClose::Force);
  {
    std::lock_guard lock(itemLock_);
    steps_.clear();
  }
  ForgetRows();
  vertical_->SetScrollPos(0);
  Relayout();
}

void CRecordList::SwapItem(int a, int b) {
  std::lock_guard lock(itemLock_);
  const int count = static_cast<int>(steps_.size());
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
  std::swap(steps_[a], steps_[b]);
}

std::vector<RecordItem*> CRecordList::GetRecordItems() const {
  std::lock_guard lock(itemLock_);
  std::vector<RecordItem*> items;
  items.reserve(steps_.size());
  for (const auto& step : steps_) items.push_back(step.get());
  return items;
}

void CRecordList::DrawRow(RenderContext& target, const Rect& row, int index) {
  RecordItem step;
  if (!StepAt(index, step)) return;
  const Rect outline{row.left, row.top, row.right - 2, row.bottom - 1};  // the row is narrower while the bar shows
  if (index == selection_) {
    MRender::DrawRectangle(target, outline, selectColour_);
  } else if (index == hover_) {
    MRender::DrawRectangle(target, outline, hoverColour_);
  }
  const TextFormat centred = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;
  const Font& font = GetGDIFont();
  MRender::DrawTextW(target, InColumn(row, kNameColumn), step.keyName, GetTextColor(), font, centred);
  MRender::DrawTextW(target, InColumn(row, kStatusColumn), StatusText(step.type), GetTextColor(), font, centred);
  if (index != editing_) {
    MRender::DrawTextW(target, InColumn(row, kDelayColumn), Decimal(step.delay), GetTextColor(), font, centred);
  }
}

std::u16string CRecordList::EditText(int index) const {
  RecordItem step;
  return StepAt(index, step) ? Decimal(step.delay) : std::u16string();
}

bool CRecordList::CommitEdit(int index, const std::u16string& text) {
  const std::int32_t delay = ParseDelay(text);
  {
    std::lock_guard lock(itemLock_);
    if (index < 0 || index >= static_cast<int>(steps_.size()) || steps_[index]->delay == delay) return false;
    steps_[index]->delay = delay;
  }
  UpdateControl(CacheReset::Reset);
  return true;
}

Rect CRecordList::EditArea(const Rect& row) const {
  const int height = GetFontWidth() + 3;
  const int top = row.top + (row.Height() - height) / 2;
  return Rect{row.left + kDelayColumn.left, top, row.left + kDelayColumn.right, top + height};
}

void CRecordList::PrepareEditor(MEdit& editor) {
  editor.SetNumberOnly(true);
  editor.SetLimitText(kDelayLimit);
  editor.SetAlignment(1);
}

bool CRecordList::MayEdit() const { return selection_ == hover_; }

bool CRecordList::StepAt(int index, RecordItem& step) const {
  std::lock_guard lock(itemLock_);
  if (index < 0 || index >= static_cast<int>(steps_.size())) return false;
  step = *steps_[index];
  return true;
}

}  // namespace ZephUI
