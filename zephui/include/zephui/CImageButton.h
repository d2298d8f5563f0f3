// An image-only button: the skin strip and an optional icon, no title drawn.
// With a balloon mode the title is shown in the window's balloon while the
// pointer is over the button.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's image button ("CImageButton" in the factory).
class ZEPHUI_API CImageButton : public MButton {
 public:
  /// A button without balloon; the title only feeds the balloon.
  CImageButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled);
  ~CImageButton() override;

  /// As MButton; hovering shows the balloon.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// As MButton; leaving the hover state hides the balloon.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// As MButton; a change of state shows or hides the balloon.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// As MButton; hides the balloon.
  void SetControlEnabled(bool enabled) override;

  /// Balloon on hover: 1 at the right edge, 2 at the left edge (the arrow type too); anything else none.
  void SetAlrBladderMode(int mode);

 protected:
  /// Skin frame and icon, no title.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// Shows the balloon on entering the hover state, hides it on any other change from `before`.
  void FollowState(int before);

  int balloonMode_ = 0;  ///< 0 none, 1 right edge, 2 left edge
};

}  // namespace ZephUI
