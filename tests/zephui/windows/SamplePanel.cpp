#include "tests/zephui/windows/SamplePanel.h"

#include "zephui/MRender.h"

using namespace ZephUI;

namespace zephuitest {

SamplePanel::SamplePanel(MObject* parent, std::uint32_t id, const Rect& rect, bool visible)
    : MPanel(parent, id, rect, visible) {}

void SamplePanel::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  MRender::DrawColor(hdc, GetRect(), ArgbColor(0xFF202830));
}

}  // namespace zephuitest
