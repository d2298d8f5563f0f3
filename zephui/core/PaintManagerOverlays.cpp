// The overlays of a window: status message with progress bar (timers 66, 88
// and 99), tooltip and caret (timer 6553).
#include "core/ManagerMessages.h"
#include "core/PaintManagerState.h"
#include "core/RectOps.h"
#include "zephui/MControl.h"
#include "zephui/MControlFont.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kMessageHoldMs = 3000;
constexpr std::uint32_t kFadeTickMs = 50;
constexpr std::uint32_t kProgressTickMs = 10;
constexpr int kStopFadeBelow = 5;
constexpr int kBandTop = 60;
constexpr int kBandBottom = 2;
constexpr std::uint8_t kCaretAlpha = 254;

}  // namespace

void PaintManager::SetMessage(std::u16string text, const Rect& rect, MsgLevel level) {
  const HWND hwnd = state_->hwnd;
  ::ZephUI::KillTimer(hwnd, TIMER_MESSAGE_HOLD);
  ::ZephUI::KillTimer(hwnd, TIMER_MESSAGE_FADE);
  const Rect old = state_->status.Box();
  state_->status.SetMessage(std::move(text), rect, level);
  const Rect dirty = RectOps::Union(old, rect);
  ::ZephUI::InvalidateRect(hwnd, &dirty);
  ::ZephUI::SetTimer(hwnd, TIMER_MESSAGE_HOLD, kMessageHoldMs);
}

void PaintManager::SetProgress(int percent, std::u16string text, const Rect& rect) {
  const HWND hwnd = state_->hwnd;
  const Rect client = GetClientRect();
  const Rect band{client.left, client.bottom - kBandTop, client.right, client.bottom - kBandBottom};
  const auto start = state_->status.SetProgress(percent, std::move(text), rect, band);
  if (start == StatusOverlay::ProgressStart::Ignored) return;
  if (percent < kStopFadeBelow) ::ZephUI::KillTimer(hwnd, TIMER_MESSAGE_FADE);
  if (start == StatusOverlay::ProgressStart::Run) {
    ::ZephUI::SetTimer(hwnd, TIMER_PROGRESS, kProgressTickMs);
    return;
  }
  InvalidateRect(state_->status.Box(), EraseMode::Keep);
  if (state_->status.Full()) StartFade();
}

void PaintManager::StartFade() { ::ZephUI::SetTimer(state_->hwnd, TIMER_MESSAGE_FADE, kFadeTickMs); }

bool PaintManager::OnOverlayTimer(std::uintptr_t id) {
  const HWND hwnd = state_->hwnd;
  if (id == TIMER_MESSAGE_HOLD) {
    ::ZephUI::KillTimer(hwnd, TIMER_MESSAGE_HOLD);
    StartFade();
    return true;
  }
  if (id == TIMER_MESSAGE_FADE) {
    const StatusOverlay::Step step = state_->status.Fade();
    InvalidateRect(state_->status.Box(), EraseMode::Keep);
    if (step.finished) {
      ::ZephUI::KillTimer(hwnd, TIMER_MESSAGE_FADE);
      Invalidate();
    }
    return true;
  }
  if (id == TIMER_PROGRESS) {
    const StatusOverlay::Step step = state_->status.Advance();
    InvalidateRect(state_->status.Box(), EraseMode::Keep);
    if (step.finished) ::ZephUI::KillTimer(hwnd, TIMER_PROGRESS);
    if (step.finished && step.full) StartFade();
    return true;
  }
  return false;
}

int PaintManager::GetMessageAlpha() const { return state_->status.Alpha(); }

Rect PaintManager::GetMessageRect() const { return state_->status.Box(); }

std::u16string PaintManager::GetMessageText() const { return state_->status.Text(); }

int PaintManager::GetShownProgress() const { return state_->status.Progress(); }

void PaintManager::SetTooltip(std::u16string text, const Rect& rect) {
  // The tip window belongs to the window's thread.
  if (!OnWindowThread() || !IsWindow(state_->hwnd)) return;
  if (text.empty()) {
    if (state_->tooltip) state_->tooltip->Hide();
    return;
  }
  if (!state_->tooltip) state_->tooltip = std::make_unique<MToolTip>(state_->hwnd);
  state_->tooltip->Show(std::move(text), rect);
}

void PaintManager::ClearTooltip() {
  {
    std::lock_guard lock(state_->refLock);
    state_->tooltipOwner = 0;
  }
  if (OnWindowThread()) {
    if (state_->tooltip) state_->tooltip->Hide();
    return;
  }
  state_->hideTooltipPending = true;
  PostMessage(state_->hwnd, kManagerWakeMessage, 0, 0);
}

std::uint32_t PaintManager::GetTooltipCtrlID() const {
  std::lock_guard lock(state_->refLock);
  return state_->tooltipOwner;
}

void PaintManager::SetTooltipCtrlID(std::uint32_t id) {
  std::lock_guard lock(state_->refLock);
  state_->tooltipOwner = id;
}

HWND PaintManager::GetTooltipWindow() const { return state_->tooltip ? state_->tooltip->Window() : nullptr; }

void PaintManager::CreateCaret(const Image*, int width, int height) {
  Rect& caret = state_->caretRect;
  caret = Rect{caret.left, caret.top, caret.left + width, caret.top + height};
}

void PaintManager::SetCaretPos(MControl* owner, int x, int y) {
  {
    std::lock_guard lock(state_->refLock);
    if (owner != nullptr && owner->detached_) return;
    state_->caretOwner = owner;
  }
  Rect& caret = state_->caretRect;
  const Rect old = caret;
  caret = Rect{x, y, x + old.Width(), y + old.Height()};
  InvalidateRect(old, EraseMode::Keep);
  InvalidateRect(caret, EraseMode::Keep);
}

void PaintManager::ShowCaret(bool show) {
  state_->caretShown = show;
  state_->caretPhase = show;
  if (show) {
    ::ZephUI::SetTimer(state_->hwnd, TIMER_CARET, kCaretBlinkMs);
  } else {
    ::ZephUI::KillTimer(state_->hwnd, TIMER_CARET);
  }
  InvalidateRect(state_->caretRect, EraseMode::Keep);
}

MControl* PaintManager::GetCurrentCaretObject() const { return state_->Get(&State::caretOwner); }

void PaintManager::DrawCaret(RenderContext& hdc, const Rect& paintRect) {
  MControl* owner = GetCurrentCaretObject();
  if (owner == nullptr || !state_->caretShown) return;
  if (!owner->IsFocused() && GetFocusControl() != owner) {
    ::ZephUI::KillTimer(state_->hwnd, TIMER_CARET);  // the caret stays away until shown again
    state_->caretShown = false;
    return;
  }
  if (GetFocus() != state_->hwnd || !state_->caretPhase) return;
  const auto* text = dynamic_cast<const MControlFont*>(owner);
  const ArgbColor colour = text != nullptr ? text->GetTextColor() : ArgbColor(0xFFFFFFFF);
  const Rect area = RectOps::Intersect(state_->caretRect, paintRect);
  if (!RectOps::Empty(area)) MRender::DrawColor(hdc, area, ToArgb(ToGdi(colour), kCaretAlpha));
}

}  // namespace ZephUI
