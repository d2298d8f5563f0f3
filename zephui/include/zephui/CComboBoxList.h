// The list inside a combo box's popup: rows 30 pixels high with hover and
// selection highlights, a scroll bar when the rows do not fit, the wheel,
// and the keys of a drop-down list (arrows, Page Up/Down, Home, End, Enter,
// Escape). Choosing a row reports NOTIFY_CLICKED (row, 19) to its popup.
#pragma once

#include <cstdint>
#include <vector>

#include "zephui/Color.h"
#include "zephui/ComboItem.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// The row height of a combo list in pixels.
inline constexpr int COMBO_ROW_HEIGHT = 30;
/// The lParam a combo list sends with its choice.
inline constexpr LPARAM COMBO_CHOICE_MARK = 19;

/// The popup list of a combo box ("CComboBoxList", dialog factory only).
class ZEPHUI_API CComboBoxList : public MPanel {
 public:
  /// An empty list.
  CComboBoxList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  ~CComboBoxList() override;

  // ---- overrides ----
  /// The rows from the scroll position, then the scroll bar.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hovers the row under the pointer.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Selects the hovered row.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Reports the selected row as the choice.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Two scroll steps per wheel notch while the rows do not fit.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Arrows, Page Up/Down, Home and End move the selection; Enter chooses; Escape reports a cancel.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Keeps the rows' content size with the rectangle.
  void SetControlRect(const Rect& rect) override;

  // ---- list operations ----
  /// Replaces the rows.
  void SetItems(std::vector<ComboItem> items);
  /// The number of rows.
  int GetCount() const;
  /// Selects a row (-1 none) and scrolls it into view.
  void SetSelectedRow(int row);
  /// The selected row; -1 for none.
  int GetSelectedRow() const;
  /// The hovered row; -1 for none.
  int GetHoverRow() const;
  /// Colours of text on plain and on highlighted rows.
  void SetTextColors(ArgbColor text, ArgbColor highlightedText);
  /// Fill colours of the hovered and the selected row.
  void SetHighlightColors(ArgbColor hover, ArgbColor selected);
  /// True when the vertical scroll bar is shown.
  bool HasScrollBar() const;

 private:
  /// The row at a content point; -1 outside the rows.
  int RowAt(Point content) const;
  /// Scrolls so that `row` is fully visible.
  void ScrollToRow(int row);
  /// The row that a navigation key leads to from the current one.
  int TargetRow(std::uint32_t key) const;
  /// Reports the selected row as the choice.
  void Choose();

  std::vector<ComboItem> items_;
  int hoverRow_ = -1;
  int selectedRow_ = -1;
  ArgbColor textColour_{0xFFFFFFFF};
  ArgbColor highlightText_{0xFFFFFFFF};
  ArgbColor hoverColour_;
  ArgbColor selectColour_;
};

}  // namespace ZephUI
