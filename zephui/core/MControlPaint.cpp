// MControl's drawing, cached surfaces, geometry and visibility changes, and
// the repaint requests that travel up to the paint manager.
#include "core/RectOps.h"
#include "zephui/MControl.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

bool SameSize(const Image* image, int width, int height) {
  return image != nullptr && image->Width() == width && image->Height() == height;
}

}  // namespace

void MControl::Draw(RenderContext& hdc, const Rect& paintRect) {
  if (!IsVisible() || !RectOps::Meet(rect_, paintRect)) return;
  for (MControl* area : GetAreas()) {
    if (RectOps::Meet(area->rect_, rect_)) area->Draw(hdc, paintRect);
  }
  DrawControl(hdc, paintRect);
  DrawSubControls(hdc, paintRect);
}

void MControl::DrawSubControls(RenderContext& hdc, const Rect& paintRect) {
  ForEachControl([&](MControl* child) {
    if (child->IsVisible()) child->Draw(hdc, paintRect);
    return false;
  });
}

void MControl::SetUpdate(bool update, GdiColor backColour) {
  update_ = update;
  ForEachControl([&](MControl* child) {
    if (RectOps::Meet(child->rect_, rect_)) child->SetUpdate(update, backColour);
    return false;
  });
}

Image* MControl::UpdateMemDC(RenderContext&, int width, int height) {
  if (!SameSize(memImage_.get(), width, height)) memImage_ = Image::Create(width, height);
  update_ = true;
  return memImage_.get();
}

Image* MControl::UpdateAnimateDC(RenderContext&, int width, int height) {
  if (!SameSize(animateImage_.get(), width, height)) animateImage_ = Image::Create(width, height);
  return animateImage_.get();
}

Image* MControl::GetMemImage() const { return memImage_.get(); }

Image* MControl::GetAnimateImage() const { return animateImage_.get(); }

std::unique_ptr<Image> MControl::GetDropBitmap() { return GetControlDropBitmap(); }

void MControl::UpdateControl(CacheReset reset, UpdateForce force) { UpdateControl(rect_, reset, force); }

void MControl::UpdateControl(const Rect& rect, CacheReset reset, UpdateForce force) {
  if (parent_ == nullptr || (!IsVisible() && force != UpdateForce::Always)) return;
  parent_->OnControlUpdate(rect, reset, this);
}

void MControl::UpdateAControl(AnimationCache animation, UpdateForce force) {
  if (animation == AnimationCache::MarkValid) animateUpdate_ = true;
  UpdateControl(CacheReset::Keep, force);
}

void MControl::InvalidateRect(const Rect& rect, EraseMode erase) {
  if (manager_ != nullptr) manager_->InvalidateRect(rect, erase);
}

void MControl::SetRect(const Rect& rect) {
  const Rect old = rect_;
  rect_ = rect;
  SetControlRect(rect);
  OnPositionChange();
  if (IsVisible() && parent_ != nullptr) parent_->OnControlUpdate(RectOps::Union(old, rect), CacheReset::Reset, this);
}

void MControl::SetRect(int x, int y, int width, int height) { SetRect(Rect{x, y, x + width, y + height}); }

void MControl::SetVisible(bool visible) { SetVisible(visible, RepaintMode::Repaint); }

void MControl::SetVisible(bool visible, RepaintMode repaint) {
  if (visible_ == visible) return;
  visible_ = visible;
  SetControlVisible(visible);
  if (repaint == RepaintMode::Repaint) UpdateControl(CacheReset::Reset, UpdateForce::Always);
}

void MControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  SetControlEnabled(enabled);
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI
