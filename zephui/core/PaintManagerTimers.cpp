// Window timers of the paint manager (control timers, the paint pacing timer)
// and the animation timer whose ticks reach registered controls.
#include <algorithm>
#include <utility>

#include "core/ManagerMessages.h"
#include "core/PaintManagerState.h"
#include "zephui/MControl.h"
#include "zephui/PaintManager.h"
#include "zephui/PeriodicTimer.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

const std::vector<std::uintptr_t> kReservedIds{TIMER_MESSAGE_HOLD, TIMER_MESSAGE_FADE, TIMER_PROGRESS};

// After this long without any control moving, the animation timer parks so an idle window costs
// no wake-ups; longer than any control's wait between two frames.
constexpr std::uint32_t kParkAfterIdleMs = 2000;

}  // namespace

int PaintManager::SetTimer(MControl* control, std::uint32_t key, std::uint32_t milliseconds) {
  const HWND hwnd = state_->hwnd;
  if (control == nullptr || control->detached_ || !IsWindow(hwnd)) return 0;
  std::uintptr_t id = 0;
  switch (state_->timers.Find(hwnd, control, key, id)) {
    case ControlTimerTable::Found::Running:
      return 0;
    case ControlTimerTable::Found::Killed:
      if (::ZephUI::SetTimer(hwnd, id, milliseconds) == 0) return 0;
      state_->timers.SetKilled(hwnd, control, key, false);
      return 1;
    case ControlTimerTable::Found::None:
      break;
  }
  id = state_->timers.NextId(kReservedIds);
  if (::ZephUI::SetTimer(hwnd, id, milliseconds) == 0) return 0;
  state_->timers.Add(ControlTimerTable::Record{hwnd, control, key, id, false});
  // A removal that ran meanwhile marked the control before dropping its records.
  if (control->detached_) KillTimer(control);
  return 1;
}

int PaintManager::KillTimer(MControl* control, std::uint32_t key) {
  const HWND hwnd = state_->hwnd;
  std::uintptr_t id = 0;
  if (state_->timers.Find(hwnd, control, key, id) != ControlTimerTable::Found::Running) return 0;
  ::ZephUI::KillTimer(hwnd, id);
  state_->timers.SetKilled(hwnd, control, key, true);
  return 1;
}

int PaintManager::KillTimer(MControl* control) {
  if (control == nullptr) return 0;
  const std::vector<ControlTimerTable::Record> removed = state_->timers.Remove(control);
  for (const auto& record : removed) {
    if (!record.killed) ::ZephUI::KillTimer(record.hwnd, record.windowId);
  }
  return removed.empty() ? 0 : 1;
}

void PaintManager::ClearTimers() {
  for (const auto& record : state_->timers.Remove(nullptr)) {
    if (!record.killed) ::ZephUI::KillTimer(record.hwnd, record.windowId);
  }
}

std::uintptr_t PaintManager::GetTimerWindowId(MControl* control, std::uint32_t key) const {
  std::uintptr_t id = 0;
  return state_->timers.Find(state_->hwnd, control, key, id) == ControlTimerTable::Found::None ? 0 : id;
}

LRESULT PaintManager::OnTimer(std::uintptr_t id) {
  const HWND hwnd = state_->hwnd;
  if (id == kSpareImagesTimer) {
    ::ZephUI::KillTimer(hwnd, kSpareImagesTimer);
    ReleaseSpareWindowImages(hwnd);
    return 1;
  }
  if (id == kPaintPaceTimer) {
    ::ZephUI::KillTimer(hwnd, kPaintPaceTimer);
    const Rect held = std::exchange(state_->heldPaint, Rect{});
    ::ZephUI::InvalidateRect(hwnd, &held);
    return 1;
  }
  if (id == TIMER_CARET) {
    state_->caretPhase = !state_->caretPhase;
    ::ZephUI::InvalidateRect(hwnd, &state_->caretRect);
    return 1;
  }
  if (OnOverlayTimer(id)) return 1;
  OnControlTimers(id);
  return 1;
}

void PaintManager::OnControlTimers(std::uintptr_t id) {
  // Controls removed by an earlier tick of this loop stay alive until the message is finished.
  for (MControl* control : state_->timers.Running(state_->hwnd, id)) {
    if (!control->detached_) control->OnTimer();
  }
}

std::uint32_t PaintManager::SetMTimer(std::uint32_t milliseconds) {
  state_->animationPeriodMs = std::max<std::uint32_t>(milliseconds, 1);
  const std::uint32_t id = ZTimer::SetMTimer(milliseconds);
  state_->animationId = id;
  return id;
}

void PaintManager::WakeMTimer() {
  const std::uint32_t id = state_->animationId;
  if (id != 0) ResumePeriodicTimer(id);
}

std::uint32_t PaintManager::GetMTimerId() const { return state_->animationId; }

void PaintManager::AddMTimer(MControl* control) {
  if (control == nullptr) return;
  std::lock_guard lock(state_->animationLock);
  if (!control->detached_) state_->animated.push_back(control);
  WakeMTimer();
}

int PaintManager::DeleteFSTimer(MControl* control) {
  std::lock_guard lock(state_->animationLock);
  auto& list = state_->animated;
  const auto it = std::find(list.begin(), list.end(), control);
  if (it == list.end()) return 0;
  list.erase(it);
  return 1;
}

void PaintManager::OnMTimer(std::uint32_t id) {
  if (id == 0 || id != state_->animationId) return;
  // Held for the whole tick: a control is never destroyed while a tick may call it.
  std::lock_guard lock(state_->animationLock);
  const std::vector<MControl*> snapshot = state_->animated;
  bool moved = false;
  for (MControl* control : snapshot) {
    const auto& live = state_->animated;
    if (std::find(live.begin(), live.end(), control) == live.end()) continue;  // removed during this tick
    if (control->IsRunTimer() && control->IsVisible() && control->IsParentVisible() && control->OnTimer() == 1) {
      moved = true;
    }
  }
  if (moved) {
    state_->idleTicks = 0;
  } else if (++state_->idleTicks * state_->animationPeriodMs >= kParkAfterIdleMs && PausePeriodicTimer(id)) {
    // Any invalidation, a newly animated control or a control told to run wakes it again.
    state_->idleTicks = 0;
  }
}

}  // namespace ZephUI
