#include "zephui/CColorSelect.h"

#include <algorithm>

#include "zephui/CColorButton.h"

namespace ZephUI {

CColorSelect::CColorSelect(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {
  dblClk_ = false;  // quick presses on two swatches are two choices
}

CColorSelect::~CColorSelect() = default;

LRESULT CColorSelect::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  const long long index = static_cast<long long>(controlId) - COLOR_SELECT_FIRST_ID;
  if (controlId < COLOR_SELECT_FIRST_ID || index >= static_cast<long long>(items_.size())) {
    return MPanel::OnBaseMessage(controlId, msg, wParam, lParam);
  }
  if (msg != NOTIFY_PRESSED) return 0;
  selection_ = static_cast<int>(index);
  const GdiColor colour = items_[selection_]->GetColor();
  return SendMessageW(NOTIFY_COLOR, static_cast<WPARAM>(index), static_cast<LPARAM>(colour.Value()));
}

int CColorSelect::AddColor(GdiColor colour) {
  const int index = static_cast<int>(items_.size());
  auto* swatch = dynamic_cast<CColorButton*>(
      CreateControl(u"CColorButton", COLOR_SELECT_FIRST_ID + index, ItemRect(index), u"", true, IsEnabled()));
  if (swatch == nullptr) return -1;
  swatch->SetColor(colour);
  items_.push_back(swatch);
  return index;
}

int CColorSelect::GetItemCount() const { return static_cast<int>(items_.size()); }

GdiColor CColorSelect::GetItemColor(int index) const {
  const CColorButton* swatch = GetItem(index);
  return swatch != nullptr ? swatch->GetColor() : GdiColor();
}

int CColorSelect::GetSelItem() const { return selection_; }

bool CColorSelect::SetSelItem(int index) {
  if (index < -1 || index >= GetItemCount()) return false;
  selection_ = index;
  if (index < 0) {
    for (CColorButton* swatch : items_) swatch->SetControlCheck(0);
  } else {
    items_[index]->SetCheck(1);  // unchecks the others of the group
  }
  return true;
}

bool CColorSelect::SetSelItemColor(GdiColor colour) {
  CColorButton* swatch = GetItem(selection_);
  if (swatch == nullptr) return false;
  swatch->SetColor(colour);
  SendMessageW(NOTIFY_COLOR, 0, static_cast<LPARAM>(colour.Value()));
  return true;
}

CColorButton* CColorSelect::GetItem(int index) const {
  return index >= 0 && index < GetItemCount() ? items_[index] : nullptr;
}

void CColorSelect::SetItemSize(int size, int gap) {
  size_ = std::max(size, 1);
  gap_ = std::max(gap, 0);
}

Rect CColorSelect::ItemRect(int index) const {
  const int perRow = std::max((rect_.Width() + gap_) / (size_ + gap_), 1);
  const int x = rect_.left + (index % perRow) * (size_ + gap_);
  const int y = rect_.top + (index / perRow) * (size_ + gap_);
  return Rect{x, y, x + size_, y + size_};
}

}  // namespace ZephUI
