#include "zephui/CPhotoFrame.h"

#include <algorithm>
#include <string>

#include "controls/PictureDrawing.h"
#include "zephui/MRender.h"
#include "zephui/PaintManager.h"

namespace ZephUI {
namespace {

constexpr int kFrameFrames = 2;    // none, highlighted
constexpr int kFrameCorner = 12;

}  // namespace

CPhotoFrame::CPhotoFrame(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MButton(parent, id, rect, std::u16string(), visible, enabled) {}

CPhotoFrame::~CPhotoFrame() = default;

int CPhotoFrame::SetPhotoFrame(std::u16string_view path) {
  return manager_ == nullptr ? 0 : UseFrame(manager_->AddImgResInfo(path, kFrameFrames));
}

int CPhotoFrame::SetPhotoFrame(int resourceId, std::u16string_view resourceType) {
  return manager_ == nullptr ? 0 : UseFrame(manager_->AddImgResInfo(resourceId, resourceType, kFrameFrames, true));
}

int CPhotoFrame::SetShowMode(int mode, int corner) {
  if (mode < PICTURE_NATURAL || mode > PICTURE_FRAME_MID) return 0;
  if (mode == mode_ && (mode != PICTURE_FRAME || corner == corner_)) return 0;
  mode_ = mode;
  if (mode == PICTURE_FRAME) corner_ = corner;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void CPhotoFrame::SetShowModeMID(int left, int top, int right, int bottom) {
  mode_ = PICTURE_FRAME_MID;
  margins_ = Rect{left, top, right, bottom};
  UpdateControl(CacheReset::Reset);
}

void CPhotoFrame::RenderState(RenderContext& target, const Rect& slot, int state) {
  const ImgResInfo* picture = GetImageInfo();
  if (picture != nullptr && picture->image) {
    const PictureLayout layout{mode_, corner_, margins_, Rect{}, hAlign_, vAlign_};
    PictureDrawing::Draw(target, *picture->image, picture->image->StripFrameRect(0, std::max(imageCount_, 1)), slot,
                         layout);
  }
  if (state == BUTTON_STATE_NORMAL || frame_ == nullptr || !frame_->image || frame_->frameCount < 2) return;
  MRender::DrawImageFrame(target, *frame_->image, slot, frame_->frameWidth, 0, frame_->frameWidth, frame_->height,
                          kFrameCorner);
}

int CPhotoFrame::UseFrame(const ImgResInfo* frame) {
  if (frame == nullptr) return 0;
  frame_ = frame;
  UpdateControl(CacheReset::Reset);
  return 1;
}

}  // namespace ZephUI
