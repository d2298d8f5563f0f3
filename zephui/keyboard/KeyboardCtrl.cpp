// KeyboardCtrl: key items, picture and mode, checks, colours, the light
// animation's data and the key tips.
#include "zephui/KeyboardCtrl.h"

#include <algorithm>
#include <utility>

#include "core/RectOps.h"
#include "keyboard/KeyCanvas.h"
#include "keyboard/KeyLightFrames.h"
#include "keyboard/RubberBand.h"
#include "zephui/CKeyboardTips.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr GdiColor kWhite{0xFFFFFF};
constexpr GdiColor kMusicCyan = GdiColor::FromRgb(0, 255, 255);

}  // namespace

KeyboardCtrl::KeyboardCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible),
      frames_(std::make_unique<KeyLightFrames>()),
      band_(std::make_unique<RubberBand>()),
      canvas_(std::make_unique<KeyCanvas>()),
      origin_{rect.left, rect.top} {
  SetRunTimer(true);
  SetDblClk(false);  // quick clicks on keys are clicks each: a double click arrives as a second press
}

KeyboardCtrl::~KeyboardCtrl() = default;

void KeyboardCtrl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  AddMTimer();
  SetControlRect(rect_);
}

void KeyboardCtrl::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  {
    std::lock_guard lock(itemLock_);
    origin_ = Point{rect.left, rect.top};
  }
  if (!RectOps::Empty(rect) && pictureHeight_ > 0) CentrePicture();
  UpdateControl(CacheReset::Reset);
}

void KeyboardCtrl::ChangeKeys(const std::function<void()>& change) {
  Rect dirty;
  {
    std::lock_guard lock(itemLock_);
    std::vector<KeyLook> before;
    before.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) before.push_back(LookOf(static_cast<int>(i)));
    change();
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (i < before.size() && LookOf(static_cast<int>(i)) == before[i]) continue;
      dirty = RectOps::Union(dirty, ClientRectOf(*items_[i]));
    }
  }
  if (!RectOps::Empty(dirty)) UpdateControl(dirty, CacheReset::Keep);
}

int KeyboardCtrl::AddKeyItem(std::u16string name, std::u16string text, std::uint32_t keyValue, const Rect& rect,
                             std::u16string_view iconFile) {
  auto key = std::make_unique<KEY_INFO>();
  key->keyValue = keyValue;
  key->name = std::move(name);
  key->text = std::move(text);
  key->rect = rect;
  if (!iconFile.empty()) key->icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(iconFile));
  if (key->icon) {
    key->iconWidth = key->icon->Width();
    key->iconHeight = key->icon->Height();
  }
  std::lock_guard lock(itemLock_);
  key->index = static_cast<std::int32_t>(items_.size());
  items_.push_back(std::move(key));
  return items_.back()->index;
}

void KeyboardCtrl::ClearItem() {
  {
    std::lock_guard lock(itemLock_);
    items_.clear();
    hover_ = -1;
    selected_ = -1;
  }
  SetTips(-1, Rect{}, false);
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems() const {
  std::lock_guard lock(itemLock_);
  std::vector<KEY_INFO*> list;
  list.reserve(items_.size());
  for (const auto& key : items_) list.push_back(key.get());
  return list;
}

int KeyboardCtrl::GetItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(items_.size());
}

void KeyboardCtrl::SetKeyDesc(std::uint32_t keyValue, std::u16string text) {
  {
    std::lock_guard lock(itemLock_);
    KEY_INFO* key = Find(keyValue);
    if (key == nullptr) return;
    key->name = text;
    key->text = std::move(text);
  }
  UpdateControl(CacheReset::Reset);  // a cap's legend is part of its drawing, not of its look
}

KEY_INFO* KeyboardCtrl::Find(std::uint32_t keyValue) const {
  const auto it = std::find_if(items_.begin(), items_.end(),
                               [keyValue](const auto& key) { return key->keyValue == keyValue; });
  return it != items_.end() ? it->get() : nullptr;
}

Rect KeyboardCtrl::ClientRectOf(const KEY_INFO& key) const {
  return RectOps::Offset(key.rect, origin_.x + pictureOffset_.x, origin_.y + pictureOffset_.y);
}

