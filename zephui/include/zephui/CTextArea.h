// An area with a title: the fill of CArea (one colour, opaque or fading,
// optional frame) with the title drawn over it by the control's alignments.
// Rendered once into the control's cache; takes no input.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

struct AreaFill;

/// The library's titled area (built directly; the factory knows only CArea).
class ZEPHUI_API CTextArea : public MControlFont {
 public:
  /// A white area fading 80 % to 80 % from top to bottom under the title; takes no input.
  CTextArea(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible);
  ~CTextArea() override;

  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  /// Transparency at the first and last line in percent (0 and 0: opaque) and the colour; drops the cache.
  void SetTransparent(int startPercent, int endPercent, GdiColor colour);
  /// A one-pixel frame in `colour` around an opaque fill when on; drops the cache.
  void SetFrame(bool on, ArgbColor colour);
  /// Fade down the rows (vertical, default) or across the columns; drops the cache.
  void SetTransitionDirection(GradientDirection direction);

 private:
  std::unique_ptr<AreaFill> fill_;  ///< colour, fade and frame
};

}  // namespace ZephUI
