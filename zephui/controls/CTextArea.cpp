#include "zephui/CTextArea.h"

#include <utility>

#include "controls/AreaFill.h"
#include "controls/SlotCache.h"
#include "zephui/MRender.h"

namespace ZephUI {

CTextArea::CTextArea(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible)
    : MControlFont(parent, id, rect, std::move(title), visible, true, false), fill_(std::make_unique<AreaFill>()) {}

CTextArea::~CTextArea() = default;

void CTextArea::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) {
    fill_->Render(target, slot);
    if (!title_.empty()) MRender::DrawTextW(target, slot, title_, GetTextColor(), GetGDIFont(), GetTextFormat(false));
  });
}

void CTextArea::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

void CTextArea::SetTransparent(int startPercent, int endPercent, GdiColor colour) {
  fill_->SetTransparent(startPercent, endPercent, colour);
  UpdateControl(CacheReset::Reset);
}

void CTextArea::SetFrame(bool on, ArgbColor colour) {
  fill_->SetFrame(on, colour);
  UpdateControl(CacheReset::Reset);
}

void CTextArea::SetTransitionDirection(GradientDirection direction) {
  fill_->direction = direction;
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI
