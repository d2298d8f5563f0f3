#include "zephui/MComboBox.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/CComboBoxList.h"
#include "zephui/CComboBoxWnd.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr int kPressed = 2;
constexpr int kDisabled = 3;
constexpr int kPopupPadding = 12;
constexpr int kBackCorner = 6;
constexpr ArgbColor kGrey(0xFF808080);
constexpr TextFormat kTitleFormat = TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

MComboBox::MComboBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, true), state_(enabled ? 0 : kDisabled) {
  SetTabStop(true);
}

MComboBox::~MComboBox() {
  if (popup_ == nullptr) return;
  popup_->DetachOwner();
  popup_->DestroyWindow();  // the popup deletes itself
}

void MComboBox::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, IsOpen() ? kPressed : state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

void MComboBox::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const int frame = std::min(state, skin->frameCount - 1);
    MRender::DrawImageFrameMID(target, *skin->image, slot, frame * skin->frameWidth, 0, skin->frameWidth,
                               skin->height, margins_.left, margins_.top, margins_.right, margins_.bottom);
  }
  if (title_.empty()) return;
  const Rect relative = RectOps::Empty(textRect_) ? Rect{6, 6, rect_.Width() - 30, rect_.Height() - 6} : textRect_;
  MRender::DrawTextW(target, RectOps::Offset(relative, slot.left, slot.top), title_,
                     state == kDisabled ? kGrey : GetTextColor(), GetGDIFont(), kTitleFormat);
}

int MComboBox::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || pressed_) return 0;
  SetState(PtInRect(point) ? 1 : 0);
  return PtInRect(point) ? 1 : 0;
}

int MComboBox::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  SetState(kPressed);
  return 1;
}

int MComboBox::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool wasPressed = std::exchange(pressed_, false);
  if (!PtInRect(point)) {
    SetState(0);
    return 1;
  }
  SetState(1);
  if (wasPressed) OpenList();
  return 1;
}

int MComboBox::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (MControlFont::OnControlKeyDown(key, repeat, modifiers) != 0) return 1;  // the accelerator: no action
  if (!IsFocused() || !IsEnabled()) return 0;
  if (key == VK_F4 || (key == VK_DOWN && modifiers == MODIFIER_ALT) ||
      ((key == VK_SPACE || key == VK_RETURN) && modifiers == 0)) {
    OpenList();
    return 1;
  }
  if ((key != VK_UP && key != VK_DOWN) || modifiers != 0) return 0;
  const int row = std::clamp(curSel_ + (key == VK_DOWN ? 1 : -1), 0, GetCount() - 1);
  if (row != curSel_) Choose(row);
  return 1;
}

LRESULT MComboBox::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  if (controlId != 0) return 0;
  if (msg == NOTIFY_CLICKED) {
    Choose(static_cast<int>(wParam));
  } else if (msg == COMBO_POPUP_CLOSED) {
    popup_ = nullptr;
    UpdateControl(CacheReset::Keep);
  }
  return 0;
}

void MComboBox::Choose(int row) {
  SetCurSel(row);
  SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(row), 0);
}

void MComboBox::SetControlEnabled(bool enabled) {
  if (!enabled) CloseList();
  SetState(enabled ? 0 : kDisabled);
}

void MComboBox::SetControlVisible(bool visible) {
  if (!visible) CloseList();
}

void MComboBox::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MComboBox::AddItem(std::u16string text, std::int32_t data, std::u16string secondText, ArgbColor colour) {
  return InsertItem(-1, std::move(text), data, std::move(secondText), colour);
}

int MComboBox::InsertItem(int index, std::u16string text, std::int32_t data, std::u16string secondText,
                          ArgbColor colour) {
  int at = 0;
  {
    const std::lock_guard lock(itemsLock_);
    const int count = static_cast<int>(items_.size());
    if (index < -1 || index > count) return -1;
    at = index == -1 ? count : index;
    items_.insert(items_.begin() + at, ComboItem{std::move(text), std::move(secondText), colour, data});
  }
  if (curSel_ >= at) ++curSel_;
  return at;
}

