#include "zephui/CColorButton.h"

#include <utility>

#include "controls/ControlGroup.h"
#include "controls/SlotCache.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kStateCount = 4;
constexpr GdiColor kBorderLight = GdiColor::FromRgb(235, 235, 235);
constexpr GdiColor kBorderDark = GdiColor::FromRgb(5, 5, 5);
constexpr ArgbColor kOutline(0xFFF5F5F5);
constexpr ArgbColor kDisabledOutline(0xFF808080);

Rect Inset(const Rect& r, int by) { return Rect{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

CColorButton::CColorButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MButton(parent, id, rect, std::u16string(), visible, enabled) {}

CColorButton::~CColorButton() = default;

std::u16string_view CColorButton::GetClassNameW() const { return u"ColorButton"; }

void CColorButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, kStateCount, check_ != 0 ? BUTTON_STATE_PRESSED : state_,
                  [this](RenderContext& target, const Rect& slot, int state) { RenderState(target, slot, state); });
}

int CColorButton::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  SetCursorEx(u"hand");
  SetControlCheck(1);
  UncheckGroup();
  SetState(BUTTON_STATE_PRESSED);
  SendMessageW(NOTIFY_PRESSED, 0, 0);
  return 1;
}

void CColorButton::SetColor(GdiColor colour) {
  colour_ = colour;
  UpdateControl(CacheReset::Reset);
}

GdiColor CColorButton::GetColor() const { return colour_; }

void CColorButton::SetVisibleBorder(bool on) {
  border_ = on;
  UpdateControl(CacheReset::Reset);
}

int CColorButton::GetCheck() const { return check_; }

int CColorButton::SetCheck(int check) {
  if (!IsEnabled()) return check_;
  SetControlCheck(check);
  if (check_ != 0) UncheckGroup();
  return check_;
}

void CColorButton::SetControlCheck(int check) {
  const int value = check != 0 ? 1 : 0;
  if (check_ == value) return;
  check_ = value;
  UpdateControl(CacheReset::Keep);
}

void CColorButton::SetGroupName(std::u16string name) { groupName_ = std::move(name); }

std::u16string CColorButton::GetGroupName() const { return groupName_; }

void CColorButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  if (border_) {
    MRender::FillSolidRect(target, slot, kBorderLight);
    MRender::FillSolidRect(target, Inset(slot, 1), kBorderDark);
    MRender::FillSolidRect(target, Inset(slot, 3), colour_);
    return;
  }
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image) {
    MRender::DrawImage(target, *skin->image, slot, Rect{0, 0, skin->image->Width(), skin->image->Height()});
  } else {
    MRender::FillSolidRect(target, Inset(slot, 2), colour_);
  }
  if (state == BUTTON_STATE_NORMAL) return;
  const ArgbColor pen = state == BUTTON_STATE_DISABLED ? kDisabledOutline : kOutline;
  MRender::DrawRectangle(target, Rect{slot.left + 1, slot.top + 1, slot.right - 1, slot.bottom - 1}, pen, 2);
}

void CColorButton::UncheckGroup() {
  for (MControl* other : ControlGroup::Others(*this)) {
    auto* swatch = dynamic_cast<CColorButton*>(other);
    if (swatch != nullptr && swatch->groupName_ == groupName_ && swatch->IsVisible() && swatch->IsEnabled()) {
      swatch->SetControlCheck(0);
    }
  }
}

}  // namespace ZephUI
