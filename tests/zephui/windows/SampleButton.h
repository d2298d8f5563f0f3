// A button for the window-class tests: draws the frame of its skin strip for
// its state (normal, hover, pressed, disabled) or, without a skin, a colour,
// with its title centred; notifies NOTIFY_PRESSED on a press and
// NOTIFY_CLICKED on a release inside after a press.
#pragma once

#include "zephui/MControlFont.h"

namespace zephuitest {

class SampleButton : public ZephUI::MControlFont {
 public:
  SampleButton(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect, std::u16string title,
               bool visible, bool enabled);

  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;
  int OnControlMouseMove(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlLButtonDown(std::uint32_t flags, ZephUI::Point point) override;
  int OnControlLButtonUp(std::uint32_t flags, ZephUI::Point point) override;

  /// Fill colour without a skin.
  ZephUI::ArgbColor colour{0xFF3070C0};

 private:
  int Frame() const;

  bool hover_ = false;
  bool pressed_ = false;
};

}  // namespace zephuitest
