// A colour swatch in a named group. A press checks it and unchecks the
// visible, enabled swatches of its group; a checked swatch keeps showing its
// pressed slot. Drawn with a light-dark border, with the skin image, or as a
// plain fill with an outline on hover and press.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's colour swatch ("CColorButton" in the factory).
class ZEPHUI_API CColorButton : public MButton {
 public:
  /// A white, unchecked swatch without border.
  CColorButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CColorButton() override;

  /// "ColorButton".
  std::u16string_view GetClassNameW() const override;
  /// Copies the pressed slot while checked, else the slot of the state.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Inside an enabled swatch: checks it, unchecks its group, pressed (2) and NOTIFY_PRESSED (0, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;

  /// Sets the colour (GDI form); drops the cache.
  void SetColor(GdiColor colour);
  /// The colour.
  GdiColor GetColor() const;
  /// Draws the light and dark border around the colour when on; drops the cache.
  void SetVisibleBorder(bool on);
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
  /// Border and colour, or skin, or fill with the state's outline.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// Unchecks the visible, enabled swatches of the group.
  void UncheckGroup();

  GdiColor colour_{0xFFFFFF};  ///< the swatch colour
  bool border_ = false;        ///< light and dark border
  int check_ = 0;              ///< 0 or 1
  std::u16string groupName_;   ///< empty = the unnamed group
};

}  // namespace ZephUI
