#include "zephui/MSpinButton.h"

#include <algorithm>
#include <string>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"
#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"

namespace ZephUI {
namespace {

constexpr int kButtonWidth = 16;
constexpr int kTextInset = 4;
constexpr ArgbColor kTextColour(0xFE050505);
constexpr ArgbColor kField(0xFFE8E8E8);
constexpr ArgbColor kFrame(0xFF8A8F96);
constexpr ArgbColor kButton(0xFFC9CDD2);
constexpr ArgbColor kButtonHover(0xFFDADDE1);
constexpr ArgbColor kButtonPressed(0xFFA9AEB5);
constexpr ArgbColor kArrow(0xFF2A2E35);
constexpr ArgbColor kDisabledText(0xFF808080);
constexpr std::uint32_t kDigit0 = 0x30;
constexpr std::uint32_t kPad0 = 0x60;  // numeric keypad 0

std::optional<char16_t> DigitOf(std::uint32_t key) {
  if (key >= kDigit0 && key <= kDigit0 + 9) return static_cast<char16_t>(u'0' + (key - kDigit0));
  if (key >= kPad0 && key <= kPad0 + 9) return static_cast<char16_t>(u'0' + (key - kPad0));
  return std::nullopt;
}

std::u16string Decimal(int value) { return ToUtf16(std::to_string(value)); }

int Parse(const std::u16string& text) {
  int value = 0;
  for (const char16_t c : text) value = value * 10 + (c - u'0');
  return value;
}

}  // namespace

MSpinButton::MSpinButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MPanel(parent, id, rect, visible) {
  enabled_ = enabled;
  dblClk_ = false;  // quick clicks on a button are steps, not double clicks
  textColour_ = kTextColour;
  hAlign_ = 0;
  SetTabStop(true);
}

MSpinButton::~MSpinButton() = default;

void MSpinButton::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

int MSpinButton::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  SetPart(hover_, PartAt(point));
  return hover_ != Part::None ? 1 : 0;
}

int MSpinButton::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  const Part part = PartAt(point);
  SetPart(pressed_, part);
  if (part != Part::None) Step(part == Part::Up ? 1 : -1);
  return 1;
}

int MSpinButton::OnControlLButtonUp(std::uint32_t /*flags*/, Point /*point*/) {
  const bool was = pressed_ != Part::None;
  SetPart(pressed_, Part::None);
  return was ? 1 : 0;
}

int MSpinButton::OnControlScroll(int /*bar*/, int direction, Point point) {
  if (!IsEnabled() || !PtInRect(point)) return 0;
  return Step(direction == 1 ? -1 : 1);
}

int MSpinButton::OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) {
  if (!IsEnabled() || !IsFocused() || modifiers != 0) return MPanel::OnControlKeyDown(key, repeat, modifiers);
  if (key == VK_UP) return Step(1);
  if (key == VK_DOWN) return Step(-1);
  if (key == VK_BACK) return Erase();
  if (key == VK_RETURN) return Settle();
  if (const std::optional<char16_t> digit = DigitOf(key)) return Type(*digit);
  return MPanel::OnControlKeyDown(key, repeat, modifiers);
}

int MSpinButton::SetControlFocus(FocusChange focus) {
  if (focus == FocusChange::Take) Settle();
  return MPanel::SetControlFocus(focus);
}

