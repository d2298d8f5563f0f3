#include "zephui/MTabCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/MTabLayout.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kPictures = 4;            // rest, hover, selected, disabled
constexpr int kTitleSize = 13;          // pixels
constexpr int kTitleBox = 36;           // height of the title box
constexpr int kIconLift = 25;           // the icon sits this much above the centre line, over the title
constexpr int kAnimationPeriod = 30;    // ms
constexpr ArgbColor kRestTitle{0xFFFFFFFF};
constexpr ArgbColor kLitTitle{0xFF11A9FD};
constexpr TextFormat kTitleFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;

// The tab size between the limits: the share of `span`, or `largest` alone without a lower limit.
int LimitedSize(int span, int count, int largest, int smallest) {
  if (smallest <= 0) return largest;
  const int available = count > 0 ? span / count : span;
  if (available < smallest) return smallest;
  return available >= largest ? largest : available;
}

}  // namespace

MTabCtrl::MTabCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, true) {}

MTabCtrl::~MTabCtrl() = default;

bool MTabCtrl::PtInRect(Point point) const {
  if (!MControlFont::PtInRect(point)) return false;
  return !InBand(point) || TabAt(point) >= 0;
}

void MTabCtrl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const auto render = [this](RenderContext& target, const Rect& slot, int picture) {
    RenderPicture(target, slot, picture);
  };
  SlotCache::Draw(*this, hdc, kPictures, IsEnabled() ? 0 : 3, render);
  if (!IsEnabled()) return;
  CopyTab(hdc, hover_, 1);
  CopyTab(hdc, selected_, 2);  // a selected tab under the pointer shows as selected
}

int MTabCtrl::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  const bool inside = PtInRect(point);
  if (!inside && tooltipIndex_ >= 0 && manager_ != nullptr && manager_->GetTooltipCtrlID() == id_) {
    ClearTooltip();
    tooltipIndex_ = -1;
  }
  SetHover(inside && IsEnabled() ? TabAt(point) : -1);
  return inside ? 1 : 0;
}

int MTabCtrl::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !Valid(hover_) || !RectOps::Contains(items_[hover_]->rect, point)) return 0;
  SetSelectItem(hover_);
  return 1;
}

int MTabCtrl::OnControlScroll(int bar, int direction, Point point) {
  if (!Valid(selected_) || items_[selected_]->page == nullptr) return 0;
  if (!RectOps::Contains(items_[selected_]->rect, point)) return 0;
  return items_[selected_]->page->OnScroll(bar, direction, point);
}

int MTabCtrl::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  const bool vertical = type_ == TAB_TYPE_VERTICAL;
  const std::uint32_t back = vertical ? VK_UP : VK_LEFT;
  const std::uint32_t forward = vertical ? VK_DOWN : VK_RIGHT;
  if (IsFocused() && modifiers == 0 && (key == back || key == forward)) {
    const int next = NextVisible(selected_, key == forward ? 1 : -1);
    if (next != selected_) SetSelectItem(next);
    return 1;
  }
  // A page of the strip's own gets the key from the tree's dispatch; another one from here.
  MControl* page = Valid(selected_) ? items_[selected_]->page : nullptr;
  if (page != nullptr && page->GetParantObject() != this) return page->OnKeyDown(key, repeat, modifiers);
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

int MTabCtrl::OnControlTimer() {
  if (animationOffset_ == 0 && !animate_) return 0;
  const int span = type_ == TAB_TYPE_VERTICAL ? rect_.Height() : rect_.Width();
  const int step = std::max(span / animationSteps_, 1);
  animationOffset_ += previous_ < selected_ ? step : -step;
  if (std::abs(animationOffset_) >= span) {
    animationOffset_ = 0;
    if (manager_ != nullptr) manager_->KillTimer(this, TAB_ANIMATION_TIMER);
  }
  UpdateControl(RectOps::Empty(updateRect_) ? rect_ : updateRect_, CacheReset::Keep);
  return 1;
}

void MTabCtrl::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

LRESULT MTabCtrl::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return parent_ != nullptr ? parent_->OnBaseMessage(controlId, msg, wParam, lParam) : 0;
}

int MTabCtrl::InsertItem(int id, std::u16string title, std::u16string_view iconFile, MControl* page, int frameCount,
                         int width) {
  TabItemInfo record;
  record.title = std::move(title);
  record.id = id;
  record.frameCount = frameCount == -1 ? 3 : std::max(frameCount, 1);
  if (!iconFile.empty()) record.icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(iconFile));
  if (record.icon) {
    record.iconFrameWidth = record.icon->Width() / record.frameCount;
    record.iconHeight = record.icon->Height();
  }
  const int w = width != 0 ? width : record.iconFrameWidth;
  record.rect = Rect{rect_.left, rect_.top, rect_.left + w, rect_.bottom};
  record.page = page;
  InsertItem(-1, std::move(record));
  return 1;
}

void MTabCtrl::InsertItem(int index, TabItemInfo record) {
  const int count = GetItemCount();
  const int at = index < 0 || index > count ? count : index;
  items_.insert(items_.begin() + at, std::make_unique<TabItemInfo>(std::move(record)));
  if (selected_ >= at) ++selected_;  // the selection stays on its tab
  Layout(0);
  ApplyLimits();
}

