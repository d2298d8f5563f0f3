#include "zephui/CColorCombo.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr int kPressed = 2;
constexpr int kDisabled = 3;
constexpr ArgbColor kGreyVeil(0x80808080);

}  // namespace

CColorCombo::CColorCombo(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, true), state_(enabled ? 0 : kDisabled) {}

CColorCombo::~CColorCombo() = default;

void CColorCombo::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, open_ ? kPressed : state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

// The swatch takes the combo's text area: inset 6 at the left, top and bottom and 30 at the right.
void CColorCombo::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const int frame = std::min(state, skin->frameCount - 1);
    MRender::DrawImageFrameMID(target, *skin->image, slot, frame * skin->frameWidth, 0, skin->frameWidth,
                               skin->height, 10, 10, 36, 10);
  }
  const Rect swatch{slot.left + 6, slot.top + 6, slot.right - 30, slot.bottom - 6};
  MRender::FillSolidRect(target, swatch, colour_);
  if (state == kDisabled) MRender::DrawColor(target, swatch, kGreyVeil);
}

int CColorCombo::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || pressed_) return 0;
  SetState(PtInRect(point) ? 1 : 0);
  return PtInRect(point) ? 1 : 0;
}

int CColorCombo::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  pressed_ = true;
  SetState(kPressed);
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

int CColorCombo::OnControlLButtonUp(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  const bool wasPressed = std::exchange(pressed_, false);
  SetState(PtInRect(point) ? 1 : 0);
  if (!wasPressed || !PtInRect(point)) return 1;
  SetOpen(!open_);
  SendMessageW(NOTIFY_CLICKED, 0, open_ ? 1 : 0);
  return 1;
}

void CColorCombo::SetControlEnabled(bool enabled) {
  if (!enabled) SetOpen(false);
  SetState(enabled ? 0 : kDisabled);
}

void CColorCombo::SetColor(GdiColor colour) {
  colour_ = colour;
  UpdateControl(CacheReset::Reset);
}

GdiColor CColorCombo::GetColor() const { return colour_; }

void CColorCombo::SetOpen(bool open) {
  if (open_ == open) return;
  open_ = open;
  UpdateControl(CacheReset::Keep);
}

bool CColorCombo::IsOpen() const { return open_; }

int CColorCombo::GetState() const { return state_; }

void CColorCombo::SetState(int state) {
  if (state_ == state) return;
  state_ = state;
  UpdateControl(CacheReset::Keep);
}

}  // namespace ZephUI
