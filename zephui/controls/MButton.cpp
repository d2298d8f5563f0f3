#include "zephui/MButton.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr ArgbColor kDisabledText(0xFF808080);
constexpr TextFormat kTitleFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

MButton::MButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                 bool enabled)
    : MControlFont(parent, id, rect, std::move(title), visible, enabled, true),
      state_(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED) {
  hAlign_ = 1;  // the title is always centred; set directly, no repaint while constructing
  SetCursorEx(enabled ? u"hand" : u"arrow");
}

MButton::~MButton() = default;

void MButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

int MButton::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || state_ == BUTTON_STATE_PRESSED) return 0;
  const bool inside = PtInRect(point);
  SetCursorEx(inside ? u"hand" : u"arrow");
  SetState(inside ? BUTTON_STATE_HOVER : BUTTON_STATE_NORMAL);
  return inside ? 1 : 0;
}

int MButton::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  SetCursorEx(u"hand");
  SetState(BUTTON_STATE_PRESSED);
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

// The click is reported last: the dialog may remove the button or close while it handles it.
int MButton::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  if (!PtInRect(point)) {
    SetState(BUTTON_STATE_NORMAL);
    return 1;
  }
  const bool clicked = state_ == BUTTON_STATE_PRESSED;
  SetState(BUTTON_STATE_HOVER);
  if (clicked) SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

void MButton::SetControlEnabled(bool enabled) {
  SetCursorEx(enabled ? u"hand" : u"arrow");
  SetState(enabled ? BUTTON_STATE_NORMAL : BUTTON_STATE_DISABLED);
}

void MButton::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MButton::SetIconImage(std::u16string_view fileName, int frameCount) {
  std::unique_ptr<Image> icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  if (!icon) return 0;
  icon_ = std::move(icon);
  iconFrames_ = std::max(frameCount, 1);
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MButton::SetFrameSize(int corner) {
  frameSize_ = std::max(corner, 0);
  UpdateControl(CacheReset::Reset);
}

int MButton::GetFrameSize() const { return frameSize_; }

void MButton::SetTextRect(const Rect& rect) {
  textRect_ = rect;
  UpdateControl(CacheReset::Reset);
}

Rect MButton::GetTextRect() const { return textRect_; }

int MButton::GetState() const { return state_; }

void MButton::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

void MButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  DrawSkin(target, slot, state);
  DrawIcon(target, slot);
  DrawTitle(target, slot, state);
}

void MButton::DrawSkin(RenderContext& target, const Rect& slot, int state) const {
  const ImgResInfo* skin = GetImageInfo();
  if (skin == nullptr || !skin->image || skin->frameWidth <= 0) return;
  const int frame = std::min(state, skin->frameCount - 1);
  MRender::DrawImageFrame(target, *skin->image, slot, frame * skin->frameWidth, 0, skin->frameWidth, skin->height,
                          frameSize_);
}

void MButton::DrawIcon(RenderContext& target, const Rect& slot) const {
  if (!icon_) return;
  const Rect source = icon_->StripFrameRect(0, iconFrames_);
  const int x = slot.left + (slot.Width() - source.Width()) / 2 + 2;
  const int y = slot.top + (slot.Height() - source.Height()) / 2 - 4;
  MRender::DrawImage(target, *icon_, Rect{x, y, x + source.Width(), y + source.Height()}, source);
}

void MButton::DrawTitle(RenderContext& target, const Rect& slot, int state) {
  if (title_.empty()) return;
  Rect area = RectOps::Empty(textRect_) ? slot : RectOps::Offset(textRect_, slot.left, slot.top);
  if (state == BUTTON_STATE_PRESSED) area = RectOps::Offset(area, 1, 1);
  const ArgbColor ink = state == BUTTON_STATE_DISABLED ? kDisabledText : GetTextColor();
  MRender::DrawTextW(target, area, title_, ink, GetGDIFont(), kTitleFormat);
}

}  // namespace ZephUI