void MTabCtrl::DeleteItem(int index) {
  if (!Valid(index)) return;
  MControl* page = items_[index]->page;
  items_.erase(items_.begin() + index);
  if (index < selected_) --selected_;
  if (index == tooltipIndex_) tooltipIndex_ = -1;
  if (page != nullptr && page->GetParantObject() == this) RemoveControl(page);
  ApplyLimits();
  RefreshItems();
}

void MTabCtrl::SetItemText(int index, std::u16string title) {
  if (!Valid(index)) return;
  items_[index]->title = std::move(title);
  UpdateControl(CacheReset::Reset);
}

void MTabCtrl::SetItemVisible(int index, bool visible) {
  if (!Valid(index)) return;
  items_[index]->visible = visible ? 1 : 0;
  RefreshItems();
}

bool MTabCtrl::GetItemVisible(int index) const { return Valid(index) && items_[index]->visible != 0; }

int MTabCtrl::GetItemID(int index) const { return Valid(index) ? items_[index]->id : 0; }

int MTabCtrl::GetItemCount() const { return static_cast<int>(items_.size()); }

TabItemInfo* MTabCtrl::GetItemInfo(int index) { return Valid(index) ? items_[index].get() : nullptr; }

void MTabCtrl::RefreshItems() { Layout(1); }

int MTabCtrl::SetSelectItem(int index) {
  if (index == selected_ || !Valid(index)) return selected_;
  previous_ = selected_;
  selected_ = index;
  hover_ = -1;
  SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(index), 0);
  ShowPages();
  if (animate_) StartAnimation();
  UpdateControl(CacheReset::Keep);
  return previous_;
}

int MTabCtrl::GetSelectItem() const { return selected_; }

int MTabCtrl::GetHoverItem() const { return hover_; }

void MTabCtrl::SetTabType(TAB_TYPE type) {
  type_ = type;
  RefreshItems();
}

TAB_TYPE MTabCtrl::GetTabType() const { return type_; }

void MTabCtrl::SetTabCtrlWidth(int width) {
  stripWidth_ = width;
  RefreshItems();
}

void MTabCtrl::SetTabCtrlHeight(int height) {
  stripHeight_ = height;
  RefreshItems();
}

int MTabCtrl::GetCtrlWidth() const { return stripWidth_; }

int MTabCtrl::GetCtrlHeight() const { return stripHeight_; }

void MTabCtrl::SetLeftRightPading(int left, int right) {
  padLeft_ = left;
  padRight_ = right;
  RefreshItems();
}

void MTabCtrl::SetTopBottomPading(int top, int bottom) {
  padTop_ = top;
  padBottom_ = bottom;
  RefreshItems();
}

void MTabCtrl::SetItemWidth(int largest, int smallest, bool relayout) {
  widthLargest_ = largest;
  widthSmallest_ = smallest;
  const int width = LimitedSize(rect_.Width() - padRight_ - padLeft_, GetItemCount(), largest, smallest);
  if (width == itemWidth_) return;
  itemWidth_ = width;
  if (relayout) RefreshItems();
}

void MTabCtrl::SetItemHeight(int largest, int smallest, bool relayout) {
  heightLargest_ = largest;
  heightSmallest_ = smallest;
  const int height = LimitedSize(rect_.Height() - padBottom_ - padTop_, GetItemCount(), largest, smallest);
  if (height == itemHeight_) return;
  itemHeight_ = height;
  if (relayout) RefreshItems();
}

int MTabCtrl::GetItemWidth() const { return itemWidth_; }

int MTabCtrl::GetItemHeight() const { return itemHeight_; }

void MTabCtrl::EnableAnimateChangeTab(bool on) { animate_ = on; }

void MTabCtrl::SetUpdataRect(const Rect& rect) { updateRect_ = rect; }

int MTabCtrl::GetAnimationOffset() const { return animationOffset_; }

void MTabCtrl::SetTabTooltip(int index, std::u16string text) {
  if (!Valid(index) || index == tooltipIndex_ || manager_ == nullptr) return;
  tooltipIndex_ = index;
  // Straight to the manager: a stored tooltip would show over the whole strip.
  manager_->ClearTooltip();
  manager_->SetTooltip(std::move(text), items_[index]->rect);
  manager_->SetTooltipCtrlID(id_);
}

void MTabCtrl::ClearTabTooltip() {}

MControl* MTabCtrl::CreatePanel(std::u16string_view className, std::uint32_t id, const Rect& rect) {
  if (className != u"MTabLayout") return nullptr;
  MControl* page = AddChild(std::make_unique<MTabLayout>(this, id, rect, true), 1);
  page->SetRunTimer(true);
  if (manager_ != nullptr) page->SetManager(manager_);
  return page;
}

