#include "controls/SlotCache.h"

#include "core/RectOps.h"
#include "zephui/Image.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

bool Covers(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool CacheFits(const MControl& control, int slots) {
  const Image* cache = control.GetMemImage();
  const Rect rect = control.GetRect();
  return control.GetUpdate() && cache != nullptr && cache->Width() == rect.Width() * slots &&
         cache->Height() == rect.Height();
}

}  // namespace

void SlotCache::Draw(MControl& control, RenderContext& hdc, int slots, int current, const Renderer& render) {
  const Rect rect = control.GetRect();
  if (RectOps::Empty(rect) || slots <= 0) return;
  if (!CacheFits(control, slots)) {
    // Outside the clip the host picture still shows the last frame, not the background under the control.
    if (!Covers(hdc.ClipBounds(), rect) || !Refill(control, hdc, slots, render)) {
      render(hdc, rect, current);
      return;
    }
  }
  MRender::BitBlt(hdc, rect, *control.GetMemImage(), current * rect.Width(), 0);
}

bool SlotCache::Refill(MControl& control, RenderContext& hdc, int slots, const Renderer& render) {
  const Rect rect = control.GetRect();
  const int width = rect.Width();
  Image* cache = control.UpdateMemDC(hdc, width * slots, rect.Height());
  if (cache == nullptr) return false;
  RenderContext target(*cache);
  for (int state = 0; state < slots; ++state) {
    const Rect slot{state * width, 0, (state + 1) * width, rect.Height()};
    MRender::BitBlt(target, slot, hdc, rect.left, rect.top);
    render(target, slot, state);
  }
  target.Flush();
  return true;
}

}  // namespace ZephUI
