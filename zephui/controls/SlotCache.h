// Cached rendering shared by the catalogue controls: a control's cache
// surface holds one slot per visual state side by side, each rendered once
// over a copy of the host picture under the control; drawing copies the
// slot of the current state.
#pragma once

#include <functional>

#include "zephui/MControl.h"
#include "zephui/RenderContext.h"

namespace ZephUI {

/// Renders, keeps and copies the state slots of a control.
class SlotCache {
 public:
  /// Draws one state into `slot` of `target`, whose pixels already hold the background.
  using Renderer = std::function<void(RenderContext& target, const Rect& slot, int state)>;

  SlotCache() = delete;
  /// Renders all `slots` states when the cache is invalid, then copies slot `current` over the control.
  static void Draw(MControl& control, RenderContext& hdc, int slots, int current, const Renderer& render);

 private:
  /// Fills the cache surface; false when no surface could be made.
  static bool Refill(MControl& control, RenderContext& hdc, int slots, const Renderer& render);
};

}  // namespace ZephUI
