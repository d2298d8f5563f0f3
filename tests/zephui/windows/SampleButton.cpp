#include "tests/zephui/windows/SampleButton.h"

#include <utility>

#include "zephui/MRender.h"

using namespace ZephUI;

namespace zephuitest {

SampleButton::SampleButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled)
    : MControlFont(parent, id, rect, std::move(title), visible, enabled, true) {
  SetAlignment(1, 4);
}

int SampleButton::Frame() const {
  if (!IsEnabled()) return 3;
  if (pressed_) return 2;
  return hover_ ? 1 : 0;
}

void SampleButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image) {
    MRender::DrawImageFrame(hdc, *skin->image, GetRect(), Frame() * skin->frameWidth, 0, skin->frameWidth,
                            skin->height, 4);
  } else {
    MRender::DrawColor(hdc, GetRect(), colour);
  }
  Rect text = GetRect();
  if (pressed_) text = Rect{text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
  const ArgbColor ink = IsEnabled() ? GetTextColor() : ArgbColor(0xFF808080);
  MRender::DrawTextW(hdc, text, GetTitle(), ink, GetGDIFont(), GetTextFormat(false));
}

int SampleButton::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  const bool inside = PtInRect(point);
  if (inside == hover_) return inside ? 1 : 0;
  hover_ = inside;
  UpdateControl(CacheReset::Keep);
  return 1;
}

int SampleButton::OnControlLButtonDown(std::uint32_t /*flags*/, Point /*point*/) {
  if (!IsEnabled()) return 0;
  pressed_ = true;
  UpdateControl(CacheReset::Keep);
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

// The click is reported last: the dialog may remove the button or close while it handles it.
int SampleButton::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  const bool clicked = pressed_ && PtInRect(point);
  pressed_ = false;
  UpdateControl(CacheReset::Keep);
  if (clicked) SendMessageW(NOTIFY_CLICKED, 0, 0);
  return 1;
}

}  // namespace zephuitest
