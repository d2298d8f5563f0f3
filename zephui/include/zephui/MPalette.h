// A hue-lightness field with a saturation bar beside it. Pressing or dragging
// in the field chooses hue and lightness, in the bar the saturation; each
// change of the colour is reported as NOTIFY_COLOR (colour, 0).
#pragma once

#include <cstdint>
#include <memory>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's hue-lightness palette ("MPalette" in the factory).
class ZEPHUI_API MPalette : public MControlFont {
 public:
  /// A palette at hue 180, saturation 200, lightness 120.
  MPalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MPalette() override;

  // ---- overrides ----
  /// Copies the cached field and bar, then draws both markers over them.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// In the field or the bar: chooses there and follows the pointer until release.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Chooses at the pointer (clamped to the part pressed) while the button is down.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Stops following the pointer.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;

  // ---- palette operations ----
  /// Shows `colour` (GDI form): hue, saturation and lightness are taken from it. No report.
  void SetSelectColor(GdiColor colour);
  /// The chosen colour (GDI form); pure black reads 000001.
  GdiColor GetSelectColor() const;
  /// Hue 0 … 360.
  int GetHue() const;
  /// Saturation 0 … 200.
  int GetSaturation() const;
  /// Lightness 0 … 200.
  int GetLightness() const;
  /// The hue-lightness field in window pixels.
  Rect GetFieldRect() const;
  /// The saturation bar in window pixels.
  Rect GetBarRect() const;

  /// The colour of hue 0 … 360, saturation and lightness 0 … 200 (standard HSL), black as 000001.
  static GdiColor HslToColor(int hue, int saturation, int lightness);

 private:
  /// Which part a press started in.
  enum class Part { None, Field, Bar };
  /// Field and bar into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// The circle on the field and the line on the bar.
  void DrawMarkers(RenderContext& hdc) const;
  /// Chooses from the point in `part`; reports when the colour changed.
  void ChooseAt(Part part, Point point);
  /// The 360 x 200 hue-lightness picture, made once.
  const Image& FieldPicture();

  int hue_ = 180;                     ///< 0 … 360
  int saturation_ = 200;              ///< 0 … 200
  int lightness_ = 120;               ///< 0 … 200
  GdiColor colour_;                   ///< the chosen colour
  Part pressed_ = Part::None;         ///< what the pointer drags
  std::unique_ptr<Image> field_;      ///< hue across, lightness down, full saturation
};

}  // namespace ZephUI
