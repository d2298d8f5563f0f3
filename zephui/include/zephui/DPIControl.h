// A pointer-resolution cell: a value with a colour swatch, checkable within a
// group (every DPIControl of one list with an equal group name), so that
// checking one unchecks the others.
//
// Reports NOTIFY_CHECK (value, 0) when a left press checks it.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// The library's resolution cell (class name "DPIControl"; not in the factory).
class ZEPHUI_API DPIControl : public MPanel {
 public:
  /// An unchecked cell of value 0, white, in the unnamed group.
  DPIControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  ~DPIControl() override;

  /// "DPIControl".
  std::u16string_view GetClassNameW() const override;
  /// Swatch, value and, while checked, an outline in the global select colour.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Checks the cell (unchecking its group) and reports NOTIFY_CHECK (value, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;

  /// Sets the value; repaints when it changes.
  void SetDPIValue(int value);
  /// The value.
  int GetDPIValue() const;
  /// Sets the swatch colour; repaints when it changes.
  void SetColor(ArgbColor colour);
  /// The swatch colour.
  ArgbColor GetColor() const;
  /// Checks (unchecking the rest of the group) or unchecks; repaints when it changes.
  void SetCheck(bool checked);
  /// Whether the cell is checked.
  bool GetCheck() const;
  /// Sets the group name (empty by default).
  void SetGroupName(std::u16string name);
  /// Unchecks every other member of the group.
  void ResetGroupCheck();

 private:
  int value_ = 0;                     ///< resolution value
  ArgbColor colour_{0xFFFFFFFF};      ///< swatch colour
  bool checked_ = false;              ///< checked now
  std::u16string groupName_;          ///< group name
};

}  // namespace ZephUI
