#include "tests/zephui/windows/SampleText.h"

#include <utility>

#include "zephui/MRender.h"

using namespace ZephUI;

namespace zephuitest {

SampleText::SampleText(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible)
    : MControlFont(parent, id, rect, std::move(text), visible, true, false) {}

void SampleText::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  MRender::DrawTextW(hdc, GetRect(), GetTitle(), GetTextColor(), GetGDIFont(), GetTextFormat(false));
}

}  // namespace zephuitest
