// A combo box: a skin field showing the selected item's text that opens its
// list in a popup window of its own, below itself or, when that would leave
// the work area of its monitor, above. Choosing a row, even the selected one,
// reports NOTIFY_CLICKED (row, 0). With the focus, Up and Down step through
// the items and Space, Enter, F4 or Alt+Down open the list.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/ComboItem.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

class CComboBoxWnd;

/// The most rows a combo list shows before it scrolls.
inline constexpr int COMBO_VISIBLE_ROWS = 5;

/// The library's combo box ("MComboBox" in the factory).
class ZEPHUI_API MComboBox : public MControlFont {
 public:
  /// A mouse-responsive combo box without items; state 3 when built disabled.
  MComboBox(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  /// Closes an open list.
  ~MComboBox() override;

  // ---- overrides ----
  /// The cached picture of the state (the pressed one while open).
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hover (1) inside, normal (0) outside, while enabled and not pressed.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Pressed (2) inside.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Inside: hover (1) and the list opens; outside: normal (0).
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Up and Down choose the neighbouring item; Space, Enter, F4 and Alt+Down open the list.
  int OnControlKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t modifiers) override;
  /// The popup's choice (NOTIFY_CLICKED) and its end (COMBO_POPUP_CLOSED).
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Disabled (3) closes the list; enabled (0).
  void SetControlEnabled(bool enabled) override;
  /// Hiding closes the list.
  void SetControlVisible(bool visible) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- items ----
  /// Appends an item; its index.
  int AddItem(std::u16string text, std::int32_t data, std::u16string secondText, ArgbColor colour);
  /// Inserts an item at `index` (-1 appends); -1 for an index below -1 or past the end.
  int InsertItem(int index, std::u16string text, std::int32_t data, std::u16string secondText, ArgbColor colour);
  /// Changes an item's text (and the title when it is the selection); 0 out of range.
  int SetItemText(int index, std::u16string text);
  /// Changes an item's data; 0 out of range.
  int SetItemData(int index, std::int32_t data);
  /// An item's data; 0 out of range.
  std::int32_t GetItemData(int index) const;
  /// An item's text; empty out of range.
  std::u16string GetItemText(int index) const;
  /// Removes an item (the selection follows it or clears); 0 out of range.
  int DeleteItem(int index);
  /// Removes every item and clears the selection and the title.
  void DelAllItems();
  /// The number of items.
  int GetCount() const;
  /// The selected index; -1 for none.
  int GetCurSel() const;
  /// Selects an item (-1 clears); the title becomes its text. 0 when out of range.
  int SetCurSel(int index);
  /// The selected item's data; 0 without selection.
  std::int32_t GetCurData() const;
  /// The index of the first item with `data`; -1 when none has it.
  int FindData(std::int32_t data) const;
  /// Selects the first item with `data`; 1, or 0 (selection kept) when none has it.
  int SelectData(std::int32_t data);

  // ---- appearance and the list ----
  /// The popup's background picture from the skin folder (nine-slice, corner 6).
  void SetBackImage(std::u16string fileName);
  /// The popup's background from a registered resource.
  void SetBackImage(int resourceId, std::u16string resourceType);
  /// Scroll bar skin ids of the popup.
  void SetScrollResID(int vertical, int horizontal);
  /// Border sizes of the skin's four-margin stretch (default 10, 10, 36, 10).
  void SetShowModeMID(int left, int top, int right, int bottom);
  /// The text rectangle relative to the control (default: inset 6, 6, 30, 6).
  void SetTextRect(const Rect& rect);
  /// The visual state (0 normal, 1 hover, 2 pressed, 3 disabled).
  int GetState() const;
  /// True while the list is open.
  bool IsOpen() const;
  /// The open popup; none while closed.
  CComboBoxWnd* GetPopup() const;
  /// Opens the list (closing one still open first); false without items or window.
  bool OpenList();
  /// Closes an open list without a choice.
  void CloseList();
  /// Where the popup opens, in screen pixels: below the control, or above it near the work area's bottom.
  Rect PopupRect() const;

 private:
  /// Sets the state; a change repaints without dropping the cache.
  void SetState(int state);
  /// Draws one state: the skin with four margins, then the title.
  void RenderState(RenderContext& target, const Rect& slot, int state);
  /// Selects `row` from the list or the keys and reports it.
  void Choose(int row);
  /// A copy of the items.
  std::vector<ComboItem> Items() const;

  mutable std::mutex itemsLock_;  ///< guards items_
  std::vector<ComboItem> items_;
  int curSel_ = -1;
  int state_;
  bool pressed_ = false;
  CComboBoxWnd* popup_ = nullptr;  ///< deletes itself; tells us before it goes
  std::u16string backFile_;
  int backResource_ = 0;
  std::u16string backResourceType_;
  int scrollVertical_ = 0;
  int scrollHorizontal_ = 0;
  Rect margins_{10, 10, 36, 10};
  Rect textRect_;
};

}  // namespace ZephUI
