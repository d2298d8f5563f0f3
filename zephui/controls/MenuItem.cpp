#include "zephui/MenuItem.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kPictures = 4;
constexpr ArgbColor kDisabledText{0xFE808080};
constexpr ArgbColor kSeparatorLine{0xFF4A4F57};
constexpr TextFormat kLeftAligned = TextFormat::Left | TextFormat::SingleLine;
constexpr TextFormat kVertical = TextFormat::VCenter | TextFormat::Bottom;

}  // namespace

MenuItem::MenuItem(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible,
                   bool enabled)
    : MControlFont(parent, id, rect, std::move(text), visible, enabled, true),
      state_(enabled ? MENU_ITEM_STATE_NORMAL : MENU_ITEM_STATE_DISABLED) {}

MenuItem::~MenuItem() = default;

std::u16string_view MenuItem::GetClassNameW() const { return u"MenuItem"; }

void MenuItem::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const auto render = [this](RenderContext& target, const Rect& slot, int picture) {
    RenderPicture(target, slot, picture);
  };
  if (separator_) {
    SlotCache::Draw(*this, hdc, 1, 0, render);
  } else {
    SlotCache::Draw(*this, hdc, kPictures, state_, render);
  }
}

int MenuItem::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (separator_ || !IsEnabled() || pressed_) return 0;
  const bool inside = PtInRect(point);
  SetState(inside ? MENU_ITEM_STATE_HOVER : RestState());
  return inside ? 1 : 0;
}

int MenuItem::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (separator_ || !IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  SetState(MENU_ITEM_STATE_PRESSED);
  return 1;
}

// The click is reported last: the menu closes while it handles it.
int MenuItem::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  pressed_ = false;
  if (separator_ || !IsEnabled()) return 0;
  if (!PtInRect(point)) {
    SetState(RestState());
    return 1;
  }
  SetState(MENU_ITEM_STATE_HOVER);
  SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

void MenuItem::SetControlEnabled(bool enabled) { SetState(enabled ? RestState() : MENU_ITEM_STATE_DISABLED); }

void MenuItem::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MenuItem::GetCheck() const { return check_ ? 1 : 0; }

int MenuItem::SetCheck(int /*check*/) { return 0; }

void MenuItem::SetControlCheck(bool check) {
  check_ = check;
  SetState(check ? MENU_ITEM_STATE_PRESSED : MENU_ITEM_STATE_NORMAL);
}

void MenuItem::SetGroupName(std::u16string name) { groupName_ = std::move(name); }

std::u16string MenuItem::GetGroupName() const { return groupName_; }

std::u16string MenuItem::GetGroupValue() const { return {}; }

std::u16string MenuItem::GetValue() const { return value_; }

int MenuItem::ResetGroupCheck() { return 1; }

void MenuItem::SetSeparator(bool on) {
  separator_ = on;
  UpdateControl(CacheReset::Reset);
}

bool MenuItem::IsSeparator() const { return separator_; }

bool MenuItem::IsHover() const { return state_ == MENU_ITEM_STATE_HOVER; }

int MenuItem::GetState() const { return state_; }

void MenuItem::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

void MenuItem::SetFrameWidth(int width) {
  if (frameWidth_ == width) return;
  frameWidth_ = width;
  UpdateControl(CacheReset::Reset);
}

void MenuItem::SetTextColumn(int x) {
  if (textColumn_ == x) return;
  textColumn_ = x;
  UpdateControl(CacheReset::Reset);
}

void MenuItem::SetHoverLook(const Image* picture, ArgbColor colour) {
  hoverImage_ = picture;
  hoverColour_ = colour;
  UpdateControl(CacheReset::Reset);
}

void MenuItem::SetCheckImage(const Image* picture) { checkImage_ = picture; }

const Image* MenuItem::GetCheckImage() const { return checkImage_; }

void MenuItem::SetPopupMenu(MenuWnd* menu) { popup_ = menu; }

bool MenuItem::IsPopup() const { return popup_ != nullptr; }

MenuWnd* MenuItem::GetPopupMenu() const { return popup_; }

void MenuItem::ShowPopupMenu() {}

void MenuItem::RenderPicture(RenderContext& target, const Rect& slot, int picture) {
  if (separator_) {
    DrawSeparator(target, slot);
    return;
  }
  if (picture == MENU_ITEM_STATE_HOVER || picture == MENU_ITEM_STATE_PRESSED) {
    const Rect fill{slot.left + frameWidth_, slot.top, slot.right - frameWidth_, slot.bottom};
    if (hoverImage_ != nullptr) {
      MRender::DrawImage(target, *hoverImage_, fill, Rect{0, 0, hoverImage_->Width(), hoverImage_->Height()});
    } else {
      MRender::DrawColor(target, fill, hoverColour_);
    }
  }
  DrawIcon(target, slot, picture);
  if (title_.empty()) return;
  const Rect text{slot.left + textColumn_, slot.top, slot.right, slot.bottom};
  const ArgbColor ink = picture == MENU_ITEM_STATE_DISABLED ? kDisabledText : GetTextColor();
  MRender::DrawTextW(target, text, title_, ink, GetGDIFont(), kLeftAligned | (GetTextFormat(false) & kVertical));
}

void MenuItem::DrawIcon(RenderContext& target, const Rect& slot, int picture) const {
  const ImgResInfo* icon = GetImageInfo();
  if (icon == nullptr || !icon->image) return;
  const int frames = std::max(icon->frameCount, 1);
  const Rect source = icon->image->StripFrameRect(picture < frames ? picture : 0, frames);
  const int x = slot.left + (textColumn_ - source.Width()) / 2;
  const int y = slot.top + (slot.Height() - source.Height()) / 2;
  MRender::DrawImage(target, *icon->image, Rect{x, y, x + source.Width(), y + source.Height()}, source);
}

void MenuItem::DrawSeparator(RenderContext& target, const Rect& slot) const {
  const ImgResInfo* picture = GetImageInfo();
  if (picture == nullptr || !picture->image || picture->frameWidth <= 0) {
    MRender::DrawColor(target, slot, kSeparatorLine);
    return;
  }
  const int w = picture->frameWidth;
  const int h = std::min(picture->height, slot.Height());
  for (int x = slot.left; x < slot.right; x += w) {
    const int part = std::min(w, slot.right - x);
    MRender::DrawImage(target, *picture->image, Rect{x, slot.top, x + part, slot.top + h}, Rect{0, 0, part, h});
  }
}

int MenuItem::RestState() const { return check_ ? MENU_ITEM_STATE_PRESSED : MENU_ITEM_STATE_NORMAL; }

}  // namespace ZephUI
