#include "zephui/MPicture.h"

#include <algorithm>
#include <string>

#include "controls/PictureDrawing.h"
#include "controls/SlotCache.h"
#include "core/RectOps.h"

namespace ZephUI {

MPicture::MPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, std::u16string(), visible, enabled, false) {}

MPicture::~MPicture() = default;

// A picture shown at its own size is drawn straight from the window's shared picture: a cached copy would
// cost as much to keep as the picture itself. A scaled one keeps its rendering, as scaling only the part a
// paint covers can round its pixels differently.
void MPicture::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  const ImgResInfo* info = GetImageInfo();
  if (info == nullptr || !info->image || RectOps::Empty(rect_)) return;
  const PictureLayout layout{mode_, corner_, margins_, custom_, hAlign_, vAlign_};
  const Rect source = info->image->StripFrameRect(0, std::max(imageCount_, 1));
  if (PictureDrawing::Unscaled(source, rect_, layout)) {
    PictureDrawing::Draw(hdc, *info->image, source, rect_, layout);
    return;
  }
  SlotCache::Draw(*this, hdc, 1, 0, [&](RenderContext& target, const Rect& slot, int) {
    PictureDrawing::Draw(target, *info->image, source, slot, layout);
  });
}

int MPicture::SetShowMode(int mode, int corner) {
  if (mode == mode_ && (mode != PICTURE_FRAME || corner == corner_)) return 0;
  mode_ = mode;
  if (mode == PICTURE_FRAME) corner_ = corner;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
  mode_ = PICTURE_FRAME_MID;
  margins_ = Rect{left, top, right, bottom};
  UpdateControl(CacheReset::Reset);
}

void MPicture::SetCustomRect(const Rect& rect) {
  custom_ = rect;
  UpdateControl(CacheReset::Reset);
}

int MPicture::GetShowMode() const { return mode_; }

}  // namespace ZephUI
