#include "zephui/CComboBoxList.h"

#include <algorithm>
#include <utility>

#include "zephui/MRender.h"
#include "zephui/MScroll.h"
#include "zephui/Manager.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kRowInset = 2;
constexpr int kWheelSteps = 2;
constexpr int kPageRows = 5;
constexpr TextFormat kRowFormat = TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

CComboBoxList::CComboBoxList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible),
      hoverColour_(Manager::GetSelectColor()),
      selectColour_(Manager::GetSelectColor()) {}

CComboBoxList::~CComboBoxList() = default;

void CComboBoxList::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  const bool bar = HasScrollBar();
  const int width = rect_.Width() - (bar ? PANEL_SCROLL_SIZE : 0);
  const int offset = GetVerticalOffset();
  hdc.Save();
  hdc.ClipRect(rect_);
  for (int row = std::max(offset / COMBO_ROW_HEIGHT, 0); row < GetCount(); ++row) {
    const int top = rect_.top + row * COMBO_ROW_HEIGHT - offset;
    if (top >= rect_.bottom) break;
    const Rect cell{rect_.left, top, rect_.left + width, top + COMBO_ROW_HEIGHT};
    const bool selected = row == selectedRow_;
    const bool lit = selected || (selectedRow_ < 0 && row == hoverRow_);
    if (lit) {
      MRender::DrawColor(hdc, Rect{cell.left + kRowInset, cell.top, cell.right - kRowInset, cell.bottom},
                         selected ? selectColour_ : hoverColour_);
    }
    const Rect text{cell.left + 2 * kRowInset, cell.top, cell.right - kRowInset, cell.bottom};
    MRender::DrawTextW(hdc, text, items_[static_cast<std::size_t>(row)].text, lit ? highlightText_ : textColour_,
                       GetGDIFont(), kRowFormat);
  }
  hdc.Restore();
  if (bar) vertical_->Draw(hdc, paintRect);
}

int CComboBoxList::RowAt(Point content) const {
  if (content.x < rect_.left || content.x >= rect_.right || content.y < rect_.top) return -1;
  const int row = (content.y - rect_.top) / COMBO_ROW_HEIGHT;
  return row < GetCount() ? row : -1;
}

int CComboBoxList::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  const int row = RowAt(point);
  if (row == hoverRow_) return row >= 0 ? 1 : 0;
  hoverRow_ = row;
  UpdateControl(CacheReset::Keep);
  return 1;
}

int CComboBoxList::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  const int row = RowAt(point);
  if (row < 0) return 0;
  hoverRow_ = row;
  SetSelectedRow(row);
  return 1;
}

int CComboBoxList::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (selectedRow_ < 0 || RowAt(point) != selectedRow_) return 0;
  Choose();
  return 1;
}

int CComboBoxList::OnControlScroll(int bar, int direction, Point point) {
  if (!HasScrollBar()) return 0;
  int handled = 0;
  for (int step = 0; step < kWheelSteps; ++step) handled |= MPanel::OnControlScroll(bar, direction, point);
  return handled;
}

int CComboBoxList::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (key == VK_RETURN || key == VK_SPACE) {
    if (selectedRow_ >= 0) Choose();
    return 1;
  }
  if (key == VK_ESCAPE) {
    SendMessageW(NOTIFY_KEYDOWN, VK_ESCAPE, 0);
    return 1;
  }
  const int row = TargetRow(key);
  if (row == -2) return MPanel::OnControlKeyDown(key, repeat, modifiers);
  SetSelectedRow(row);
  return 1;
}

// -2 for keys that do not move the selection.
int CComboBoxList::TargetRow(std::uint32_t key) const {
  const int last = GetCount() - 1;
  const int from = selectedRow_ >= 0 ? selectedRow_ : hoverRow_;
  switch (key) {
    case VK_DOWN: return std::min(from + 1, last);
    case VK_UP: return from < 0 ? last : std::max(from - 1, 0);
    case VK_NEXT: return std::min(from + kPageRows, last);
    case VK_PRIOR: return std::max(from - kPageRows, 0);
    case VK_HOME: return last >= 0 ? 0 : -1;
    case VK_END: return last;
    default: return -2;
  }
}

void CComboBoxList::Choose() { SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(selectedRow_), COMBO_CHOICE_MARK); }

void CComboBoxList::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  SetVirtualSize(0, GetCount() * COMBO_ROW_HEIGHT);
}

void CComboBoxList::SetItems(std::vector<ComboItem> items) {
  items_ = std::move(items);
  hoverRow_ = selectedRow_ = -1;
  SetVirtualSize(0, GetCount() * COMBO_ROW_HEIGHT);
  UpdateControl(CacheReset::Reset);
}

int CComboBoxList::GetCount() const { return static_cast<int>(items_.size()); }

void CComboBoxList::SetSelectedRow(int row) {
  if (row < -1 || row >= GetCount()) return;
  selectedRow_ = row;
  ScrollToRow(row);
  UpdateControl(CacheReset::Keep);
}

int CComboBoxList::GetSelectedRow() const { return selectedRow_; }

int CComboBoxList::GetHoverRow() const { return hoverRow_; }

void CComboBoxList::SetTextColors(ArgbColor text, ArgbColor highlightedText) {
  textColour_ = text;
  highlightText_ = highlightedText;
  UpdateControl(CacheReset::Reset);
}

void CComboBoxList::SetHighlightColors(ArgbColor hover, ArgbColor selected) {
  hoverColour_ = hover;
  selectColour_ = selected;
  UpdateControl(CacheReset::Reset);
}

bool CComboBoxList::HasScrollBar() const { return vertical_->IsVisible(); }

void CComboBoxList::ScrollToRow(int row) {
  const int spare = virtualHeight_ - rect_.Height();
  if (row < 0 || spare <= 0) return;
  const int offset = GetVerticalOffset();
  const int top = row * COMBO_ROW_HEIGHT;
  int wanted = offset;
  if (top < offset) wanted = top;
  if (top + COMBO_ROW_HEIGHT > offset + rect_.Height()) wanted = top + COMBO_ROW_HEIGHT - rect_.Height();
  if (wanted == offset) return;
  const int range = vertical_->GetScrollRange();
  // The bar position that gives exactly `wanted`, rounded up so the row is never cut.
  vertical_->SetScrollPos((std::min(wanted, spare) * range + spare - 1) / spare);
  UpdateControl(CacheReset::Keep);
}

}  // namespace ZephUI
