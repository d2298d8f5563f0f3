#include "zephui/CLogonEdit.h"

#include <algorithm>
#include <utility>

#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr int kIconGap = 6;

}  // namespace

CLogonEdit::CLogonEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible,
                       bool enabled)
    : MEditEx(parent, id, rect, std::move(text), visible, enabled) {}

CLogonEdit::~CLogonEdit() = default;

void CLogonEdit::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  if (icon_) MRender::DrawImage(hdc, *icon_, GetIconRect(), icon_->StripFrameRect(0, iconFrames_));
  MEditEx::DrawControl(hdc, paintRect);
}

int CLogonEdit::SetIconImage(std::u16string_view fileName, int frameCount) {
  std::unique_ptr<Image> icon = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  if (!icon) return 0;
  icon_ = std::move(icon);
  iconFrames_ = std::max(frameCount, 1);
  SetTextInset(GetIconRect().right + kIconGap - rect_.left);
  return 1;
}

Rect CLogonEdit::GetIconRect() const {
  if (!icon_) return Rect{};
  const Rect frame = icon_->StripFrameRect(0, iconFrames_);
  const int top = rect_.top + (rect_.Height() - frame.Height()) / 2;
  return Rect{rect_.left + kIconGap, top, rect_.left + kIconGap + frame.Width(), top + frame.Height()};
}

Rect CLogonEdit::TipRect() const {
  Rect rect = MEditEx::TipRect();
  if (icon_) rect.left = GetIconRect().right + kIconGap;
  return rect;
}

}  // namespace ZephUI
