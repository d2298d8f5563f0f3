#include "zephui/MPanel.h"

#include <memory>
#include <utility>

#include "core/RectOps.h"
#include "zephui/ControlFactory.h"
#include "zephui/MScroll.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

Rect VerticalBarRect(const Rect& panel) {
  return Rect{panel.right - PANEL_SCROLL_SIZE, panel.top, panel.right, panel.bottom};
}

Rect HorizontalBarRect(const Rect& panel) {
  return Rect{panel.left, panel.bottom - PANEL_SCROLL_SIZE, panel.right, panel.bottom};
}

// The offset of content `extent` long scrolled by `bar` inside `length` pixels.
int ContentOffset(int extent, int length, const MScroll* bar) {
  const int overflow = extent - length;
  const int range = bar->GetScrollRange();
  if (overflow <= 0 || range <= 0) return 0;
  return static_cast<int>(static_cast<long long>(overflow) * bar->GetScrollPos() / range);
}

}  // namespace

MPanel::MPanel(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MControlFont(parent, id, rect, u"", visible, true, true) {
  dblClk_ = true;
  vertical_ = static_cast<MScroll*>(AddChild(
      std::make_unique<MScroll>(this, SCROLLBAR_VERTICAL_ID, VerticalBarRect(rect), ScrollOrientation::Vertical, false,
                                true),
      1));
  horizontal_ = static_cast<MScroll*>(AddChild(
      std::make_unique<MScroll>(this, SCROLLBAR_HORIZONTAL_ID, HorizontalBarRect(rect),
                                ScrollOrientation::Horizontal, false, true),
      1));
}

MPanel::~MPanel() = default;

MControl* MPanel::CreateArea(std::u16string_view className, std::uint32_t id, const Rect& rect,
                             std::u16string_view text, bool visible, bool enabled) {
  return CreateControl(0, this, className, id, rect, text, visible, enabled);
}

MControl* MPanel::CreateControl(int kind, MObject* parent, std::u16string_view className, std::uint32_t id,
                                const Rect& rect, std::u16string_view text, bool visible, bool enabled) {
  const ControlArgs args{parent, id, rect, std::u16string(text), visible, enabled};
  std::unique_ptr<MControl> control = ControlFactory::Create(FactoryKind::Panel, className, args);
  if (!control) return nullptr;
  if (kind != 0 && kind != 1) {
    // Kept by the window until it goes; without a window nothing could own it.
    return manager_ != nullptr ? manager_->AddControl(std::move(control), kind) : nullptr;
  }
  if (manager_ != nullptr) control->SetManager(manager_);
  return AddChild(std::move(control), kind);
}

MControl* MPanel::CreateControl(std::u16string_view className, std::uint32_t id, const Rect& rect,
                                std::u16string_view text, bool visible, bool enabled) {
  return CreateControl(1, this, className, id, rect, text, visible, enabled);
}

int MPanel::OnControlKeyUp(std::uint32_t, std::uint32_t, std::uint32_t) { return 0; }

void MPanel::InitControl(PaintManager* manager) {
  childrenInitialised_ = true;
  vertical_->SetManager(manager);
  horizontal_->SetManager(manager);
}

void MPanel::DrawControl(RenderContext&, const Rect&) {}

void MPanel::DrawSubControls(RenderContext& hdc, const Rect& paintRect) {
  if (!IsScrolled()) MControl::DrawSubControls(hdc, paintRect);
}

void MPanel::OnMousePointChange(Point& point) {
  if (!IsScrolled()) return;
  point.x += GetHorizontalOffset();
  point.y += GetVerticalOffset();
}

void MPanel::SetControlRect(const Rect& rect) {
  virtualWidth_ = 0;
  virtualHeight_ = 0;
  vertical_->SetRect(VerticalBarRect(rect));
  horizontal_->SetRect(HorizontalBarRect(rect));
  LayoutScrollBars();
}

void MPanel::LayoutScrollBars() {
  const auto place = [](MScroll* bar, bool show, int range) {
    bar->SetVisible(show);
    bar->SetScrollRange(range);
    if (bar->ResetPosOnResize()) bar->SetScrollPos(0);
  };
  place(vertical_, rect_.Height() < virtualHeight_, virtualHeight_);
  place(horizontal_, rect_.Width() < virtualWidth_, virtualWidth_);
}

void MPanel::SetControlEnabled(bool enabled) {
  ForEachControl([enabled](MControl* child) {
    if (child->IsEnabled() != enabled) child->SetEnabled(enabled);
    return false;
  });
}

void MPanel::SetControlVisible(bool visible) { SetControlWndVisible(visible); }

int MPanel::OnControlScroll(int, int direction, Point) {
  if (!scrollEnabled_ || virtualHeight_ < rect_.Height()) return 0;
  const int step = vertical_->GetScrollStep();
  if (!vertical_->SetScrollPos(vertical_->GetScrollPos() + (direction == 1 ? step : -step))) return 0;
  UpdateControl(CacheReset::Reset);
  return 1;
}

LRESULT MPanel::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ForEachControl([&](MControl* child) { return child->OnWindowMessage(msg, wParam, lParam) != 0; }) ? 1 : 0;
}

