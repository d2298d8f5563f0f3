// A button with an icon, an optional title, a check state in a named group
// and a tooltip of its own. A checked button shows its pressed slot; with the
// down state on, a click leaves it checked and unchecks its group (a tool
// palette). Press and click reports as MButton's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's icon button ("CIconButton" in the factory).
class ZEPHUI_API CIconButton : public MButton {
 public:
  /// An unchecked button in the unnamed group; clicks do not keep it down.
  CIconButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CIconButton() override;

  /// "IconButton".
  std::u16string_view GetClassNameW() const override;
  /// Copies the pressed slot while checked and enabled, else the slot of the state.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// As MButton; with the down state on, a click first checks the button and unchecks its group.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;

  /// The tooltip text shown while the pointer rests on the button (when tips are on).
  void SetTips(std::u16string text);
  /// Turns the tooltip on (default) or off.
  void SetShowTips(bool on);
  /// When on, a click keeps the button down (checked) and unchecks its group.
  void SetDownState(bool on);
  /// The check state, 0 or 1.
  int GetCheck() const;
  /// Sets the check; checking unchecks the group. Nothing while disabled; the check after.
  int SetCheck(int check);
  /// Sets the check without touching the group.
  void SetControlCheck(int check);
  /// Names the group (empty by default).
  void SetGroupName(std::u16string name);
  /// The group name.
  std::u16string GetGroupName() const;

 protected:
  /// Skin frame, then the icon (centred, or at the left before the title), then the title.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// Unchecks the other icon buttons of the group.
  void UncheckGroup();

  int check_ = 0;              ///< 0 or 1
  bool downState_ = false;     ///< a click keeps the button checked
  bool showTips_ = true;       ///< the tooltip is shown
  std::u16string tips_;        ///< tooltip text
  std::u16string groupName_;   ///< empty = the unnamed group
};

}  // namespace ZephUI
