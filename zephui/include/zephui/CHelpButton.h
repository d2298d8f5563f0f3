// A help mark: while the pointer is over it (enabled, with a title) the
// window's balloon shows the title below its left edge; leaving hides the
// balloon unless another control owns it by then. Sends no notifications.
// Drawn from a four-frame skin strip, or as a ringed question mark.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's help mark ("CHelpButton" in the factory).
class ZEPHUI_API CHelpButton : public MControlFont {
 public:
  /// A mouse-responsive mark whose title is the help text.
  CHelpButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CHelpButton() override;

  /// Copies the cached slot of the state (normal, hover, disabled).
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Inside: hover and the balloon; outside: normal and the balloon hidden (when this mark owns it).
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Disabled (3) or normal (0); the balloon is hidden.
  void SetControlEnabled(bool enabled) override;
  /// The current state number (ButtonState).
  int GetState() const;

 private:
  /// Skin frame of the state, or the drawn mark.
  void RenderState(RenderContext& target, const Rect& slot, int state);
  /// Shows the title in the balloon at the left edge, 25 pixels below the top.
  void ShowBalloon();
  /// Hides the balloon when this mark owns it.
  void HideBalloon();

  int state_;  ///< ButtonState (pressed is not used)
};

}  // namespace ZephUI
