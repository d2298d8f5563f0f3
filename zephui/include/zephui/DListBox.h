// The editable single-column list of named entries (profiles, macros): a
// text per row after an optional icon column, with an in-place rename.
//
// Reports NOTIFY_PRESSED (row, 0) on a left press on a row, NOTIFY_CLICKED
// (row, 0) on a left release on a row, NOTIFY_RCLICK (selection, 0) on a
// right release inside, and the editor's reports of MRowList.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MRowList.h"

namespace ZephUI {

struct ImgResInfo;

/// The library's editable list ("DListBox" in the factory).
class ZEPHUI_API DListBox : public MRowList {
 public:
  /// An empty list of 32-pixel rows; renaming stays off until EnableShowEdit(true).
  DListBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the entries.
  ~DListBox() override;

  // ---- overrides ----
  /// On a row: a rename of another row ends, the row is selected and NOTIFY_PRESSED (row, 0) is sent.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// On a row: it is selected and NOTIFY_CLICKED (row, 0) is sent.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// The hovered row (or none) becomes the selection; NOTIFY_RCLICK (selection, 0) inside.
  int OnControlRButtonUp(std::uint32_t flags, Point point) override;
  /// Repaints when its own bar moved, then passes the report on.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// The icon strip from the skin folder; frame 1 for the selected row, frame 0 otherwise.
  int SetImage(std::u16string_view path, int frameCount) override;
  /// The number of entries.
  int GetItemCount() const override;

  // ---- entries ----
  /// Appends an entry with data 0; returns its index.
  int AddString(std::u16string text, int image);
  /// Appends an entry; returns its index.
  int AddString(std::u16string text, int data, int image);
  /// Inserts before `index` (-1 appends); returns the new entry's index, -1 for a bad index.
  int InsertString(int index, std::u16string text, int image, int data);
  /// Appends with image 1 and scrolls back to the top; returns the new index.
  int AddItem(std::u16string text, int data);
  /// Removes an entry, clearing hover and selection; 0 when out of range.
  int DeleteItem(int index);
  /// Removes every entry, clears hover and selection and hides the bar.
  void DeleteAllItems();
  /// The text of an entry; empty when out of range.
  std::u16string GetItemText(int index) const;
  /// Replaces the text of an entry and repaints; false when out of range.
  bool ModifyItemString(int index, std::u16string text);
  /// Replaces the data of an entry; false when out of range.
  bool SetItemData(int index, int data);
  /// The data of an entry; 0 when out of range.
  int GetItemData(int index) const;
  /// The first entry with exactly this text; -1 when none.
  int FindString(std::u16string_view text) const;
  /// The first entry with this data; -1 when none.
  int FindItemData(int data) const;
  /// Exchanges two entries; nothing when equal or out of range; no repaint.
  void SwapItem(int a, int b);
  /// Selects `index` (-1 none), repainting on a change; 0 when out of range, else 1.
  int SetCurSel(int index);
  /// Selects the entry with this data; its index, or -1.
  int SetCurData(int data);
  /// The data of the selection; 0 when none.
  int GetCurData() const;
  /// The editor row's background: a 4-frame strip whose frame 1 is drawn as a nine-slice frame.
  int SetEditImage(std::u16string_view path, int frameCount);
  /// Turns in-place renaming on or off.
  void EnableShowEdit(bool on);
  /// An empty rectangle (rows are not addressed by rectangle).
  Rect GetItemRect(int index) const;

 protected:
  /// Fill, icon and text of one row; the edited row shows the editor background instead of its text.
  void DrawRow(RenderContext& target, const Rect& row, int index) override;
  /// The entry's text.
  std::u16string EditText(int index) const override;
  /// Replaces the text when it differs.
  bool CommitEdit(int index, const std::u16string& text) override;
  /// From x = 50 to 10 pixels before the right edge, centred, as tall as the font allows.
  Rect EditArea(const Rect& row) const override;
  /// Left-aligned text of any length.
  void PrepareEditor(MEdit& editor) override;
  /// Ten bar steps per wheel step.
  int WheelStep() const override;

 private:
  /// One entry.
  struct Entry {
    std::u16string text;  ///< shown text
    int image = 0;        ///< image value, the application's
    int data = 0;         ///< the application's number
  };
  /// A copy of entry `index`; false when out of range.
  bool EntryAt(int index, Entry& entry) const;
  /// Draws the icon frame centred in the icon column.
  void DrawIcon(RenderContext& target, const Rect& row, int index);
  /// Runs after entries were added: the bar, the range and a repaint; returns `index`.
  int Added(int index);

  mutable std::mutex itemLock_;            ///< guards entries_
  std::vector<Entry> entries_;             ///< the rows
  const ImgResInfo* editImage_ = nullptr;  ///< editor row background, owned by the manager's cache
};

}  // namespace ZephUI
