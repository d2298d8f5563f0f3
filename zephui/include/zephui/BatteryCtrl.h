// The battery gauge: an outline picture, a level bar cut to the level from
// the left, and either a charging mark beside the outline or the level as
// "n%" inside it (which also becomes the control's title).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's battery gauge ("BatteryCtrl" in the dialog factory).
class ZEPHUI_API BatteryCtrl : public MControlFont {
 public:
  /// A full, not charging gauge in a 14-pixel font that takes control timer ticks.
  BatteryCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  /// Drops the level and charging pictures.
  ~BatteryCtrl() override;

  // ---- overrides ----
  /// Registers for control timer ticks.
  void InitControl(PaintManager* manager) override;
  /// Outline, level bar, then the charging mark or the level text.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  // ---- gauge ----
  /// Loads the level and charging pictures from the skin folder; 1 even when one fails.
  int SetBatteryIcon(std::u16string_view levelImage, std::u16string_view chargingImage);
  /// Stores the level in percent and the charging flag; repaints when either changed.
  void SetBatteryInfo(int percent, bool charging);
  /// The level in percent.
  int GetBatteryPercent() const;
  /// Whether the battery is charging.
  bool IsCharging() const;

 private:
  /// The level text inside the outline (when not charging and not empty).
  void DrawLevelText(RenderContext& hdc, const Rect& outline);

  std::unique_ptr<Image> level_;     ///< level bar picture
  std::unique_ptr<Image> charging_;  ///< charging mark picture
  int percent_ = 100;                ///< level in percent
  bool chargingNow_ = false;       ///< charging now
  int chargingLevel_ = 0;            ///< the level bar while charging (nothing animates it yet)
};

}  // namespace ZephUI
