#include "zephui/MText.h"

#include <algorithm>
#include <utility>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kImageGap = 5;     // between the left image and the text
constexpr int kBeforeMark = 2;   // between the text before the mark and the mark
constexpr int kAfterMark = 2;    // between the mark and the rest

constexpr TextFormat kHorizontal = TextFormat::Center | TextFormat::Right;
constexpr TextFormat kVertical = TextFormat::VCenter | TextFormat::Bottom;

int TextWidth(const Font& font, std::u16string_view text) {
  return text.empty() ? 0 : MRender::GetTextBounds(font, TextFormat::SingleLine, 0, text).width;
}

}  // namespace

MText::MText(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible)
    : MControlFont(parent, id, rect, std::move(text), visible, true, false) {}

MText::~MText() = default;

void MText::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

template <typename T>
void MText::Change(T& member, T value) {
  member = std::move(value);
  UpdateControl(CacheReset::Reset);
}

void MText::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

void MText::SetMarkText(std::u16string mark) { Change(mark_, std::move(mark)); }

void MText::SetMarkText(std::u16string mark, ArgbColor colour, int start) {
  markColour_ = colour;
  markStart_ = start;
  Change(mark_, std::move(mark));
}

void MText::SetMarkText(std::u16string title, std::u16string mark, ArgbColor colour, int start) {
  ClearGDIFont();
  SetControlTitle(std::move(title));
  SetMarkText(std::move(mark), colour, start);
}

void MText::SetTitleMarkText(std::u16string title, std::u16string mark, int start) {
  SetMarkText(std::move(title), std::move(mark), markColour_, start);
}

std::u16string MText::GetMarkText() const { return mark_; }

void MText::EnableTextBack(bool on, ArgbColor colour) {
  backColour_ = colour;
  Change(textBack_, on);
}

void MText::EnableShadow(bool on) { Change(shadow_, on); }

void MText::SetShadowColor(ArgbColor colour) { Change(shadowColour_, colour); }

void MText::EnableMultiLine(bool on) { Change(multiLine_, on); }

void MText::EnableVCenter(bool on) { Change(vCenter_, on); }

void MText::Render(RenderContext& target, const Rect& slot) {
  if (textBack_) MRender::DrawColor(target, slot, backColour_);
  const Rect area = DrawLeftImage(target, slot);
  if (title_.empty()) return;
  if (multiLine_) {
    DrawWrapped(target, area);
  } else if (!DrawMarked(target, area)) {
    DrawPiece(target, area, title_, GetTextColor(), GetTextFormat(false));
  }
}

Rect MText::DrawLeftImage(RenderContext& target, const Rect& slot) const {
  const ImgResInfo* info = GetImageInfo();
  if (info == nullptr || !info->image) return slot;
  const Rect source = info->image->StripFrameRect(0, std::max(imageCount_, 1));
  const int top = slot.top + (slot.Height() - source.Height()) / 2;
  MRender::DrawImage(target, *info->image, Rect{slot.left, top, slot.left + source.Width(), top + source.Height()},
                     source);
  return Rect{slot.left + source.Width() + kImageGap, slot.top, slot.right, slot.bottom};
}

void MText::DrawWrapped(RenderContext& target, const Rect& area) {
  // Wrapped text runs from the top unless centring is asked for, whatever the vertical alignment says.
  TextFormat format = TextFormat::WordBreak | (GetTextFormat(true) & kHorizontal);
  if (vCenter_) format = format | TextFormat::VCenter;
  DrawPiece(target, area, title_, GetTextColor(), format);
}

bool MText::DrawMarked(RenderContext& target, const Rect& area) {
  if (mark_.empty() || markStart_ < 0 || static_cast<std::size_t>(markStart_) > title_.size()) return false;
  const std::size_t at = title_.find(mark_, static_cast<std::size_t>(markStart_));
  if (at == std::u16string::npos) return false;
  const std::u16string_view title(title_);
  const std::u16string_view before = title.substr(0, at);
  const std::u16string_view rest = title.substr(at + mark_.size());
  const Font& font = GetGDIFont();
  const int beforeWidth = TextWidth(font, before);
  const int markWidth = TextWidth(font, mark_);
  const int total = beforeWidth + kBeforeMark + markWidth + kAfterMark + TextWidth(font, rest);
  int x = area.left;
  if (hAlign_ == 1) x += (area.Width() - total) / 2;
  if (hAlign_ == 2) x = area.right - total;
  const TextFormat format = TextFormat::SingleLine | (GetTextFormat(false) & kVertical);
  const auto from = [&](int left) { return Rect{left, area.top, std::max(area.right, left), area.bottom}; };
  DrawPiece(target, from(x), before, GetTextColor(), format);
  DrawPiece(target, from(x + beforeWidth + kBeforeMark), mark_, markColour_, format);
  DrawPiece(target, from(x + beforeWidth + markWidth + kBeforeMark + kAfterMark), rest, GetTextColor(), format);
  return true;
}

void MText::DrawPiece(RenderContext& target, const Rect& area, std::u16string_view text, ArgbColor colour,
                      TextFormat format) {
  if (text.empty()) return;
  if (shadow_) MRender::DrawTextW(target, RectOps::Offset(area, 1, 1), text, shadowColour_, GetGDIFont(), format);
  MRender::DrawTextW(target, area, text, colour, GetGDIFont(), format);
}

}  // namespace ZephUI
