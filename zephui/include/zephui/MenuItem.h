// One row of a popup menu: an icon in the text column, the title after it,
// and a hover fill (picture or colour) behind a highlighted row; or a
// separator line. Four pictures (normal, hover, pressed, disabled) are
// rendered once into the cache; a separator has one. A release over an
// enabled row reports NOTIFY_CLICKED (0, 0).
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

class MenuWnd;

/// Visual state numbers of a menu row; also the picture shown.
enum MenuItemState : int {
  MENU_ITEM_STATE_NORMAL = 0,    ///< at rest
  MENU_ITEM_STATE_HOVER = 1,     ///< highlighted by the pointer or the arrows
  MENU_ITEM_STATE_PRESSED = 2,   ///< pressed, or checked
  MENU_ITEM_STATE_DISABLED = 3,  ///< disabled
};

/// A menu row ("MenuItem" in the factory).
class ZEPHUI_API MenuItem : public MControlFont {
 public:
  /// A mouse-responsive row; disabled rows start in state 3.
  MenuItem(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled);
  /// Nothing of its own to release.
  ~MenuItem() override;

  // ---- overrides ----
  /// "MenuItem".
  std::u16string_view GetClassNameW() const override;
  /// Copies the cached picture of the current state, rendering them first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Hover (1) inside, rest outside, while enabled and not pressed; separators ignore the pointer.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Inside an enabled row: remembers the press and shows state 2.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Inside: hover and NOTIFY_CLICKED (0, 0); outside: rest. The press is forgotten.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// Disabled (3), or rest (2 when checked, else 0).
  void SetControlEnabled(bool enabled) override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- check and group ----
  /// The check flag (0 or 1).
  int GetCheck() const;
  /// Does nothing; 0. Rows are checked through SetControlCheck.
  int SetCheck(int check);
  /// Sets the check flag and shows state 2 when checked, else 0.
  void SetControlCheck(bool check);
  /// Sets the group name (default "Menu Group").
  void SetGroupName(std::u16string name);
  /// The group name.
  std::u16string GetGroupName() const;
  /// Empty: rows carry no group value.
  std::u16string GetGroupValue() const;
  /// The value text (empty).
  std::u16string GetValue() const;
  /// Does nothing; 1.
  int ResetGroupCheck();

  // ---- kind and look ----
  /// Makes the row a separator line.
  void SetSeparator(bool on);
  /// True for a separator.
  bool IsSeparator() const;
  /// True in state 1.
  bool IsHover() const;
  /// The current state (MenuItemState).
  int GetState() const;
  /// Shows another state (the menu moves its highlight with it); a change repaints.
  void SetState(int state);
  /// Horizontal inset of the hover fill on both sides.
  void SetFrameWidth(int width);
  /// Where the title starts, relative to the row (default 30); the icon is centred before it.
  void SetTextColumn(int x);
  /// The hover fill: the picture stretched when given (not owned), else the colour (default FFC95100).
  void SetHoverLook(const Image* picture, ArgbColor colour);
  /// The check picture (not owned); kept for derived rows.
  void SetCheckImage(const Image* picture);
  /// The check picture; none.
  const Image* GetCheckImage() const;

  // ---- submenu ----
  /// Binds a submenu (not owned); it is never shown.
  void SetPopupMenu(MenuWnd* menu);
  /// True with a submenu bound.
  bool IsPopup() const;
  /// The bound submenu; none.
  MenuWnd* GetPopupMenu() const;
  /// Does nothing: submenus are not shown.
  void ShowPopupMenu();

 private:
  /// Draws picture `picture` into `slot`.
  void RenderPicture(RenderContext& target, const Rect& slot, int picture);
  /// The icon frame of the picture, centred in the text column.
  void DrawIcon(RenderContext& target, const Rect& slot, int picture) const;
  /// The separator picture tiled across the row, or a plain line.
  void DrawSeparator(RenderContext& target, const Rect& slot) const;
  /// The state at rest: 2 when checked, else 0.
  int RestState() const;

  int state_;                                ///< MenuItemState
  bool check_ = false;                       ///< checked
  bool pressed_ = false;                     ///< a press started on the row
  std::u16string groupName_ = u"Menu Group"; ///< group name
  std::u16string value_;                     ///< value text
  ArgbColor hoverColour_{0xFFC95100};        ///< hover fill without a picture
  const Image* hoverImage_ = nullptr;        ///< not owned
  const Image* checkImage_ = nullptr;        ///< not owned
  bool separator_ = false;                   ///< a separator line
  MenuWnd* popup_ = nullptr;                 ///< bound submenu, not owned
  int textColumn_ = 30;                      ///< title start
  int frameWidth_ = 0;                       ///< hover inset
};

}  // namespace ZephUI
