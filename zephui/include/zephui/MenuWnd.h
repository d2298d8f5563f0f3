// The library's popup menu: a borderless tool window titled "Menu Window"
// whose rows are MenuItem controls, opened at a screen point and kept inside
// the work area of that point's monitor. A chosen row posts the creator's
// report message to the owner window (wParam 0, lParam the row's id) and
// closes the menu; losing activation or Escape closes it without a report.
// The arrows move the highlight and Enter or Space chooses the highlighted row.
//
// Create the menu with `new`: the window deletes its object when it is
// destroyed, so the creator must not touch the menu after it has closed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Font.h"
#include "zephui/MPopupWnd.h"

namespace ZephUI {

class MenuItem;

/// A self-closing popup menu.
class ZEPHUI_API MenuWnd : public MPopupWnd {
 public:
  /// A menu for `owner` (not owned; may be none); use `new`.
  explicit MenuWnd(MObject* owner);
  /// Called from PostNcDestroy once the window is gone.
  ~MenuWnd() override;

  // ---- creation ----
  /// Creates and shows the window at the screen point; `messageNumber` is the report; 1 on success.
  int Create(HWND ownerWindow, Point point, UINT messageNumber);
  /// The same with a background picture from the skin folder, its mode and corner, and the menu width.
  int Create(HWND ownerWindow, Point point, UINT messageNumber, std::u16string_view backgroundFile, int frameSize,
             int width, enumBackMode backMode);
  /// The same with a background picture from a registered resource.
  int Create(HWND ownerWindow, Point point, UINT messageNumber, int resourceId, int frameSize, int width,
             enumBackMode backMode);

  // ---- overrides ----
  /// Lays the rows out, applying the row changes recorded before.
  void InitUI(const Rect& clientRect) override;
  /// Posts the report for the notification; a click also closes the menu.
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// The menu's keys first, then as any popup.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Deletes the menu object.
  void PostNcDestroy() override;

  // ---- rows ----
  /// Appends a row with an optional four-frame icon from the skin folder (a, b unused); widens the menu to fit; -1.
  int AddMenu(std::u16string_view text, std::uint32_t id, std::u16string_view iconFile, int a, int b);
  /// The same with an icon from a registered "PNG" resource (-1 for none); -1.
  int AddMenu(std::u16string_view text, std::uint32_t id, int iconResourceId, int a, int b);
  /// Appends a separator row, tiled with an optional picture; -1.
  int AddSeparator(std::uint32_t id, std::u16string_view imageFile);
  /// Applies the recorded row changes, lays the rows out, sizes the window and keeps it inside the work area.
  void SetMenuPoint();
  /// The popup's form: the owner object's OnMessage(0, msg, wParam, lParam).
  using MPopupWnd::SendMessageToParent;
  /// The same as OnMessage.
  LRESULT SendMessageToParent(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam);
  /// Changes the title of the row titled `name` (applied now when the window exists, else at creation).
  void SetItemTitle(std::u16string_view name, std::u16string title);
  /// Shows or hides the row titled `name`.
  void SetItemVisible(std::u16string_view name, bool on);
  /// Enables or disables the row titled `name`.
  void SetItemEnable(std::u16string_view name, bool on);
  /// Checks (1) or unchecks (0) the row titled `name`; -1 leaves it.
  void SetItemCheck(std::u16string_view name, int check);
  /// The highlighted row; none.
  MenuItem* GetHighlightedItem() const;

  // ---- look ----
  /// Face, size and style of every row and of the measuring.
  void SetMenuFont(std::u16string face, int size, std::uint32_t style);
  /// Where row titles start (default 5).
  void SetTextColumn(int x);
  /// Height of a normal row (default 35).
  void SetItemHeight(int height);
  /// Menu width (default 300; rows widen it to fit).
  void SetMenuWidth(int width);
  /// The menu width.
  int GetMenuWidth() const;
  /// Horizontal inset of the hover fill.
  void SetItemFrameWidth(int width);
  /// Space above the first and below the last row (0 means 2).
  void SetMargins(int top, int bottom);
  /// The picture stretched behind a highlighted row; false when it cannot be loaded.
  bool SetHoverImage(std::u16string_view fileName);
  /// The fill behind a highlighted row without a hover picture (default FF10A8FD).
  void SetHoverColor(ArgbColor colour);
  /// The check picture handed to every row; false when it cannot be loaded.
  bool SetCheckImage(std::u16string_view fileName);
  /// The report message number.
  UINT GetReportMessage() const;
  /// The window that receives the reports.
  HWND GetOwnerWindow() const;

 private:
  /// A change recorded for a row by title; -1 leaves a flag as it is.
  struct RowChange {
    std::u16string name;      ///< title of the row
    std::u16string title;     ///< new title; empty keeps it
    int shown = -1;           ///< 1 show, 0 hide
    int enabled = -1;         ///< 1 enable, 0 disable
    int check = -1;           ///< 1 check, 0 uncheck
  };

  /// Creates the window at the point with the current menu width.
  int CreateAt(HWND ownerWindow, Point point, UINT messageNumber);
  /// A row through the factory with the menu's font; none on failure.
  MenuItem* NewRow(std::u16string_view text, std::uint32_t id);
  /// Widens the menu to fit `text` on one line.
  void Widen(std::u16string_view text);
  /// The font rows draw and measure with.
  Font RowFont() const;
  /// Places one row at `y`; returns the next row's top.
  int PlaceRow(MControl* control, int y);
  /// Moves and sizes the window so it lies inside the work area of the anchor's monitor.
  void PlaceWindow(int width, int height);
  /// Records a change and applies it at once when the window exists.
  void Change(RowChange change);
  /// Applies the recorded changes to the rows they name.
  void ApplyChanges();
  /// Handles a menu key; false for other keys.
  bool OnMenuKey(std::uint32_t key);
  /// Moves the highlight one selectable row down (1) or up (-1), wrapping.
  void MoveHighlight(int step);
  /// Chooses the highlighted row as a click would.
  void ChooseHighlighted();
  /// The visible, enabled rows that are not separators, in order.
  std::vector<MenuItem*> SelectableRows() const;

  HWND ownerWindow_ = nullptr;            ///< receives the reports
  UINT reportMessage_ = 0;                ///< the report message number
  Point anchor_;                          ///< the screen point the menu opens at
  bool closing_ = false;                  ///< a row was chosen: no further report
  std::u16string faceName_;               ///< row font face
  int fontSize_;                          ///< row font size
  std::uint32_t fontStyle_ = 0;           ///< row font style
  int textColumn_ = 5;                    ///< row title start
  int itemHeight_ = 35;                   ///< normal row height
  int menuWidth_ = 300;                   ///< window width
  int frameWidth_ = 0;                    ///< hover inset
  int topMargin_ = 6;                     ///< above the first row
  int bottomMargin_ = 6;                  ///< below the last row
  std::unique_ptr<Image> hoverImage_;     ///< hover picture
  std::unique_ptr<Image> checkImage_;     ///< check picture
  ArgbColor hoverColour_{0xFF10A8FD};     ///< hover fill
  std::vector<RowChange> changes_;        ///< waiting row changes
};

}  // namespace ZephUI
