// A hue-lightness palette with red, green and blue number fields beside it;
// each side follows the other. Every change of the colour by the user, in
// either part, is reported as NOTIFY_COLOR (colour, 0).
#pragma once

#include <cstdint>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

class MPalette;
class MSpinButton;

/// The library's palette with number fields ("CColorPalette" in the factory).
class ZEPHUI_API CColorPalette : public MPanel {
 public:
  /// Builds its palette and three fields (0 … 255) inside `rect`.
  CColorPalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  ~CColorPalette() override;

  // ---- overrides ----
  /// Gives the children the manager and shows the starting colour in the fields.
  void InitControl(PaintManager* manager) override;
  /// Draws the R, G and B labels.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Keeps the palette and the fields in step and reports the colour; other reports stay inside.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // ---- colour ----
  /// Shows `colour` in the palette and the fields, without a report.
  void SetSelectColor(GdiColor colour);
  /// The colour shown.
  GdiColor GetSelectColor() const;
  /// The palette part.
  MPalette* GetPalette() const;
  /// The field of channel 0 (red), 1 (green) or 2 (blue); none otherwise.
  MSpinButton* GetChannel(int channel) const;

 private:
  /// Copies the colour into the three fields.
  void ShowInFields(GdiColor colour);
  /// The colour the three fields make.
  GdiColor FromFields() const;

  MPalette* palette_ = nullptr;         ///< owned by the control list
  MSpinButton* channels_[3] = {};       ///< red, green, blue; owned by the control list
};

}  // namespace ZephUI
