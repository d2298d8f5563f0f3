#include "zephui/KeyFuncControl.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr int kItemHeight = 28;
constexpr int kTallHeight = 61;
constexpr int kIconWidth = 43;
constexpr int kIconPitch = 50;
constexpr int kIconSize = 20;
constexpr int kStretchLimit = 60;  // wider faces keep their corners
constexpr int kFaceCorner = 8;
constexpr int kLabelInset = 2;
constexpr int kFirstTipData = 232;  // media and web functions; key items never show tips

struct MediaSpec {
  int data;
  const char16_t* icon;
};

constexpr MediaSpec kMedia[] = {
    {249, u"icon//icon_pc.png"},          {242, u"icon//icon_cal.png"},        {240, u"icon//icon_email.png"},
    {232, u"icon//icon_multimedia.png"},  {238, u"icon//icon_playpause.png"},  {236, u"icon//icon_stop.png"},
    {237, u"icon//icon_pre.png"},         {239, u"icon//icon_next.png"},       {233, u"icon//icon_vol_down.png"},
    {234, u"icon//icon_vol_up.png"},      {235, u"icon//icon_vol_mute.png"},   {241, u"icon//icon_home.png"},
    {246, u"icon//icon_web_refresh.png"}, {245, u"icon//icon_web_stop.png"},   {243, u"icon//icon_web_backward.png"},
    {244, u"icon//icon_web_foreward.png"}, {248, u"icon//icon_favorites.png"}, {247, u"icon//icon_web_search.png"},
};

// Label, HID usage, left and right edge, row top, height.
struct KeySpec {
  const char16_t* label;
  int data;
  int left;
  int right;
  int top;
  int height = kItemHeight;
};

constexpr KeySpec kKeys[] = {
    {u"Esc", 41, 0, 36, 38}, {u"F1", 58, 78, 114, 38}, {u"F2", 59, 117, 153, 38}, {u"F3", 60, 156, 192, 38},
    {u"F4", 61, 195, 231, 38}, {u"F5", 62, 260, 296, 38}, {u"F6", 63, 299, 335, 38}, {u"F7", 64, 338, 374, 38},
    {u"F8", 65, 377, 413, 38}, {u"F9", 66, 442, 478, 38}, {u"F10", 67, 481, 517, 38}, {u"F11", 68, 520, 556, 38},
    {u"F12", 69, 559, 595, 38}, {u"Print", 70, 616, 652, 38}, {u"Scroll Lock", 71, 655, 691, 38},
    {u"Pause", 72, 694, 730, 38},
    {u"~", 53, 0, 36, 76}, {u"1", 30, 39, 75, 76}, {u"2", 31, 78, 114, 76}, {u"3", 32, 117, 153, 76},
    {u"4", 33, 156, 192, 76}, {u"5", 34, 195, 231, 76}, {u"6", 35, 234, 270, 76}, {u"7", 36, 273, 309, 76},
    {u"8", 37, 312, 348, 76}, {u"9", 38, 351, 387, 76}, {u"0", 39, 390, 426, 76}, {u"-", 45, 429, 465, 76},
    {u"=", 46, 468, 504, 76}, {u"Back", 42, 507, 595, 76}, {u"Ins", 73, 616, 652, 76}, {u"Home", 74, 655, 691, 76},
    {u"PgUp", 75, 694, 730, 76}, {u"NumLock", 83, 750, 786, 76}, {u"/", 84, 789, 825, 76}, {u"*", 85, 828, 864, 76},
    {u"-", 86, 867, 903, 76},
    {u"Tab", 43, 0, 75, 109}, {u"Q", 20, 78, 114, 109}, {u"W", 26, 117, 153, 109}, {u"E", 8, 156, 192, 109},
    {u"R", 21, 195, 231, 109}, {u"T", 23, 234, 270, 109}, {u"Y", 28, 273, 309, 109}, {u"U", 24, 312, 348, 109},
    {u"I", 12, 351, 387, 109}, {u"O", 18, 390, 426, 109}, {u"P", 19, 429, 465, 109}, {u"[", 47, 468, 503, 109},
    {u"]", 48, 507, 542, 109}, {u"\\", 49, 546, 595, 109}, {u"Del", 76, 616, 652, 109}, {u"End", 77, 655, 691, 109},
    {u"PgDn", 78, 694, 730, 109}, {u"7", 95, 750, 786, 109}, {u"8", 96, 789, 825, 109}, {u"9", 97, 828, 864, 109},
    {u"+", 87, 867, 903, 109, kTallHeight},
    {u"Caps", 57, 0, 85, 142}, {u"A", 4, 88, 124, 142}, {u"S", 22, 127, 163, 142}, {u"D", 7, 166, 202, 142},
    {u"F", 9, 205, 241, 142}, {u"G", 10, 244, 280, 142}, {u"H", 11, 283, 319, 142}, {u"J", 13, 322, 358, 142},
    {u"K", 14, 361, 397, 142}, {u"L", 15, 400, 436, 142}, {u";", 51, 439, 475, 142}, {u"'", 52, 478, 514, 142},
    {u"Enter", 40, 517, 595, 142}, {u"4", 92, 750, 786, 142}, {u"5", 93, 789, 825, 142}, {u"6", 94, 828, 864, 142},
    {u"Shift", 225, 0, 101, 175}, {u"Z", 29, 104, 140, 175}, {u"X", 27, 143, 179, 175}, {u"C", 6, 182, 218, 175},
    {u"V", 25, 221, 257, 175}, {u"B", 5, 260, 296, 175}, {u"N", 17, 299, 335, 175}, {u"M", 16, 338, 374, 175},
    {u",<", 54, 377, 413, 175}, {u".>", 55, 416, 452, 175}, {u"/?", 56, 455, 491, 175},
    {u"Shift", 229, 494, 595, 175}, {u"Up", 82, 655, 691, 175}, {u"1", 89, 750, 786, 175},
    {u"2", 90, 789, 825, 175}, {u"3", 91, 828, 864, 175}, {u"Enter", 88, 867, 903, 175, kTallHeight},
    {u"Ctrl", 224, 0, 50, 208}, {u"Win", 227, 53, 103, 208}, {u"Alt", 226, 106, 156, 208},
    {u"Space", 44, 159, 383, 208}, {u"Alt", 230, 386, 436, 208}, {u"Win", 231, 439, 489, 208},
    {u"App", 101, 492, 542, 208}, {u"Ctrl", 228, 545, 595, 208}, {u"Left", 80, 616, 652, 208},
    {u"Down", 81, 655, 691, 208}, {u"Right", 79, 694, 730, 208}, {u"0", 98, 750, 786, 208},
    {u".", 99, 789, 864, 208},
};

}  // namespace

