#include "zephui/MProgress.h"

#include <algorithm>
#include <string>

#include "controls/SlotCache.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"

namespace ZephUI {
namespace {

constexpr int kTicksPerStep = 3;
constexpr ArgbColor kTextColour(0xFF808080);

}  // namespace

MProgress::MProgress(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, false) {
  textColour_ = kTextColour;
}

MProgress::~MProgress() = default;

void MProgress::InitControl(PaintManager* manager) {
  if (manager == nullptr || registered_) return;
  registered_ = true;
  AddMTimer();
}

void MProgress::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
}

int MProgress::OnControlTimer() {
  if (!running_) return 0;
  if (++ticks_ % kTicksPerStep != 0) return 0;
  const int next = value_ + 1;
  value_ = next >= max_ ? 0 : next;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MProgress::SetTextColor(ArgbColor colour) {
  MControlFont::SetTextColor(colour);
  UpdateControl(CacheReset::Reset);
}

int MProgress::SetProgress(int value) {
  if (!IsEnabled() || value < 0) return value_;
  const int clamped = std::min(value, max_.load());
  if (value_.exchange(clamped) != clamped) UpdateControl(CacheReset::Reset);
  return clamped;
}

int MProgress::GetProgress() const { return value_; }

void MProgress::SetMaxProgress(int maximum) {
  max_ = std::max(maximum, 1);
  value_ = std::min(value_.load(), max_.load());
  UpdateControl(CacheReset::Reset);
}

int MProgress::GetMaxProgress() const { return max_; }

void MProgress::SetRun(bool run, int value) {
  if (run) {
    value_ = std::clamp(value, 0, max_.load());
    ticks_ = 0;
  }
  running_ = run;
  SetRunTimer(run);
  UpdateControl(CacheReset::Reset);
}

bool MProgress::IsRunning() const { return running_; }

int MProgress::SetBackGroundImage(std::u16string_view path) {
  const ImgResInfo* picture = LoadPicture(path);
  if (picture == nullptr) return 0;
  back_ = picture;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MProgress::SetForeGroundImage(std::u16string_view path) {
  const ImgResInfo* picture = LoadPicture(path);
  if (picture == nullptr) return 0;
  fore_ = picture;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MProgress::EnableShowText(bool on) {
  showText_ = on;
  UpdateControl(CacheReset::Reset);
}

void MProgress::SetBackColor(ArgbColor colour) {
  backColour_ = colour;
  UpdateControl(CacheReset::Reset);
}

void MProgress::SetBarColor(ArgbColor colour) {
  barColour_ = colour;
  UpdateControl(CacheReset::Reset);
}

void MProgress::Render(RenderContext& target, const Rect& slot) {
  if (back_ != nullptr) {
    MRender::DrawImage(target, *back_->image, slot, back_->image->StripFrameRect(0, back_->frameCount));
  } else {
    MRender::DrawColor(target, slot, backColour_);
  }
  const int value = value_;  // the loop may move it meanwhile
  const int maximum = max_;
  const int bar = static_cast<int>(static_cast<long long>(slot.Width()) * value / maximum);
  if (bar > 0) {
    const Rect area{slot.left, slot.top, slot.left + bar, slot.bottom};
    if (fore_ != nullptr) {
      // The picture is cut, not squeezed: the bar uncovers it as the value grows.
      const Rect frame = fore_->image->StripFrameRect(0, fore_->frameCount);
      const int cut = static_cast<int>(static_cast<long long>(frame.Width()) * value / maximum);
      MRender::DrawImage(target, *fore_->image, area, Rect{frame.left, frame.top, frame.left + cut, frame.bottom});
    } else {
      MRender::DrawColor(target, area, barColour_);
    }
  }
  if (!showText_) return;
  const int percent = static_cast<int>(static_cast<long long>(value) * 100 / maximum);
  MRender::DrawTextW(target, slot, ToUtf16(std::to_string(percent) + "%"), GetTextColor(), GetGDIFont(),
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

const ImgResInfo* MProgress::LoadPicture(std::u16string_view path) const {
  if (manager_ == nullptr) return nullptr;
  const ImgResInfo* picture = manager_->AddImgResInfo(path, 1);
  return picture != nullptr && picture->image ? picture : nullptr;
}

}  // namespace ZephUI
