#include "zephui/CTimerButton.h"

#include <utility>

#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"

namespace ZephUI {
namespace {

constexpr std::uint32_t kTimerKey = 1;
constexpr std::uint32_t kTickMs = 100;
constexpr ArgbColor kDisabledText(0xFF808080);
constexpr TextFormat kTitleFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;

}  // namespace

CTimerButton::CTimerButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {}

// The manager forgets a removed control's timers itself.
CTimerButton::~CTimerButton() = default;

int CTimerButton::OnControlTimer() {
  if (!running_) return 0;
  if (GetTickCount64() - start_ >= TIMER_BUTTON_RUN_MS) {
    Stop();
    SendMessageW(NOTIFY_CLICKED, 0, 0);
    return 1;
  }
  if (GetSecondsLeft() == shownSeconds_) return 0;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void CTimerButton::SetRun(bool on) {
  if (!on) {
    if (running_) Stop();
    return;
  }
  if (!IsEnabled() || manager_ == nullptr) return;
  start_ = GetTickCount64();
  running_ = true;
  manager_->KillTimer(this, kTimerKey);
  manager_->SetTimer(this, kTimerKey, kTickMs);
  UpdateControl(CacheReset::Reset);
}

bool CTimerButton::IsRun() const { return running_; }

int CTimerButton::GetSecondsLeft() const {
  if (!running_) return 0;
  const std::uint64_t elapsed = GetTickCount64() - start_;
  if (elapsed >= TIMER_BUTTON_RUN_MS) return 0;
  return static_cast<int>((TIMER_BUTTON_RUN_MS - elapsed + 999) / 1000);
}

void CTimerButton::RenderState(RenderContext& target, const Rect& slot, int state) {
  DrawSkin(target, slot, state);
  DrawIcon(target, slot);
  shownSeconds_ = GetSecondsLeft();
  std::u16string text = title_;
  if (running_) text += u" (" + ToUtf16(std::to_string(shownSeconds_)) + u")";
  if (text.empty()) return;
  Rect area = RectOps::Empty(textRect_) ? slot : RectOps::Offset(textRect_, slot.left, slot.top);
  if (state == BUTTON_STATE_PRESSED) area = RectOps::Offset(area, 1, 1);
  const ArgbColor ink = state == BUTTON_STATE_DISABLED ? kDisabledText : GetTextColor();
  MRender::DrawTextW(target, area, text, ink, GetGDIFont(), kTitleFormat);
}

void CTimerButton::Stop() {
  running_ = false;
  if (manager_ != nullptr) manager_->KillTimer(this, kTimerKey);
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI
