// A clickable picture: its own image drawn in a picture show mode (0 to 4)
// into four state slots, with frame 1 of an optional frame picture drawn
// around it (nine-slice, corner 12) while hovered, pressed or disabled.
// Presses and clicks report as MButton's.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's photo frame ("CPhotoFrame" in the factory).
class ZEPHUI_API CPhotoFrame : public MButton {
 public:
  /// A picture in mode 0 without frame picture.
  CPhotoFrame(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CPhotoFrame() override;

  /// The frame picture (two frames: none, highlighted) from the skin folder; 0 on failure, else 1 (cache dropped).
  int SetPhotoFrame(std::u16string_view path);
  /// The frame picture from a registered application resource; 0 on failure.
  int SetPhotoFrame(int resourceId, std::u16string_view resourceType);
  /// Show mode 0 to 4 as MPicture's, with the corner of mode 3; 0 when unchanged or out of range.
  int SetShowMode(int mode, int corner);
  /// Mode 4 with these left, top, right and bottom borders; drops the cache.
  void SetShowModeMID(int left, int top, int right, int bottom);

 protected:
  /// The picture, then the highlighted frame in every slot but the normal one.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// Keeps a frame picture record; 0 for none.
  int UseFrame(const ImgResInfo* frame);

  const ImgResInfo* frame_ = nullptr;  ///< owned by the manager's cache
  int mode_ = 0;                       ///< show mode
  int corner_ = 4;                     ///< corner of mode 3
  Rect margins_;                       ///< borders of mode 4
};

}  // namespace ZephUI
