#include "zephui/CSpinButton.h"

#include <algorithm>
#include <string>
#include <utility>

#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

int DigitCount(int value) { return static_cast<int>(std::to_string(std::max(value, 0)).size()); }

}  // namespace

CSpinButton::CSpinButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MRichEdit(parent, id, rect, u"0", visible, enabled) {
  SetNumberOnly(true);
  SetLimitText(DigitCount(maximum_));
}

CSpinButton::~CSpinButton() = default;

int CSpinButton::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (IsFocused() && IsEnabled() && modifiers == 0 && (key == VK_UP || key == VK_DOWN)) {
    Step(key == VK_UP ? 1 : -1);
    return 1;
  }
  return MRichEdit::OnControlKeyDown(key, repeat, modifiers);
}

int CSpinButton::OnControlScroll(int /*bar*/, int direction, Point /*point*/) {
  if (!IsEnabled()) return 0;
  Step(direction == 1 ? -1 : 1);
  return 1;
}

int CSpinButton::SetControlFocus(FocusChange focus) {
  if (focus == FocusChange::Take) ShowValue();
  return MRichEdit::SetControlFocus(focus);
}

void CSpinButton::SetRange(int minimum, int maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  minimum_ = minimum;
  maximum_ = maximum;
  SetLimitText(DigitCount(maximum));
  SetCurValue(value_);
}

void CSpinButton::GetRange(int& minimum, int& maximum) const {
  minimum = minimum_;
  maximum = maximum_;
}

void CSpinButton::SetCurValue(int value) {
  value_ = std::clamp(value, minimum_, maximum_);
  ShowValue();
}

int CSpinButton::GetCurValue() const { return value_; }

void CSpinButton::Step(int delta) {
  const int value = std::clamp(value_ + delta, minimum_, maximum_);
  const bool changed = value != value_;
  value_ = value;
  ShowValue();
  if (changed) SendMessageW(NOTIFY_SPIN, 0, 0);
}

void CSpinButton::ShowValue() {
  const std::u16string text = DecimalText(value_);
  if (GetText() == text) return;
  showing_ = true;
  SetText(text);
  showing_ = false;
}

void CSpinButton::OnTextChanged() {
  if (showing_ || GetText().empty()) return;
  const int typed = ParseDecimal(GetText());
  if (typed < minimum_ || typed > maximum_ || typed == value_) return;
  value_ = typed;
  SendMessageW(NOTIFY_SPIN, 0, 0);
}

}  // namespace ZephUI
