#include "zephui/DownloadButton.h"

#include <algorithm>
#include <string>
#include <utility>

#include "zephui/MRender.h"

namespace ZephUI {

DownloadButton::DownloadButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title,
                               bool visible, bool enabled)
    : MButton(parent, id, rect, std::move(title), visible, enabled) {
  hAlign_ = 1;
}

DownloadButton::~DownloadButton() = default;

void DownloadButton::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  if (percent_ <= 0) {
    MButton::DrawControl(hdc, paintRect);
    return;
  }
  DrawProgress(hdc);
}

void DownloadButton::SetDownloadProcess(int percent) {
  if (percent == percent_) return;
  percent_ = percent;
  UpdateControl(CacheReset::Reset);
}

int DownloadButton::GetDownloadProcess() const { return percent_; }

void DownloadButton::DrawProgress(RenderContext& hdc) {
  const ImgResInfo* skin = GetImageInfo();
  if (skin != nullptr && skin->image && skin->frameWidth > 0) {
    const int fw = skin->frameWidth;
    MRender::DrawImage(hdc, *skin->image, rect_, Rect{0, 0, fw, skin->height});
    const int done = rect_.Width() * std::min(percent_, 100) / 100;
    if (skin->frameCount > 1 && done > 0) {
      MRender::DrawImage(hdc, *skin->image, Rect{rect_.left, rect_.top, rect_.left + done, rect_.bottom},
                         Rect{fw, 0, fw + fw * done / rect_.Width(), skin->height});
    }
  }
  const std::string text = std::to_string(percent_) + "%";
  MRender::DrawTextW(hdc, rect_, std::u16string(text.begin(), text.end()), GetTextColor(), GetGDIFont(),
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
}

}  // namespace ZephUI
