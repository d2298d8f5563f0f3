// A scrolling column of equal rows with a hovered and a selected row and one
// in-place edit field over a row: the common part of the editable list and
// the record list. Derived lists keep their entries under their own lock,
// draw one row and say what the editor shows and how its text is taken back.
//
// Reports NOTIFY_EDIT_CHANGED (0, 0) while the editor's text changes and
// NOTIFY_EDIT_END (0, row) when the editor closed with a changed value.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

class MEdit;
class MImageList;

/// When HideEdit closes the editor.
enum class EditClose { IfMoved, Force };

/// Base of the editable lists.
class ZEPHUI_API MRowList : public MPanel {
 public:
  /// An empty list of rows `rowHeight` pixels high; hover and selection colours from the global select colour.
  MRowList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, int rowHeight);
  /// The editor goes with the control list.
  ~MRowList() override;

  // ---- overrides ----
  /// Copies the cached visible rows, then draws the scroll bar when it shows.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Follows the pointer over the visible rows; repaints when the hovered row changes.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Moves the bar by WheelStep per wheel step when the rows are taller than the list.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Losing the focus to anything but the editor closes the editor.
  int SetControlFocus(FocusChange focus) override;
  /// Takes the editor's reports; passes every other report on.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Stores the rectangle and sizes the scroll range to the rows.
  void SetControlRect(const Rect& rect) override;

  // ---- rows ----
  /// The number of entries.
  virtual int GetItemCount() const = 0;
  /// The selected row; -1 when none.
  int GetCurSel() const;
  /// The row under the pointer; -1 when none.
  int GetHoverItem() const;
  /// Sets the row height (at least 1) and resizes the scroll range.
  void SetItemHeight(int height);
  /// The row height.
  int GetItemHeight() const;
  /// Keeps an image list for the application (not owned, not drawn).
  void SetImageList(MImageList* images);
  /// Where row `index` shows now, in window pixels (it may lie outside the list).
  Rect GetRowRect(int index) const;

  // ---- in-place editor ----
  /// Opens the editor on the selected row; false when editing is off, the list disabled or nothing selected.
  bool ShowEdit();
  /// Closes the editor, taking its value into the row (unless IfMoved and the edited row is still selected).
  void HideEdit(EditClose close);
  /// The row being edited; -1 when none.
  int GetEditItem() const;
  /// The editor field; none before the first edit.
  MEdit* GetEditor() const;

 protected:
  /// Draws entry `index` into `row` (target pixels); the entry is read under the derived list's lock.
  virtual void DrawRow(RenderContext& target, const Rect& row, int index) = 0;
  /// The text the editor opens with.
  virtual std::u16string EditText(int index) const = 0;
  /// Takes the editor's text into entry `index`; true when the entry changed.
  virtual bool CommitEdit(int index, const std::u16string& text) = 0;
  /// The editor's rectangle over `row` (window pixels).
  virtual Rect EditArea(const Rect& row) const = 0;
  /// Sets the editor's limits and alignment.
  virtual void PrepareEditor(MEdit& editor) = 0;
  /// Whether ShowEdit may open the editor now (beyond editing on, enabled and a selection).
  virtual bool MayEdit() const;
  /// Bar positions moved per wheel step.
  virtual int WheelStep() const;

  /// The visible row under a content point; -1 when none.
  int RowAt(Point content) const;
  /// First and last visible rows; last < first when the list is empty.
  std::pair<int, int> VisibleRange() const;
  /// Shows the bar when the rows no longer fit and sets its range to their height; repaints.
  void Relayout();
  /// Moves the bar to `position` (clamped); true and a repaint when it moved.
  bool ScrollTo(int position);
  /// Makes `index` the selection; repaints when it changed.
  bool Select(int index);
  /// Forgets hover and selection after entries went away.
  void ForgetRows();
  /// The width of a row (narrower while the bar shows).
  int RowWidth() const;

  int rowHeight_;                        ///< pixels per row
  int hover_ = -1;                       ///< row under the pointer
  int selection_ = -1;                   ///< selected row
  int editing_ = -1;                     ///< row being edited
  bool editable_ = false;                ///< in-place editing on
  ArgbColor hoverColour_;                ///< hover look
  ArgbColor selectColour_;               ///< selection look
  GdiColor editBack_;                    ///< editor background
  MImageList* images_ = nullptr;         ///< kept for the application, not owned
  MEdit* editor_ = nullptr;              ///< owned by the control list

 private:
  /// Creates the editor on first use and places it over the edited row; false when it cannot be made.
  bool OpenEditor(const std::u16string& text);
  /// Copies the visible rows into `slot`.
  void Render(RenderContext& target, const Rect& slot);
};

}  // namespace ZephUI
