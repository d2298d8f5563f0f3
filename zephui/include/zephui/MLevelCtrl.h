// A row of level cells, one per value from min to max; the cells up to the
// value are lit. Clicking a cell (or the arrow keys) chooses its value and
// reports NOTIFY_CLICKED (value, 0) when it changed.
#pragma once

#include <cstdint>
#include <optional>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's level row ("MLevelCtrl" in the factory).
class ZEPHUI_API MLevelCtrl : public MControlFont {
 public:
  /// Cells 0 … 15, value 0.
  MLevelCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MLevelCtrl() override;

  // ---- overrides ----
  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Highlights the cell under the pointer.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Remembers a press on the control.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// On a cell after a press: chooses it; NOTIFY_CLICKED (value, 0) when the value changed.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// While focused: Left/Down and Right/Up step by one cell; NOTIFY_CLICKED (value, 0) on a change.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Forgets the hover and drops the cache.
  void SetControlEnabled(bool enabled) override;

  // ---- level operations ----
  /// Sets the value clamped to min … max; returns it.
  int SetLevelValue(int value);
  /// The value.
  int GetLevelValue() const;
  /// Sets the cells' range; ignored when min > max. The value is clamped into it.
  void SetRangeValue(int minimum, int maximum);
  /// The rectangle of the cell of `value` in window pixels; empty outside the range.
  Rect GetCellRect(int value) const;

 private:
  /// Every cell into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// The value of the cell under `point`; none between or outside the cells.
  std::optional<int> CellAt(Point point) const;
  /// Number of cells.
  int Count() const;
  /// Width of one cell.
  int CellWidth() const;
  /// Chooses a value from the user; NOTIFY_CLICKED when it changed.
  int Choose(int value);

  int value_ = 0;        ///< min … max
  int min_ = 0;          ///< first cell's value
  int max_ = 15;         ///< last cell's value
  std::optional<int> hover_; ///< value of the hovered cell
  bool pressed_ = false; ///< the left button went down on the control
};

}  // namespace ZephUI
