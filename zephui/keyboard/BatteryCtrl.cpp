#include "zephui/BatteryCtrl.h"

#include <algorithm>
#include <string>

#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

constexpr int kFontSize = 14;
constexpr int kChargeGap = 5;

std::u16string PercentText(int percent) {
  const std::string text = std::to_string(percent) + "%";
  return std::u16string(text.begin(), text.end());
}

}  // namespace

BatteryCtrl::BatteryCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true) {
  fontSize_ = kFontSize;
  hAlign_ = 1;
  imageCount_ = 1;
  SetRunTimer(true);
}

BatteryCtrl::~BatteryCtrl() = default;

void BatteryCtrl::InitControl(PaintManager* manager) {
  MControlFont::InitControl(manager);
  AddMTimer();
}

void BatteryCtrl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  Rect outline{rect_.left, rect_.top, rect_.left, rect_.top};
  const ImgResInfo* back = GetImageInfo();
  if (back != nullptr && back->image) {
    outline = Rect{rect_.left, rect_.top, rect_.left + back->frameWidth, rect_.top + back->height};
    MRender::DrawImage(hdc, *back->image, outline, Rect{0, 0, back->frameWidth, back->height});
  }
  if (level_) {
    const int shown = chargingNow_ ? chargingLevel_ : percent_;
    const int width = std::clamp(shown, 0, 100) * level_->Width() / 100;
    if (width > 0) {
      MRender::DrawImage(hdc, *level_, Rect{rect_.left, rect_.top, rect_.left + width, rect_.top + level_->Height()},
                         Rect{0, 0, width, level_->Height()});
    }
  }
  if (chargingNow_) {
    if (!charging_) return;
    const int x = outline.right + kChargeGap;
    const int y = rect_.top + (rect_.Height() - charging_->Height()) / 2;
    MRender::DrawImage(hdc, *charging_, x, y);
    return;
  }
  DrawLevelText(hdc, outline);
}

int BatteryCtrl::SetBatteryIcon(std::u16string_view levelImage, std::u16string_view chargingImage) {
  level_ = MRender::LoadImageFromFile(SkinLocator::SkinPath(levelImage));
  charging_ = MRender::LoadImageFromFile(SkinLocator::SkinPath(chargingImage));
  UpdateControl(CacheReset::Reset);
  return 1;
}

void BatteryCtrl::SetBatteryInfo(int percent, bool charging) {
  if (percent == percent_ && charging == chargingNow_) return;
  percent_ = percent;
  chargingNow_ = charging;
  UpdateControl(CacheReset::Reset);
}

int BatteryCtrl::GetBatteryPercent() const { return percent_; }

bool BatteryCtrl::IsCharging() const { return chargingNow_; }

void BatteryCtrl::DrawLevelText(RenderContext& hdc, const Rect& outline) {
  if (percent_ == 0) return;
  title_ = PercentText(percent_);
  MRender::DrawTextW(hdc, outline, title_, GetTextColor(), GetGDIFont(),
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

}  // namespace ZephUI