int KeyboardCtrl::KeyAt(Point point) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (RectOps::Contains(ClientRectOf(*items_[i]), point)) return static_cast<int>(i);
  }
  return -1;
}

bool KeyboardCtrl::SetKeyboardImage(std::u16string_view fileName) {
  // The pages of a window show the same keyboard: its picture is decoded once, into the window's cache.
  const ImgResInfo* record = manager_ != nullptr ? manager_->AddImgResInfo(fileName, 1) : nullptr;
  ownPicture_ = record == nullptr ? MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName)) : nullptr;
  picture_ = record != nullptr ? record->image.get() : ownPicture_.get();
  UpdateControl(CacheReset::Reset);
  return picture_ != nullptr;
}

void KeyboardCtrl::SetWidthAndHeight(int width, int height) {
  pictureWidth_ = width;
  pictureHeight_ = height;
  if (!RectOps::Empty(rect_)) CentrePicture();
  UpdateControl(CacheReset::Reset);
}

void KeyboardCtrl::CentrePicture() {
  std::lock_guard lock(itemLock_);
  scale_ = 1.0F;
  pictureOffset_ = Point{(rect_.Width() - pictureWidth_) / 2, 0};
}

Point KeyboardCtrl::GetPictureOffset() const {
  std::lock_guard lock(itemLock_);
  return pictureOffset_;
}

void KeyboardCtrl::SetKeyboardCtrlMode(int mode) {
  {
    std::lock_guard lock(itemLock_);
    mode_ = mode;
  }
  UpdateControl(CacheReset::Reset);
}

int KeyboardCtrl::GetKeyboardCtrlMode() const {
  std::lock_guard lock(itemLock_);
  return mode_;
}

Rect KeyboardCtrl::GetRealRect(const Rect& rect) const {
  const Point offset = GetPictureOffset();
  return RectOps::Offset(rect, offset.x, offset.y);
}

void KeyboardCtrl::SetSelectItem(int index) {
  std::lock_guard lock(itemLock_);
  selected_ = index;
}

int KeyboardCtrl::GetSelectItem() const {
  std::lock_guard lock(itemLock_);
  return selected_;
}

int KeyboardCtrl::GetHoverItem() const {
  std::lock_guard lock(itemLock_);
  return hover_;
}

std::uint32_t KeyboardCtrl::GetCurrentKeyValue() const { return currentKey_; }

void KeyboardCtrl::ResetAllItemCheck() { ResetAllItemCheck(0); }

void KeyboardCtrl::ResetAllItemCheck(int value) {
  ChangeKeys([this, value] {
    for (const auto& key : items_) key->check = value;
    selected_ = -1;
  });
}

void KeyboardCtrl::SetKeyCheck(std::uint32_t keyValue, int value) {
  std::lock_guard lock(itemLock_);
  if (KEY_INFO* key = Find(keyValue)) key->check = value;
}

int KeyboardCtrl::GetKeyCheck(std::uint32_t keyValue) const {
  std::lock_guard lock(itemLock_);
  const KEY_INFO* key = Find(keyValue);
  return key != nullptr ? key->check : 0;
}

int KeyboardCtrl::GetCheckItemCount() const {
  std::lock_guard lock(itemLock_);
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& key) { return key->check != 0; }));
}

void KeyboardCtrl::EnableFrameSelect(bool on) { frameSelect_ = on; }

void KeyboardCtrl::SetKeyColor(std::uint32_t keyValue, GdiColor colour) {
  std::lock_guard lock(itemLock_);
  if (KEY_INFO* key = Find(keyValue)) key->colour = colour;
}

GdiColor KeyboardCtrl::GetKeyColor(std::uint32_t keyValue) const {
  std::lock_guard lock(itemLock_);
  const KEY_INFO* key = Find(keyValue);
  return key != nullptr ? key->colour : GdiColor();
}

void KeyboardCtrl::ResetAllItemsColor(GdiColor colour) {
  ChangeKeys([this, colour] {
    for (const auto& key : items_) key->colour = colour;
  });
}