void MTabCtrl::Layout(int verticalGap) {
  int x = rect_.left + padLeft_;
  int y = rect_.top + padTop_;
  for (const auto& tab : items_) {
    if (tab->visible == 0) {
      tab->rect = Rect{};
    } else if (type_ == TAB_TYPE_VERTICAL) {
      const int w = stripWidth_ != 0 ? stripWidth_ : tab->rect.Width();
      const int h = itemHeight_ > 0 ? itemHeight_ : stripHeight_;
      tab->rect = Rect{x, y, x + w, y + h};
      y += h + verticalGap;
    } else {
      const int w = itemWidth_ != 0 ? itemWidth_ : tab->rect.Width();
      const int h = stripHeight_ != 0 ? stripHeight_ : tab->iconHeight;
      tab->rect = Rect{x, y, x + w, y + h};
      x += w;
    }
  }
  AfterLayout();
}

void MTabCtrl::AfterLayout() {
  const int last = LastVisible();
  if (selected_ > last || selected_ >= GetItemCount()) selected_ = last;
  if (hover_ >= GetItemCount()) hover_ = -1;
  ShowPages();
  UpdateControl(CacheReset::Reset);
}

void MTabCtrl::ShowPages() {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (MControl* page = items_[i]->page) page->SetVisible(i == selected_);
  }
  // A page bound to two tabs stays shown for the selected one.
  if (Valid(selected_) && items_[selected_]->page != nullptr) items_[selected_]->page->SetVisible(true);
}

void MTabCtrl::ApplyLimits() {
  if (type_ == TAB_TYPE_VERTICAL) {
    SetItemHeight(heightLargest_, heightSmallest_, true);
  } else {
    SetItemWidth(widthLargest_, widthSmallest_, true);
  }
}

bool MTabCtrl::Valid(int index) const { return index >= 0 && index < GetItemCount(); }

int MTabCtrl::TabAt(Point point) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (items_[i]->visible != 0 && RectOps::Contains(items_[i]->rect, point)) return i;
  }
  return -1;
}

int MTabCtrl::LastVisible() const {
  for (int i = GetItemCount() - 1; i >= 0; --i) {
    if (items_[i]->visible != 0) return i;
  }
  return -1;
}

int MTabCtrl::NextVisible(int from, int step) const {
  for (int i = from + step; i >= 0 && i < GetItemCount(); i += step) {
    if (items_[i]->visible != 0) return i;
  }
  return from;
}

bool MTabCtrl::InBand(Point point) const {
  if (type_ == TAB_TYPE_VERTICAL) return point.x < rect_.left + stripWidth_;
  return point.y < rect_.top + stripHeight_;
}

void MTabCtrl::SetHover(int index) {
  if (index == hover_) return;
  hover_ = index;
  UpdateControl(CacheReset::Keep);
}

void MTabCtrl::RenderPicture(RenderContext& target, const Rect& slot, int picture) {
  const Font& face = GetGDIFont();
  const Font font(face.Face(), kTitleSize, face.Style());
  for (const auto& tab : items_) {
    if (tab->visible != 0 && !RectOps::Empty(tab->rect)) DrawTab(target, slot, *tab, picture, font);
  }
}

void MTabCtrl::DrawTab(RenderContext& target, const Rect& slot, const TabItemInfo& tab, int picture,
                       const Font& font) {
  const Rect box = RectOps::Offset(tab.rect, slot.left - rect_.left, slot.top - rect_.top);
  if (tab.icon) {
    const int frames = std::max(tab.frameCount, 1);
    const Rect source = tab.icon->StripFrameRect(std::min(picture, frames - 1), frames);
    const int x = box.left + (box.Width() - source.Width()) / 2;
    const int y = box.top + (box.Height() - source.Height() - kIconLift) / 2;
    MRender::DrawImage(target, *tab.icon, Rect{x, y, x + source.Width(), y + source.Height()}, source);
  }
  if (tab.title.empty()) return;
  const int top = box.top + tab.iconHeight + (box.Height() - tab.iconHeight - kTitleBox) / 2 + 3;
  const ArgbColor ink = picture == 0 ? kRestTitle : kLitTitle;
  MRender::DrawTextW(target, Rect{box.left, top, box.right, top + kTitleBox}, tab.title, ink, font, kTitleFormat);
}

void MTabCtrl::CopyTab(RenderContext& hdc, int index, int picture) {
  if (!Valid(index) || items_[index]->visible == 0) return;
  const Image* cache = GetMemImage();
  const Rect part = RectOps::Intersect(items_[index]->rect, rect_);
  if (RectOps::Empty(part)) return;
  if (!GetUpdate() || cache == nullptr || cache->Width() != rect_.Width() * kPictures) {
    // No cache this time (partly clipped paint): draw the picture straight, limited to the tab.
    hdc.Save();
    hdc.ClipRect(part);
    RenderPicture(hdc, rect_, picture);
    hdc.Restore();
    return;
  }
  MRender::BitBlt(hdc, part, *cache, picture * rect_.Width() + part.left - rect_.left, part.top - rect_.top);
}

void MTabCtrl::StartAnimation() {
  animationOffset_ = 0;
  if (manager_ != nullptr) manager_->SetTimer(this, TAB_ANIMATION_TIMER, kAnimationPeriod);
}

}  // namespace ZephUI