KeyFuncControl::KeyFuncControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {
  SetScrollEnabled(false);
}

KeyFuncControl::~KeyFuncControl() = default;

void KeyFuncControl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

int KeyFuncControl::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const int before = hover_;
  if (!PtInRect(point)) {
    SetCursorEx(u"arrow");
    if (tip_ >= 0 && manager_ != nullptr && manager_->GetTooltipCtrlID() == id_) ClearTooltip();
    tip_ = -1;
    hover_ = -1;
  } else if (hover_ >= 0 && hover_ == ItemAt(point)) {
    SetCursorEx(u"hand");
    std::unique_lock lock(itemLock_);
    const Item& item = *items_[hover_];
    if (item.data > kFirstTipData - 1 && !item.desc.empty() && tip_ != hover_) {
      const std::u16string text = item.desc;
      const Rect at = RectOps::Offset(item.rect, rect_.left, rect_.top);
      lock.unlock();
      tip_ = hover_;
      SetTooltip(text, at);
      tooltip_.clear();  // a stored text would be shown for the whole control on every move
    }
    return 1;
  } else {
    LeaveItem();
    hover_ = ItemAt(point);
  }
  if (hover_ != before) UpdateControl(CacheReset::Reset);
  return 1;
}

int KeyFuncControl::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = ItemAt(point);
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(pressed_), 0);
  return 1;
}

int KeyFuncControl::OnControlScroll(int /*bar*/, int /*direction*/, Point /*point*/) { return 1; }

void KeyFuncControl::InitItemInfo() {
  ClearItems();
  AddMediaRow();
  AddKeyRows();
  UpdateControl(CacheReset::Reset);
}

void KeyFuncControl::ClearItems() {
  std::vector<std::unique_ptr<Item>> gone;
  {
    std::lock_guard lock(itemLock_);
    gone.swap(items_);
  }
  hover_ = pressed_ = checked_ = tip_ = -1;
}

void KeyFuncControl::SetItemDesc(int data, std::u16string text) {
  std::lock_guard lock(itemLock_);
  const auto it = std::find_if(items_.begin(), items_.end(), [data](const auto& item) { return item->data == data; });
  if (it != items_.end()) (*it)->desc = std::move(text);
}

void KeyFuncControl::SetItemCheckByItemData(int data, int key1, int key2) {
  pressed_ = -1;
  checked_ = -1;
  if (data != 0) {
    std::lock_guard lock(itemLock_);
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& item) {
      return item->data == data && item->key1 == key1 && item->key2 == key2;
    });
    if (it != items_.end()) checked_ = static_cast<int>(it - items_.begin());
  }
  UpdateControl(CacheReset::Reset);
}