void MSpinButton::SetTextColor(ArgbColor colour) {
  MPanel::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

void MSpinButton::SetRange(int minimum, int maximum) {
  if (minimum > maximum) return;
  min_ = minimum;
  max_ = maximum;
}

int MSpinButton::SetCurValue(int value) {
  if (value < min_ || value > max_) return value_;
  typed_.reset();
  value_ = value;
  UpdateControl(CacheReset::Reset);
  return value_;
}

int MSpinButton::GetCurValue() const { return value_; }

void MSpinButton::SetLimitLength(int digits) { limit_ = std::max(digits, 1); }

std::u16string MSpinButton::GetText() const { return typed_ ? *typed_ : Decimal(value_); }

Rect MSpinButton::GetUpRect() const {
  const int width = std::min(kButtonWidth, rect_.Width() / 2);
  return Rect{rect_.right - width, rect_.top, rect_.right, rect_.top + rect_.Height() / 2};
}

Rect MSpinButton::GetDownRect() const {
  const Rect up = GetUpRect();
  return Rect{up.left, up.bottom, up.right, rect_.bottom};
}

void MSpinButton::Render(RenderContext& target, const Rect& slot) {
  const int dx = slot.left - rect_.left;
  const int dy = slot.top - rect_.top;
  MRender::DrawColor(target, slot, kField);
  MRender::DrawRectangle(target, slot, kFrame);
  const Rect up = RectOps::Offset(GetUpRect(), dx, dy);
  const Rect text{slot.left + kTextInset, slot.top, up.left - kTextInset, slot.bottom};
  MRender::DrawTextW(target, text, GetText(), IsEnabled() ? GetTextColor() : kDisabledText, GetGDIFont(),
                     GetTextFormat(false));
  DrawButton(target, up, Part::Up);
  DrawButton(target, RectOps::Offset(GetDownRect(), dx, dy), Part::Down);
}

// The arrow is a stack of shrinking lines, pointing up or down.
void MSpinButton::DrawButton(RenderContext& target, const Rect& button, Part part) const {
  const ArgbColor face = pressed_ == part ? kButtonPressed : hover_ == part ? kButtonHover : kButton;
  MRender::DrawColor(target, button, face);
  MRender::DrawRectangle(target, button, kFrame);
  const int cx = (button.left + button.right) / 2;
  const int cy = (button.top + button.bottom) / 2;
  for (int row = 0; row < 3; ++row) {
    const int y = part == Part::Up ? cy - 1 + row : cy + 1 - row;
    MRender::DrawColor(target, Rect{cx - row - 1, y, cx + row + 1, y + 1}, IsEnabled() ? kArrow : kDisabledText);
  }
}

MSpinButton::Part MSpinButton::PartAt(Point point) const {
  if (RectOps::Contains(GetUpRect(), point)) return Part::Up;
  if (RectOps::Contains(GetDownRect(), point)) return Part::Down;
  return Part::None;
}

int MSpinButton::Step(int delta) {
  const int base = typed_ && !typed_->empty() ? Parse(*typed_) : value_;
  typed_.reset();
  UpdateControl(CacheReset::Reset);
  return Take(std::clamp(base + delta, min_, max_));
}

// The report comes last: the dialog may read the value at once.
int MSpinButton::Take(int value) {
  if (value == value_) return 0;
  value_ = value;
  UpdateControl(CacheReset::Reset);
  SendMessageW(NOTIFY_SPIN, 0, 0);
  return 1;
}

int MSpinButton::Type(char16_t digit) {
  std::u16string text = typed_.value_or(u"");  // the first digit replaces the value, as in a selected field
  if (static_cast<int>(text.size()) >= limit_) return 1;
  text += digit;
  typed_ = text;
  UpdateControl(CacheReset::Reset);
  const int value = Parse(text);
  if (value >= min_ && value <= max_) Take(value);
  return 1;
}

int MSpinButton::Erase() {
  std::u16string text = typed_.value_or(Decimal(value_));
  if (!text.empty()) text.pop_back();
  typed_ = text;
  UpdateControl(CacheReset::Reset);
  const int value = Parse(text);
  if (!text.empty() && value >= min_ && value <= max_) Take(value);
  return 1;
}

int MSpinButton::Settle() {
  if (!typed_) return 0;
  const std::u16string text = *typed_;
  typed_.reset();
  UpdateControl(CacheReset::Reset);
  if (!text.empty()) Take(std::clamp(Parse(text), min_, max_));
  return 1;
}

void MSpinButton::SetPart(Part& member, Part part) {
  if (member == part) return;
  member = part;
  UpdateControl(CacheReset::Reset);
}

}  // namespace ZephUI
