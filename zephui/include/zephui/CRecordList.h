// The macro step list: three centred columns (key name, "Key Down" or
// "Key Up", delay in milliseconds) and an in-place editor for a step's delay,
// opened by a press in the delay column.
//
// Reports NOTIFY_PRESSED (selection or -1, 0) on every left press inside,
// NOTIFY_RCLICK (row, 0) on a right release on a row, and the editor's
// reports of MRowList.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MRowList.h"
#include "zephui/RecordItem.h"

namespace ZephUI {

/// The library's macro step list ("CRecordList" in the factory).
class ZEPHUI_API CRecordList : public MRowList {
 public:
  /// An empty list of 41-pixel rows with delay editing on.
  CRecordList(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the steps.
  ~CRecordList() override;

  // ---- overrides ----
  /// Selects the hovered row (or none); in the delay column opens the editor, else closes it; NOTIFY_PRESSED.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// The hovered row (or none) becomes the selection; NOTIFY_RCLICK (row, 0) on a row.
  int OnControlRButtonUp(std::uint32_t flags, Point point) override;
  /// The number of steps.
  int GetItemCount() const override;

  // ---- steps ----
  /// Appends a step, scrolls to the end and repaints; returns its index.
  int AddString(std::u16string keyName, int type, int keyCode, int delay);
  /// Sets the delay of the last step and repaints; false on an empty list.
  bool UpdateDelayTime(int delay);
  /// Selects `index` (-1 none), repainting on a change; 0 when out of range, else 1.
  int SetCurSel(int index);
  /// Removes a step, clearing hover and selection; 0 when out of range.
  int DeleteItem(int index);
  /// Removes every step, clears hover and selection and hides the bar.
  void DeleteAllItems();
  /// Exchanges two steps; nothing when equal or out of range; no repaint.
  void SwapItem(int a, int b);
  /// The steps in order; the records stay owned by the list.
  std::vector<RecordItem*> GetRecordItems() const;

 protected:
  /// Outline of the selected or hovered row, then the three columns.
  void DrawRow(RenderContext& target, const Rect& row, int index) override;
  /// The delay as a decimal number.
  std::u16string EditText(int index) const override;
  /// Empty reads as 10 ms, otherwise the leading digits (0 when none); true when the delay changed.
  bool CommitEdit(int index, const std::u16string& text) override;
  /// The delay column, centred, the font size plus 3 pixels high.
  Rect EditArea(const Rect& row) const override;
  /// Digits only, at most 5, centred.
  void PrepareEditor(MEdit& editor) override;
  /// Only on the hovered row.
  bool MayEdit() const override;

 private:
  /// A copy of step `index`; false when out of range.
  bool StepAt(int index, RecordItem& step) const;

  mutable std::mutex itemLock_;                       ///< guards steps_
  std::vector<std::unique_ptr<RecordItem>> steps_;    ///< the rows
};

}  // namespace ZephUI
