// The key function picker: a row of 18 media and web functions shown as
// icons above a 104-key keyboard of labelled buttons. Each item carries a
// function code; a press reports which item it hit and the owner reads the
// pressed item's data. Only the media row shows tooltips, once the owner gave
// its items descriptions. Wheel steps are taken and ignored.
//
// Reports NOTIFY_PRESSED (item index or -1, 0) on every left press inside.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MPanel.h"

namespace ZephUI {

/// The library's key function picker ("KeyFuncControl" in the panel factory).
class ZEPHUI_API KeyFuncControl : public MPanel {
 public:
  /// An empty picker; InitItemInfo fills it.
  KeyFuncControl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the items and their icons.
  ~KeyFuncControl() override;

  // ---- overrides ----
  /// Button faces from the skin strip (frame 2 checked or pressed, 1 hovered, 0 otherwise), then icon or label.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Follows the pointer over the items; shows a media item's description as its tooltip.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// The item under the pointer (or -1) becomes the pressed item; NOTIFY_PRESSED (item, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Taken and ignored: the picker does not scroll.
  int OnControlScroll(int bar, int direction, Point point) override;

  // ---- items ----
  /// Deletes every item, then builds the 122 items (icons from the skin folder).
  void InitItemInfo();
  /// Deletes every item and its icon.
  void ClearItems();
  /// Sets the description of the first item with this data (no repaint).
  void SetItemDesc(int data, std::u16string text);
  /// Clears pressed and checked; a non-zero `data` checks the first item with these three numbers.
  void SetItemCheckByItemData(int data, int key1, int key2);
  /// Data, key fields and description of the pressed item; false when none was pressed. `first` is left alone.
  bool GetCurItemData(int& first, int& data, int& key1, int& key2, std::u16string& text) const;
  /// The number of items.
  int GetItemCount() const;
  /// Item `index`'s rectangle relative to the control; empty when out of range.
  Rect GetItemRect(int index) const;
  /// The checked item; -1 when none.
  int GetCheckedItem() const;

 private:
  /// One picker item.
  struct Item {
    std::u16string desc;          ///< label of items without icon, and tooltip
    int data = 0;                 ///< function code
    int key1 = 0;                 ///< further key field
    int key2 = 0;                 ///< further key field
    std::unique_ptr<Image> icon;  ///< none for key items
    Rect rect;                    ///< relative to the control
  };
  /// Adds the media row.
  void AddMediaRow();
  /// Adds the keyboard rows.
  void AddKeyRows();
  /// The item under a window point; -1 when none.
  int ItemAt(Point point) const;
  /// Draws every item into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// Draws one item at `at` (target pixels).
  void DrawItem(RenderContext& target, const Item& item, const Rect& at, int frame);
  /// A key label centred in `at`, broken at a space or made smaller when it is wider than the key.
  void DrawLabel(RenderContext& target, const std::u16string& label, const Rect& at);
  /// The pointer left the hovered item or the control: hover and tooltip cleared.
  void LeaveItem();

  mutable std::mutex itemLock_;                ///< guards items_
  std::vector<std::unique_ptr<Item>> items_;   ///< in table order
  int hover_ = -1;                             ///< hovered item
  int pressed_ = -1;                           ///< pressed item
  int checked_ = -1;                           ///< checked item
  int tip_ = -1;                               ///< item whose tooltip shows
};

}  // namespace ZephUI
