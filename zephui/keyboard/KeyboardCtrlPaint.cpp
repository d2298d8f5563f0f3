// KeyboardCtrl: the looks of the keys, the composed picture, and the light
// animation's ticks.
#include <algorithm>
#include <cmath>

#include "core/RectOps.h"
#include "keyboard/KeyCanvas.h"
#include "keyboard/KeyLightFrames.h"
#include "keyboard/RubberBand.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr ArgbColor kMarkRed{0xFFFF0000};
constexpr int kNameSize = 10;

bool Fits(const Image* image, const Rect& rect) {
  return image != nullptr && image->Width() == rect.Width() && image->Height() == rect.Height();
}

bool Covers(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool ShowsPicture(int mode) { return mode > KEYBOARD_MODE_CAPS && mode <= KEYBOARD_MODE_COLOUR; }

}  // namespace

KeyLook KeyboardCtrl::LookOf(int index) const {
  const KEY_INFO& key = *items_[static_cast<std::size_t>(index)];
  switch (mode_) {
    case KEYBOARD_MODE_CAPS:
      return KeyLook{KeyMark::Cap, ArgbColor()};
    case KEYBOARD_MODE_SELECT: {
      const bool marked = key.check != 0 || index == hover_ || index == selected_;
      return marked ? KeyLook{KeyMark::Outline, kMarkRed} : KeyLook{};
    }
    case KEYBOARD_MODE_LIGHT: {
      const int count = static_cast<int>(items_.size());
      const std::uint8_t alpha = frames_->Brightness(frames_->CurrentFrame(), index, count);
      return KeyLook{KeyMark::Outline, ArgbColor::FromArgb(alpha, 0, 255, 255)};
    }
    case KEYBOARD_MODE_PAINT:
    case KEYBOARD_MODE_COLOUR:
      return KeyLook{KeyMark::Outline, ToArgb(key.colour)};
    default:
      return KeyLook{};
  }
}

std::vector<KeyView> KeyboardCtrl::Snapshot() const {
  std::lock_guard lock(itemLock_);
  std::vector<KeyView> keys;
  keys.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const KEY_INFO& key = *items_[i];
    KeyView view{RectOps::Offset(key.rect, pictureOffset_.x, pictureOffset_.y), LookOf(static_cast<int>(i)), {},
                 nullptr, Size{}};
    if (mode_ == KEYBOARD_MODE_CAPS) {
      view.name = key.name;
      view.icon = key.icon.get();
      view.iconSize = Size{key.iconWidth, key.iconHeight};
    }
    keys.push_back(std::move(view));
  }
  return keys;
}

Font KeyboardCtrl::NameFont() {
  const int size = std::max(1, static_cast<int>(std::lround(scale_ * kNameSize)));
  return Font(GetGDIFont().Face(), size, static_cast<FontStyle>(fontStyle_ & 0x7));
}

void KeyboardCtrl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const Rect rect = GetRect();
  if (RectOps::Empty(rect)) return;
  const std::vector<KeyView> keys = Snapshot();
  const Font font = NameFont();
  Image* base = GetMemImage();
  Image* composed = GetAnimateImage();
  if (GetUpdate() && Fits(base, rect) && Fits(composed, rect)) {
    canvas_->Update(*composed, *base, keys, font);
  } else if (!Rebuild(hdc, keys, font)) {
    // Outside the clip the window still shows the last frame, not the background under the control.
    hdc.Save();
    hdc.ClipRect(rect);
    hdc.Translate(rect.left, rect.top);
    if (ShowsPicture(GetKeyboardCtrlMode()) && picture_) DrawPicture(hdc);
    for (const KeyView& key : keys) KeyCanvas::DrawKey(hdc, key, font);
    hdc.Restore();
    DrawBand(hdc);
    return;
  }
  MRender::BitBlt(hdc, rect, *GetAnimateImage(), 0, 0);
  DrawBand(hdc);
}

bool KeyboardCtrl::Rebuild(RenderContext& hdc, const std::vector<KeyView>& keys, const Font& font) {
  const Rect rect = GetRect();
  if (!Covers(hdc.ClipBounds(), rect)) return false;
  Image* base = UpdateMemDC(hdc, rect.Width(), rect.Height());
  Image* composed = UpdateAnimateDC(hdc, rect.Width(), rect.Height());
  if (base == nullptr || composed == nullptr) return false;
  {
    RenderContext target(*base);
    MRender::BitBlt(target, Rect{0, 0, rect.Width(), rect.Height()}, hdc, rect.left, rect.top);
    if (ShowsPicture(GetKeyboardCtrlMode()) && picture_) DrawPicture(target);
    target.Flush();
  }
  canvas_->Rebuild(*composed, *base, keys, font);
  return true;
}

void KeyboardCtrl::DrawPicture(RenderContext& target) const {
  if (pictureWidth_ <= 0 || pictureHeight_ <= 0) return;
  const Point at = GetPictureOffset();
  MRender::DrawImage(target, *picture_, Rect{at.x, at.y, at.x + pictureWidth_, at.y + pictureHeight_},
                     Rect{0, 0, pictureWidth_, pictureHeight_});
}

void KeyboardCtrl::DrawBand(RenderContext& hdc) const {
  if (band_->Active() && GetKeyboardCtrlMode() == KEYBOARD_MODE_SELECT) KeyCanvas::DrawBand(hdc, band_->Span());
}

// Runs on the timer thread: it changes the frame under the item lock and only asks for a repaint.
int KeyboardCtrl::OnControlTimer() {
  animated_ = true;
  Rect dirty;
  {
    std::lock_guard lock(itemLock_);
    if (mode_ != KEYBOARD_MODE_LIGHT) return 0;
    const int before = frames_->CurrentFrame();
    if (!frames_->Tick()) return 0;
    const int after = frames_->CurrentFrame();
    const int count = static_cast<int>(items_.size());
    for (int i = 0; i < count; ++i) {
      if (frames_->Brightness(before, i, count) == frames_->Brightness(after, i, count)) continue;
      dirty = RectOps::Union(dirty, ClientRectOf(*items_[static_cast<std::size_t>(i)]));
    }
  }
  if (!RectOps::Empty(dirty)) UpdateControl(dirty, CacheReset::Keep);
  return 1;
}

}  // namespace ZephUI
