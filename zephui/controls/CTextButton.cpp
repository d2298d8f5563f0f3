#include "zephui/CTextButton.h"

#include <algorithm>
#include <utility>

#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr TextFormat kTitleFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

CTextButton::CTextButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                         bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {}

CTextButton::~CTextButton() = default;

void CTextButton::SetTextButtonColor(ArgbColor normal, ArgbColor hover, ArgbColor pressed, ArgbColor disabled) {
  colours_[BUTTON_STATE_NORMAL] = normal;
  colours_[BUTTON_STATE_HOVER] = hover;
  colours_[BUTTON_STATE_PRESSED] = pressed;
  colours_[BUTTON_STATE_DISABLED] = disabled;
  UpdateControl(CacheReset::Reset);
}

void CTextButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  if (title_.empty()) return;
  const Rect area = RectOps::Empty(textRect_) ? slot : RectOps::Offset(textRect_, slot.left, slot.top);
  MRender::DrawTextW(target, area, title_, colours_[std::clamp(state, 0, 3)], GetGDIFont(), kTitleFormat);
}

}  // namespace ZephUI
