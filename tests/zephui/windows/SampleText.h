// A text for the window-class tests: its title, left aligned, in its colour.
#pragma once

#include "zephui/MControlFont.h"

namespace zephuitest {

class SampleText : public ZephUI::MControlFont {
 public:
  SampleText(ZephUI::MObject* parent, std::uint32_t id, const ZephUI::Rect& rect, std::u16string text, bool visible);

  void DrawControl(ZephUI::RenderContext& hdc, const ZephUI::Rect& paintRect) override;
};

}  // namespace zephuitest
