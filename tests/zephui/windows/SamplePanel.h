// A panel for the window-class tests: one colour under its children, which it
// builds through the panel factory.
#pragma once

#include "zephui/MPanel.h"

namespace zephuitest {

class SamplePanel : public ZephUI::MPanel {
 public:
  SamplePanel(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect, bool visible);

  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;
};

}  // namespace zephuitest
