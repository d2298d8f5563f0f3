#include "core/StatusOverlay.h"

#include <algorithm>
#include <utility>

#include "zephui/Font.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kFadeStep = 10;
constexpr int kFadeFloor = 20;
constexpr int kProgressStep = 2;
constexpr int kJumpBelow = 6;

bool IsEmptyRect(const Rect& r) { return r.Width() <= 0 || r.Height() <= 0; }

ArgbColor WithAlpha(std::uint32_t rgb, int alpha) {
  return ArgbColor((static_cast<std::uint32_t>(alpha) << 24) | (rgb & 0xFFFFFF));
}

}  // namespace

StatusOverlay::StatusOverlay(std::u16string face) : face_(std::move(face)) {}

void StatusOverlay::SetMessage(std::u16string text, const Rect& rect, MsgLevel level) {
  std::lock_guard lock(lock_);
  alpha_ = 255;
  text_ = std::move(text);
  level_ = level;
  rect_ = rect;
  shown_ = 0;
}

StatusOverlay::ProgressStart StatusOverlay::SetProgress(int percent, std::u16string text, const Rect& rect,
                                                        const Rect& band) {
  std::lock_guard lock(lock_);
  if (percent == target_) return ProgressStart::Ignored;
  alpha_ = 255;
  text_ = std::move(text);
  target_ = percent;
  rect_ = IsEmptyRect(rect) ? band : rect;
  if (target_ - shown_ < kJumpBelow) {
    shown_ = target_;
    return ProgressStart::Jumped;
  }
  return ProgressStart::Run;
}

StatusOverlay::Step StatusOverlay::Fade() {
  std::lock_guard lock(lock_);
  const int next = alpha_ - kFadeStep;
  if (next >= kFadeFloor) {
    alpha_ = next;
    return Step{false, shown_ >= 100};
  }
  alpha_ = 0;
  shown_ = 0;
  target_ = 0;
  return Step{true, false};
}

StatusOverlay::Step StatusOverlay::Advance() {
  std::lock_guard lock(lock_);
  shown_ = std::min(shown_ + kProgressStep, target_);
  return Step{shown_ >= target_, shown_ >= 100};
}

bool StatusOverlay::Full() const {
  std::lock_guard lock(lock_);
  return shown_ >= 100;
}

int StatusOverlay::Alpha() const {
  std::lock_guard lock(lock_);
  return alpha_;
}

int StatusOverlay::Progress() const {
  std::lock_guard lock(lock_);
  return shown_;
}

Rect StatusOverlay::Box() const {
  std::lock_guard lock(lock_);
  return rect_;
}

std::u16string StatusOverlay::Text() const {
  std::lock_guard lock(lock_);
  return text_;
}

StatusOverlay::View StatusOverlay::Snapshot() const {
  std::lock_guard lock(lock_);
  return View{text_, face_, rect_, alpha_, shown_};
}

void StatusOverlay::Draw(RenderContext& hdc, const View& view) {
  if (view.alpha <= 10 || view.text.empty()) return;
  const Rect& r = view.rect;
  MRender::DrawColor(hdc, r, WithAlpha(0xE6E6E6, view.alpha));
  MRender::DrawColor(hdc, Rect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, WithAlpha(0xFEFEFE, view.alpha));
  const Font font(view.face, 12);
  const ArgbColor ink = WithAlpha(0x050505, view.alpha);
  if (view.progress <= 0) {
    const Rect box{r.left + 5, r.top + 5, r.left + 5 + 190, r.top + 5 + 50};
    MRender::DrawTextW(hdc, box, view.text, ink, font, TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine);
    return;
  }
  const Rect box{r.left + 5, r.top + 5, r.right - 5, r.top + 5 + 30};
  MRender::DrawTextW(hdc, box, view.text, ink, font, TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
  DrawProgress(hdc, view);
}

void StatusOverlay::DrawProgress(RenderContext& hdc, const View& view) {
  const Rect& r = view.rect;
  MRender::DrawColor(hdc, Rect{r.left + 10, r.bottom - 15, r.right - 20, r.bottom - 14}, ArgbColor(0xC8C8C8C8));
  const int length = std::min(view.progress, 100) * (r.Width() - 20) / 100;
  MRender::DrawColor(hdc, Rect{r.left + 10, r.bottom - 16, r.left + 10 + length, r.bottom - 13}, ArgbColor(0xFEFFE100));
}

}  // namespace ZephUI
