// A scrolling list of rows 30 pixels high, each a text with an optional icon
// from an image list and a number the application keeps with it. The mouse
// and the keyboard choose a row; a row can be renamed in place.
//
// Reports NOTIFY_PRESSED (row, 0) when a press or a key chooses a row,
// NOTIFY_DBLCLICK (selection, 0) on a double click, NOTIFY_RCLICK
// (selection, 0) on a right release, and NOTIFY_EDIT_END (0, item data) when
// a rename ends with a changed text.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

class MEdit;
class MImageList;

/// The library's list box ("MListBox" in the factory).
class ZEPHUI_API MListBox : public MPanel {
 public:
  /// An empty list with nothing chosen; renaming is off.
  MListBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the rows and the rename editor.
  ~MListBox() override;

  // ---- overrides ----
  /// Copies the cached rows, then draws the scroll bar when it is shown.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Highlights the row under the pointer.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// On a row: it becomes the selection and NOTIFY_PRESSED (row, 0) is sent; a rename of another row ends first.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// NOTIFY_DBLCLICK (selection, 0).
  int OnControlLButtonDblClk(std::uint32_t flags, Point point) override;
  /// The row under the pointer (if any) becomes the selection, then NOTIFY_RCLICK (selection, 0).
  int OnControlRButtonUp(std::uint32_t flags, Point point) override;
  /// While focused: arrows, Page Up/Down, Home and End choose a row; F2 renames it.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// Scrolls by one row per wheel step; a running rename ends first.
  int OnControlScroll(int bar, int direction, Point point) override;
  /// Losing the focus ends a rename (keeping the text).
  int SetControlFocus(FocusChange focus) override;
  /// Repaints when its own scroll bar moved (ending a rename); the rename editor's end is handled here.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- rows ----
  /// Appends a row; returns its index.
  int AddString(std::u16string text, int image = -1, int data = 0);
  /// Inserts before `index` (-1 appends); returns the new index, -1 for a bad index.
  int InsertString(int index, std::u16string text, int image, int data);
  /// Removes a row; 0 when out of range. The selection follows its row or is cleared with it.
  int DeleteItem(int index);
  /// Removes every row.
  void DeleteAllItems();
  /// The number of rows.
  int GetItemCount() const;
  /// The text of a row; empty when out of range.
  std::u16string GetItemText(int index) const;
  /// Replaces the text of a row; false when out of range.
  bool ModifyItemString(int index, std::u16string text);
  /// The number kept with a row; 0 when out of range.
  int GetItemData(int index) const;
  /// Replaces the number kept with a row; false when out of range.
  bool SetItemData(int index, int data);
  /// The first row with exactly this text; -1 when none.
  int FindString(std::u16string_view text) const;
  /// The first row with this number; -1 when none.
  int FindItemData(int data) const;
  /// Chooses a row (-1 none) and scrolls it into view; no report. 0 when out of range, else 1.
  int SetCurSel(int index);
  /// The chosen row; -1 when none.
  int GetCurSel() const;
  /// The number of the chosen row; 0 when none.
  int GetCurData() const;
  /// Sets the row height (at least 1).
  void SetItemHeight(int height);
  /// Icons come from this list (not owned); a row's image value is its index there, -1 none.
  void SetImageList(MImageList* images);
  /// The rectangle of a row in window pixels as it shows now (it may lie outside the control).
  Rect GetItemRect(int index) const;

  // ---- rename ----
  /// Turns in-place renaming on or off.
  void EnableShowEdit(bool on);
  /// Opens the rename editor on the chosen row; false when renaming is off, the list disabled or nothing chosen.
  bool ShowEdit();
  /// Closes the rename editor, taking its text into the row; NOTIFY_EDIT_END (0, data) when the text changed.
  void HideEdit();
  /// The row being renamed; -1 when none.
  int GetEditItem() const;

 private:
  /// One row.
  struct Item {
    std::u16string text;  ///< shown text
    int image = -1;       ///< index in the image list, -1 none
    int data = 0;         ///< the application's number
  };
  /// The rows that show now, with their indices, copied under the lock.
  std::vector<std::pair<int, Item>> VisibleRows() const;
  /// Rows into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// One row into `row`.
  void DrawRow(RenderContext& target, const Rect& row, int index, const Item& item);
  /// The row under a window point; -1 when none.
  int RowAt(Point window) const;
  /// The width the rows take (narrower while the bar shows).
  int RowWidth() const;
  /// Resizes the scrolled content to the rows.
  void Relayout();
  /// Scrolls so that row `index` shows whole.
  void ScrollIntoView(int index);
  /// Scrolls the rows `offset` pixels up (clamped); false when nothing moved.
  bool ScrollTo(int offset);
  /// Chooses a row from the user and reports it.
  int Choose(int index);
  /// Where the rename editor goes over row `index`.
  Rect EditorRect(int index) const;

  mutable std::mutex itemLock_;   ///< guards items_
  std::vector<Item> items_;       ///< the rows
  int rowHeight_ = 30;            ///< pixels per row
  int hover_ = -1;                ///< row under the pointer
  int selection_ = -1;            ///< chosen row
  int editing_ = -1;              ///< row being renamed
  bool editable_ = false;         ///< renaming allowed
  MImageList* images_ = nullptr;  ///< icons, not owned
  MEdit* editor_ = nullptr;       ///< rename editor, owned by the control list
};

}  // namespace ZephUI
