// An on/off switch. A click (or Space while focused) flips it; a click
// reports NOTIFY_CLICKED with the new state. Its picture is a strip of 8
// frames (off 0-3, on 4-7, as the check box), 2 frames (off, on) or one;
// without a picture it draws a rounded track with a knob.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MCheckTypeButton.h"

namespace ZephUI {

/// The library's switch ("CSwitchButton" in the factory).
class ZEPHUI_API CSwitchButton : public MCheckTypeButton {
 public:
  /// A switch that is off; state 3 when built disabled.
  CSwitchButton(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~CSwitchButton() override;

 protected:
  /// Flips the switch.
  void Choose() override;
  /// NOTIFY_CLICKED (0, new state).
  void NotifyClicked() override;
  /// The picture's frame for the state stretched over the slot, or the drawn track and knob.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  /// A rounded track, accent when on, with a white knob at its end.
  void DrawTrack(RenderContext& target, const Rect& slot, int state) const;
};

}  // namespace ZephUI
