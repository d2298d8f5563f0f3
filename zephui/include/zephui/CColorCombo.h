// A combo-like colour swatch: a skin field (four states, like a combo box)
// with the chosen colour filling its text area. A click toggles its open
// flag (the owner shows its colour chooser while it is set) and reports
// NOTIFY_CLICKED (0, open); while open it shows its pressed picture.
#pragma once

#include <cstdint>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's colour combo.
class ZEPHUI_API CColorCombo : public MControlFont {
 public:
  /// A white swatch, closed; state 3 when built disabled.
  CColorCombo(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CColorCombo() override;

  /// The cached picture of the state (pressed while open).
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hover (1) inside, normal (0) outside, while enabled and not pressed.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Pressed (2) inside and NOTIFY_PRESSED (0, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Inside after a press: toggles the open flag and NOTIFY_CLICKED (0, open).
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Disabled (3) also closes; enabled (0).
  void SetControlEnabled(bool enabled) override;

  /// The swatch colour (GDI colour); drops the cache.
  void SetColor(GdiColor colour);
  /// The swatch colour.
  GdiColor GetColor() const;
  /// Sets the open flag; repaints.
  void SetOpen(bool open);
  /// True while open.
  bool IsOpen() const;
  /// The visual state (0 normal, 1 hover, 2 pressed, 3 disabled).
  int GetState() const;

 private:
  /// Sets the state; a change repaints without dropping the cache.
  void SetState(int state);
  /// Draws one state: skin with the combo margins, then the swatch.
  void RenderState(RenderContext& target, const Rect& slot, int state);

  GdiColor colour_{0xFFFFFF};
  bool open_ = false;
  bool pressed_ = false;
  int state_;
};

}  // namespace ZephUI
