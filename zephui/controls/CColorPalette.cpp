#include "zephui/CColorPalette.h"

#include <memory>

#include "zephui/MPalette.h"
#include "zephui/MRender.h"
#include "zephui/MSpinButton.h"

namespace ZephUI {
namespace {

constexpr int kFieldWidth = 52;
constexpr int kFieldHeight = 24;
constexpr int kFieldGap = 8;
constexpr int kLabelWidth = 16;
constexpr std::uint32_t kPaletteId = 3;   // 1 and 2 are the panel's bars
constexpr std::uint32_t kFirstChannelId = 4;
constexpr char16_t kLabels[3] = {u'R', u'G', u'B'};

Rect FieldRect(const Rect& panel, int channel) {
  const int top = panel.top + channel * (kFieldHeight + kFieldGap);
  return Rect{panel.right - kFieldWidth, top, panel.right, top + kFieldHeight};
}

}  // namespace

CColorPalette::CColorPalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {
  const Rect area{rect.left, rect.top, rect.right - kFieldWidth - kLabelWidth - kFieldGap, rect.bottom};
  palette_ = static_cast<MPalette*>(AddChild(std::make_unique<MPalette>(this, kPaletteId, area, true, true), 1));
  for (int channel = 0; channel < 3; ++channel) {
    auto field = std::make_unique<MSpinButton>(this, kFirstChannelId + channel, FieldRect(rect, channel), true, true);
    field->SetRange(0, 255);
    channels_[channel] = static_cast<MSpinButton*>(AddChild(std::move(field), 1));
  }
}

CColorPalette::~CColorPalette() = default;

void CColorPalette::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  palette_->SetManager(manager);
  for (MSpinButton* field : channels_) field->SetManager(manager);
  ShowInFields(palette_->GetSelectColor());
}

void CColorPalette::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  for (int channel = 0; channel < 3; ++channel) {
    const Rect field = FieldRect(rect_, channel);
    const Rect label{field.left - kLabelWidth, field.top, field.left - 2, field.bottom};
    MRender::DrawTextW(hdc, label, std::u16string(1, kLabels[channel]), GetTextColor(), GetGDIFont(),
                       TextFormat::Right | TextFormat::VCenter | TextFormat::SingleLine);
  }
}

LRESULT CColorPalette::OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (controlId == kPaletteId && msg == NOTIFY_COLOR) {
    const GdiColor colour(static_cast<std::uint32_t>(wParam));
    ShowInFields(colour);
    return SendMessageW(NOTIFY_COLOR, wParam, 0);
  }
  if (controlId >= kFirstChannelId && controlId < kFirstChannelId + 3 && msg == NOTIFY_SPIN) {
    palette_->SetSelectColor(FromFields());
    return SendMessageW(NOTIFY_COLOR, static_cast<WPARAM>(palette_->GetSelectColor().Value()), 0);
  }
  if (controlId == kPaletteId || (controlId >= kFirstChannelId && controlId < kFirstChannelId + 3)) return 0;
  return MPanel::OnBaseMessage(controlId, msg, wParam, lParam);
}

void CColorPalette::SetSelectColor(GdiColor colour) {
  palette_->SetSelectColor(colour);
  ShowInFields(colour);
}

GdiColor CColorPalette::GetSelectColor() const { return palette_->GetSelectColor(); }

MPalette* CColorPalette::GetPalette() const { return palette_; }

MSpinButton* CColorPalette::GetChannel(int channel) const {
  return channel >= 0 && channel < 3 ? channels_[channel] : nullptr;
}

void CColorPalette::ShowInFields(GdiColor colour) {
  channels_[0]->SetCurValue(colour.Red());
  channels_[1]->SetCurValue(colour.Green());
  channels_[2]->SetCurValue(colour.Blue());
}

GdiColor CColorPalette::FromFields() const {
  const auto channel = [this](int i) { return static_cast<std::uint8_t>(channels_[i]->GetCurValue()); };
  return GdiColor::FromRgb(channel(0), channel(1), channel(2));
}

}  // namespace ZephUI
