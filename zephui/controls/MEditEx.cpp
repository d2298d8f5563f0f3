#include "zephui/MEditEx.h"

#include <utility>

#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr ArgbColor kGrey(0xFF808080);
constexpr int kInset = 4;

}  // namespace

MEditEx::MEditEx(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible,
                 bool enabled)
    : MRichEdit(parent, id, rect, std::move(text), visible, enabled) {}

MEditEx::~MEditEx() = default;

void MEditEx::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  MRichEdit::DrawControl(hdc, paintRect);
  if (!IsShowingTip()) return;
  MRender::DrawTextW(hdc, TipRect(), tip_, kGrey, GetGDIFont(),
                     TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine | TextFormat::EndEllipsis);
}

Rect MEditEx::TipRect() const { return Rect{rect_.left + kInset, rect_.top, rect_.right - kInset, rect_.bottom}; }

void MEditEx::SetTipInfo(std::u16string text) {
  tip_ = std::move(text);
  UpdateControl(CacheReset::Reset);
}

std::u16string MEditEx::GetTipInfo() const { return tip_; }

bool MEditEx::IsShowingTip() const { return !tip_.empty() && GetTextLength() == 0 && !IsFocused(); }

}  // namespace ZephUI