bool KeyFuncControl::GetCurItemData(int& /*first*/, int& data, int& key1, int& key2, std::u16string& text) const {
  std::lock_guard lock(itemLock_);
  if (pressed_ < 0 || pressed_ >= static_cast<int>(items_.size())) return false;
  const Item& item = *items_[pressed_];
  data = item.data;
  key1 = item.key1;
  key2 = item.key2;
  text = item.desc;
  return true;
}

int KeyFuncControl::GetItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(items_.size());
}

Rect KeyFuncControl::GetItemRect(int index) const {
  std::lock_guard lock(itemLock_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index]->rect : Rect{};
}

int KeyFuncControl::GetCheckedItem() const { return checked_; }

void KeyFuncControl::AddMediaRow() {
  int left = 0;
  for (const MediaSpec& spec : kMedia) {
    auto item = std::make_unique<Item>();
    item->data = spec.data;
    item->icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(spec.icon));
    item->rect = Rect{left, 0, left + kIconWidth, kItemHeight};
    left += kIconPitch;
    std::lock_guard lock(itemLock_);
    items_.push_back(std::move(item));
  }
}

void KeyFuncControl::AddKeyRows() {
  std::lock_guard lock(itemLock_);
  for (const KeySpec& spec : kKeys) {
    auto item = std::make_unique<Item>();
    item->desc = spec.label;
    item->data = spec.data;
    item->rect = Rect{spec.left, spec.top, spec.right, spec.top + spec.height};
    items_.push_back(std::move(item));
  }
}

int KeyFuncControl::ItemAt(Point point) const {
  const Point local{point.x - rect_.left, point.y - rect_.top};
  std::lock_guard lock(itemLock_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->rect.Contains(local.x, local.y)) return static_cast<int>(i);
  }
  return -1;
}

void KeyFuncControl::Render(RenderContext& target, const Rect& slot) {
  std::lock_guard lock(itemLock_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int index = static_cast<int>(i);
    const int frame = index == checked_ || index == pressed_ ? 2 : index == hover_ ? 1 : 0;
    DrawItem(target, *items_[i], RectOps::Offset(items_[i]->rect, slot.left, slot.top), frame);
  }
}

void KeyFuncControl::DrawItem(RenderContext& target, const Item& item, const Rect& at, int frame) {
  if (image_ != nullptr && image_->image) {
    const int width = image_->frameWidth;
    const int shown = std::min(frame, image_->frameCount - 1);
    if (at.Width() <= kStretchLimit) {
      MRender::DrawImage(target, *image_->image, at, Rect{shown * width, 0, (shown + 1) * width, image_->height});
    } else {
      MRender::DrawImageFrame(target, *image_->image, at, shown * width, 0, width, image_->height, kFaceCorner);
    }
  }
  if (item.icon) {
    const int x = at.left + (at.Width() - kIconSize) / 2;
    const int y = at.top + (at.Height() - kIconSize) / 2;
    MRender::DrawImage(target, *item.icon, Rect{x, y, x + kIconSize, y + kIconSize},
                       Rect{0, 0, item.icon->Width(), item.icon->Height()});
    return;
  }
  DrawLabel(target, item.desc, at);
}

// Narrow keys with long names ("Scroll Lock", "NumLock") break at a space or shrink to fit.
void KeyFuncControl::DrawLabel(RenderContext& target, const std::u16string& label, const Rect& at) {
  const Font& font = GetGDIFont();
  const int room = at.Width() - 2 * kLabelInset;
  const int width = MRender::GetTextBounds(font, label).width;
  if (width <= room) {
    MRender::DrawTextW(target, at, label, GetTextColor(), font,
                       TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
    return;
  }
  const Rect inner{at.left + kLabelInset, at.top, at.right - kLabelInset, at.bottom};
  if (label.find(u' ') != std::u16string::npos) {
    MRender::DrawTextW(target, inner, label, GetTextColor(), font,
                       TextFormat::Center | TextFormat::VCenter | TextFormat::WordBreak);
    return;
  }
  const Font smaller(font.Face(), std::max(font.PixelSize() * room / width, 1), font.Style());
  MRender::DrawTextW(target, inner, label, GetTextColor(), smaller,
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

void KeyFuncControl::LeaveItem() {
  hover_ = -1;
  tip_ = -1;
  SetCursorEx(u"arrow");
  ClearTooltip();
}

}  // namespace ZephUI