void KeyboardCtrl::SetAllSelectColor(GdiColor colour) {
  ChangeKeys([this, colour] {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i]->check != 0 || static_cast<int>(i) == selected_) items_[i]->colour = colour;
    }
  });
}

void KeyboardCtrl::SetLightModeColor(bool allWhite, GdiColor colour) { ResetAllItemsColor(allWhite ? kWhite : colour); }

void KeyboardCtrl::SetCustomColor(GdiColor colour) { customColour_ = colour; }

GdiColor KeyboardCtrl::GetCustomColor() const { return customColour_; }

void KeyboardCtrl::SetLightModeData(const std::uint8_t* bytes, int length) {
  ChangeKeys([this, bytes, length] { frames_->SetData(bytes, length, static_cast<int>(items_.size())); });
  // New frames may animate even where the first one looks like the old picture.
  if (manager_ != nullptr) manager_->WakeMTimer();
}

void KeyboardCtrl::SetLightSpeed(int speed) {
  {
    std::lock_guard lock(itemLock_);
    frames_->SetSpeed(speed);
  }
  if (manager_ != nullptr) manager_->WakeMTimer();
}

int KeyboardCtrl::GetLightFrameCount() const {
  std::lock_guard lock(itemLock_);
  return frames_->FrameCount();
}

int KeyboardCtrl::GetLightFrame() const {
  std::lock_guard lock(itemLock_);
  return frames_->CurrentFrame();
}

void KeyboardCtrl::SetMusicBrightness(int brightness) {
  if (brightness == musicBrightness_) return;
  musicBrightness_ = brightness;
  ResetAllItemsColor(kMusicCyan);
}

bool KeyboardCtrl::IsAnimated() const { return animated_; }

void KeyboardCtrl::SetTipKey(std::uint32_t keyValue, std::u16string tipTitle, std::u16string tipText) {
  std::lock_guard lock(itemLock_);
  KEY_INFO* key = Find(keyValue);
  if (key == nullptr) return;
  key->tipTitle = std::move(tipTitle);
  key->tipText = std::move(tipText);
}

void KeyboardCtrl::ResetTipKey() {
  std::lock_guard lock(itemLock_);
  for (const auto& key : items_) {
    key->tipTitle.clear();
    key->tipText.clear();
  }
}

void KeyboardCtrl::EnableKBTips(bool on) {
  tipsOn_ = on;
  if (!on) SetTips(-1, Rect{}, false);
}

CKeyboardTips* KeyboardCtrl::GetTipWindow() const { return tips_.get(); }

void KeyboardCtrl::SetTips(int item, const Rect& rect, bool show) {
  if (!show) {
    if (tips_ && tips_->IsWindowVisible()) tips_->ShowWindow(SW_HIDE);
    return;
  }
  if (!tipsOn_ || manager_ == nullptr) return;
  std::u16string heading, title, detail;
  {
    std::lock_guard lock(itemLock_);
    if (item < 0 || item >= static_cast<int>(items_.size())) return;
    const KEY_INFO& key = *items_[static_cast<std::size_t>(item)];
    const bool ownTip = !key.tipTitle.empty() || !key.tipText.empty();
    heading = key.text;
    title = ownTip ? key.tipTitle : title_;
    detail = ownTip ? key.tipText : key.text;
  }
  CKeyboardTips* tip = MakeTipWindow();
  if (tip == nullptr) return;
  Point anchor{rect.left + rect.Width() / 2, rect.top};
  ClientToScreen(manager_->GetPaintWnd(), anchor);
  tip->SetAirBladderMsg(std::move(heading), std::move(title), std::move(detail), anchor.x, anchor.y);
  tip->ShowWindow(SW_SHOWNA);
}

CKeyboardTips* KeyboardCtrl::MakeTipWindow() {
  if (tips_) return tips_.get();
  auto tip = std::make_unique<CKeyboardTips>();
  if (tip->CreateTip(manager_->GetPaintWnd()) == nullptr) return nullptr;
  tip->LoadBKImage(u"img_tip_bk.png");
  tips_ = std::move(tip);
  return tips_.get();
}

}  // namespace ZephUI
