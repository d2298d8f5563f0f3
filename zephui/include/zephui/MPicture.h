// A picture in one of six show modes: natural size placed by the control's
// alignments, tiled, stretched, nine-slice with one corner size, nine-slice
// with four margins, or a chosen part stretched. Frame 0 of its skin strip is
// shown; at its own size drawn from the window's picture cache at each paint, else
// rendered once into the control's cache; takes no input.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's picture ("MPicture" in the factory).
class ZEPHUI_API MPicture : public MControlFont {
 public:
  /// A picture in mode 0 that takes no mouse or key input.
  MPicture(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MPicture() override;

  /// Draws the picture over what lies under the control, through the control's cache when it is scaled.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// Sets the mode (0 to 5) and, for mode 3, the corner; 0 when nothing changes, else 1 and the cache is dropped.
  int SetShowMode(int mode, int corner);
  /// Mode 4 with these left, top, right and bottom borders; drops the cache.
  void SetShowModeMID(int left, int top, int right, int bottom);
  /// The part of the picture mode 5 stretches (picture pixels); drops the cache.
  void SetCustomRect(const Rect& rect);
  /// The show mode.
  int GetShowMode() const;

 private:
  int mode_ = 0;    ///< show mode
  int corner_ = 4;  ///< corner of mode 3
  Rect margins_;    ///< borders of mode 4
  Rect custom_;     ///< source part of mode 5
};

}  // namespace ZephUI