LRESULT MPanel::OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  return parent_ != nullptr ? parent_->OnBaseMessage(controlId, msg, wParam, lParam) : 0;
}

LRESULT MPanel::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The content moves with the bars.
  const bool ownBar = controlId == SCROLLBAR_VERTICAL_ID || controlId == SCROLLBAR_HORIZONTAL_ID;
  if (ownBar && msg == NOTIFY_SCROLL) UpdateControl(CacheReset::Reset);
  return parent_ != nullptr ? parent_->OnBaseMessage(controlId, msg, wParam, lParam) : 0;
}

LRESULT MPanel::OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) {
  const GdiColor back = manager_ != nullptr ? manager_->GetBackColor() : GdiColor();
  if (control != nullptr && reset == CacheReset::Reset) control->SetUpdate(false, back);
  Rect dirty = rect;
  if (childrenInitialised_ && control != nullptr) {
    bool met = false;
    ForEachControl([&](MControl* child) {
      if (child == control) {
        met = true;
      } else if (met && child->IsVisible() && RectOps::Meet(child->GetRect(), rect)) {
        child->SetUpdate(false, back);
        dirty = RectOps::Union(dirty, child->GetRect());
      }
      return false;
    });
  }
  dirty = RectOps::Union(RectOps::Offset(dirty, -GetHorizontalOffset(), -GetVerticalOffset()), rect_);
  InvalidateRect(dirty, EraseMode::Keep);
  return 0;
}

MScroll* MPanel::GetScrollVertical() const { return vertical_; }

MScroll* MPanel::GetScrollHorizontal() const { return horizontal_; }

void MPanel::SetVirtualSize(int width, int height) {
  virtualWidth_ = width;
  virtualHeight_ = height;
  LayoutScrollBars();
}

int MPanel::GetVirtualWidth() const { return virtualWidth_; }

int MPanel::GetVirtualHeight() const { return virtualHeight_; }

void MPanel::SetScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }

bool MPanel::IsScrollEnabled() const { return scrollEnabled_; }

int MPanel::GetVerticalOffset() const {
  return scrollEnabled_ ? ContentOffset(virtualHeight_, rect_.Height(), vertical_) : 0;
}

int MPanel::GetHorizontalOffset() const {
  return scrollEnabled_ ? ContentOffset(virtualWidth_, rect_.Width(), horizontal_) : 0;
}

bool MPanel::IsScrolled() const {
  return scrollEnabled_ && (virtualWidth_ > rect_.Width() || virtualHeight_ > rect_.Height());
}

}  // namespace ZephUI