int MComboBox::SetItemText(int index, std::u16string text) {
  {
    const std::lock_guard lock(itemsLock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    items_[static_cast<std::size_t>(index)].text = text;
  }
  if (index == curSel_) SetTitle(std::move(text));
  return 1;
}

int MComboBox::SetItemData(int index, std::int32_t data) {
  const std::lock_guard lock(itemsLock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  items_[static_cast<std::size_t>(index)].data = data;
  return 1;
}

std::int32_t MComboBox::GetItemData(int index) const {
  const std::lock_guard lock(itemsLock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  return items_[static_cast<std::size_t>(index)].data;
}

std::u16string MComboBox::GetItemText(int index) const {
  const std::lock_guard lock(itemsLock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return items_[static_cast<std::size_t>(index)].text;
}

int MComboBox::DeleteItem(int index) {
  {
    const std::lock_guard lock(itemsLock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    items_.erase(items_.begin() + index);
  }
  if (index == curSel_) {
    SetCurSel(-1);
  } else if (index < curSel_) {
    --curSel_;
  }
  return 1;
}

void MComboBox::DelAllItems() {
  {
    const std::lock_guard lock(itemsLock_);
    items_.clear();
  }
  SetCurSel(-1);
}

int MComboBox::GetCount() const {
  const std::lock_guard lock(itemsLock_);
  return static_cast<int>(items_.size());
}

std::vector<ComboItem> MComboBox::Items() const {
  const std::lock_guard lock(itemsLock_);
  return items_;
}

int MComboBox::GetCurSel() const { return curSel_; }

int MComboBox::SetCurSel(int index) {
  if (index < -1 || index >= GetCount()) return 0;
  curSel_ = index;
  SetTitle(GetItemText(index));
  return 1;
}

std::int32_t MComboBox::GetCurData() const { return curSel_ >= 0 ? GetItemData(curSel_) : 0; }

int MComboBox::FindData(std::int32_t data) const {
  const std::lock_guard lock(itemsLock_);
  const auto it = std::find_if(items_.begin(), items_.end(), [data](const ComboItem& i) { return i.data == data; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int MComboBox::SelectData(std::int32_t data) {
  const int index = FindData(data);
  return index >= 0 ? SetCurSel(index) : 0;
}

void MComboBox::SetBackImage(std::u16string fileName) { backFile_ = std::move(fileName); }

void MComboBox::SetBackImage(int resourceId, std::u16string resourceType) {
  backResource_ = resourceId;
  backResourceType_ = std::move(resourceType);
}

void MComboBox::SetScrollResID(int vertical, int horizontal) {
  scrollVertical_ = vertical;
  scrollHorizontal_ = horizontal;
}

void MComboBox::SetShowModeMID(int left, int top, int right, int bottom) {
  margins_ = Rect{left, top, right, bottom};
  UpdateControl(CacheReset::Reset);
}

void MComboBox::SetTextRect(const Rect& rect) {
  textRect_ = rect;
  UpdateControl(CacheReset::Reset);
}

int MComboBox::GetState() const { return state_; }

bool MComboBox::IsOpen() const { return popup_ != nullptr; }

CComboBoxWnd* MComboBox::GetPopup() const { return popup_; }

Rect MComboBox::PopupRect() const {
  Rect screen = rect_;
  if (manager_ != nullptr) ClientToScreen(manager_->GetPaintWnd(), screen);
  const int height = std::min(GetCount(), COMBO_VISIBLE_ROWS) * COMBO_ROW_HEIGHT + kPopupPadding;
  const Rect below{screen.left + 4, screen.bottom + 2, screen.right - 6, screen.bottom + 2 + height};
  const Point centre{screen.left + screen.Width() / 2, screen.top + screen.Height() / 2};
  if (below.bottom <= GetMonitorWorkAreaFromPoint(centre).bottom) return below;
  return Rect{screen.left, screen.top - height, screen.right, screen.top};
}

bool MComboBox::OpenList() {
  CloseList();
  if (manager_ == nullptr || manager_->GetPaintWnd() == nullptr || GetCount() == 0) return false;
  auto popup = std::make_unique<CComboBoxWnd>(this);
  if (popup->Create(manager_->GetPaintWnd(), u"ComboWnd", WS_POPUP, WS_EX_TOOLWINDOW, PopupRect()) == nullptr) {
    return false;
  }
  popup_ = popup.release();  // from here on it deletes itself with its window
  if (!backFile_.empty()) {
    popup_->LoadBKImage(backFile_);
  } else if (backResource_ != 0) {
    popup_->LoadBKImage(backResource_, backResourceType_);
  }
  popup_->SetBackMode(BACK_MODE_STRETCH, kBackCorner);
  if (scrollVertical_ != 0) popup_->SetScrollResID(scrollVertical_, scrollHorizontal_);
  if (CComboBoxList* list = popup_->GetList()) {
    list->SetItems(Items());
    list->SetTextColors(GetTextColor(), ArgbColor(0xFFFFFFFF));
  }
  popup_->ShowWindow(SW_SHOW);
  UpdateControl(CacheReset::Keep);
  return true;
}

void MComboBox::CloseList() {
  if (popup_ != nullptr) popup_->DestroyWindow();  // tells us through COMBO_POPUP_CLOSED
}

void MComboBox::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

}  // namespace ZephUI
