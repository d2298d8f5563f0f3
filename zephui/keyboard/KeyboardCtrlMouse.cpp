// KeyboardCtrl: hover and tips, clicks and right clicks on keys, and the
// rubber band.
#include <algorithm>

#include "core/RectOps.h"
#include "keyboard/KeyCanvas.h"
#include "keyboard/RubberBand.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MessageCodes.h"

namespace ZephUI {

int KeyboardCtrl::OnControlMouseMove(std::uint32_t flags, Point point) {
  if (!IsEnabled()) return 0;
  const bool held = (flags & (MK_LBUTTON | MK_RBUTTON)) != 0;
  if (frameSelect_ && held && band_->Armed()) {
    DragBand(point);
    return 1;
  }
  FollowHover(point);
  return PtInRect(point) ? 1 : 0;
}

void KeyboardCtrl::FollowHover(Point point) {
  const bool inside = PtInRect(point);
  int hover = -1;
  ChangeKeys([&] {
    const bool stays = inside && hover_ >= 0 && hover_ < static_cast<int>(items_.size()) &&
                       RectOps::Contains(ClientRectOf(*items_[static_cast<std::size_t>(hover_)]), point);
    if (!stays) hover_ = inside ? KeyAt(point) : -1;
    hover = hover_;
  });
  ShowHoverTip(hover);
}

void KeyboardCtrl::ShowHoverTip(int hover) {
  Rect key;
  {
    std::lock_guard lock(itemLock_);
    if (hover >= 0 && hover < static_cast<int>(items_.size())) key = ClientRectOf(*items_[static_cast<std::size_t>(hover)]);
  }
  SetTips(hover, key, !RectOps::Empty(key));
}

Rect KeyboardCtrl::BandLimit() const {
  if (pictureWidth_ <= 0 || pictureHeight_ <= 0) return rect_;
  const Point offset = GetPictureOffset();
  const Rect picture{rect_.left + offset.x, rect_.top + offset.y, rect_.left + offset.x + pictureWidth_,
                     rect_.top + offset.y + pictureHeight_};
  const Rect shown = RectOps::Intersect(picture, rect_);
  return RectOps::Empty(shown) ? rect_ : shown;
}

bool KeyboardCtrl::DragBand(Point point) {
  if (!band_->Drag(point, BandLimit())) return false;
  const Rect area = band_->Area();
  ChangeKeys([&] {
    for (const auto& key : items_) key->check = RectOps::Meet(ClientRectOf(*key), area) ? 1 : 0;
  });
  const Rect span = band_->Span();
  if (GetKeyboardCtrlMode() == KEYBOARD_MODE_SELECT) UpdateControl(RectOps::Union(bandDrawn_, span), CacheReset::Keep);
  bandDrawn_ = span;
  return true;
}

void KeyboardCtrl::EndBand() {
  if (band_->Active() && GetKeyboardCtrlMode() == KEYBOARD_MODE_SELECT) UpdateControl(bandDrawn_, CacheReset::Keep);
  band_->Clear();
  bandDrawn_ = Rect{};
}

int KeyboardCtrl::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  EndBand();
  if (!PtInRect(point)) return 0;
  band_->Start(point, BandLimit());
  ChangeKeys([&] {
    hover_ = KeyAt(point);
    selected_ = hover_;
  });
  return 1;
}

// The click is reported last: the page may clear or refill the keys while it handles it.
int KeyboardCtrl::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  EndBand();
  if (!PtInRect(point)) return 0;
  int index = -1;
  std::uint32_t value = 0;
  ChangeKeys([&] {
    if (selected_ < 0 || selected_ >= static_cast<int>(items_.size())) return;
    index = selected_;
    KEY_INFO& key = *items_[static_cast<std::size_t>(index)];
    if (mode_ == KEYBOARD_MODE_PAINT) key.colour = key.colour == GdiColor() ? customColour_ : GdiColor();
    value = key.keyValue;
  });
  currentKey_ = value;
  SendMessageW(NOTIFY_CLICKED, static_cast<WPARAM>(static_cast<std::int64_t>(index)), static_cast<LPARAM>(value));
  return 1;
}

int KeyboardCtrl::OnControlRButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!frameSelect_) return 0;
  if (!PtInRect(point)) {
    band_->Clear();
    return 0;
  }
  band_->Start(point, BandLimit());
  return 1;
}

int KeyboardCtrl::OnControlRButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  if (band_->Active()) {
    EndBand();
    SendMessageW(NOTIFY_FRAME_SELECT, 0, 0);
    return 1;
  }
  band_->Clear();
  if (!PtInRect(point)) return 0;
  int index = -1;
  std::uint32_t value = 0;
  ChangeKeys([&] {
    hover_ = KeyAt(point);
    selected_ = hover_;
    index = hover_;
    if (index >= 0) value = items_[static_cast<std::size_t>(index)]->keyValue;
  });
  currentKey_ = value;
  SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(static_cast<std::int64_t>(index)), static_cast<LPARAM>(value));
  return 1;
}

}  // namespace ZephUI
