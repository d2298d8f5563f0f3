// The control gallery repeated over a 1280 x 720 dialog, headless: a full
// repaint, and the pointer moving onto one button and off it again with the
// paints that causes, each with the dialog plain and layered. The counters
// give the pixels the last paint presented.
#include <benchmark/benchmark.h>

#include "tests/zephui/gallery/GalleryDialog.h"
#include "zephui/Backend.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

namespace {

using namespace ZephUI;
using zephuitest::GalleryDialog;

// The gallery's block twice across and twice down, shown at the screen's corner.
class Gallery {
 public:
  explicit Gallery(bool layered) {
    SelectBackend(BackendKind::Headless);
    Headless::Reset();
    dialog_.tilesAcross = 2;
    dialog_.tilesDown = 2;
    hwnd = dialog_.Create(nullptr, u"Gallery", WS_POPUP | WS_VISIBLE, 0, Rect{0, 0, 1280, 720});
    if (layered) dialog_.GetPaintManager().SetLayeredWindow(true);
    Headless::RunFor(50);
    button = dialog_.ControlRect(GalleryDialog::kApplyId);
  }
  ~Gallery() { DestroyWindow(hwnd); }

  std::size_t Controls() { return dialog_.GetPaintManager().GetControls().size(); }

  HWND hwnd = nullptr;
  Rect button;

 private:
  GalleryDialog dialog_;
};

// Lets the paint pacing interval pass outside the measured time.
void PassPacing(benchmark::State& state) {
  state.PauseTiming();
  Headless::AdvanceClock(16);
  state.ResumeTiming();
}

void CheckPresented(benchmark::State& state, HWND hwnd, int before, int perIteration) {
  if (Headless::PresentCount(hwnd) - before != perIteration * static_cast<int>(state.iterations())) {
    state.SkipWithError("a paint was not presented");
  }
}

double PresentedPixels(HWND hwnd) {
  const Rect last = Headless::LastPresentedRect(hwnd);
  return static_cast<double>(last.Width()) * static_cast<double>(last.Height());
}

void FullRepaint(benchmark::State& state) {
  Gallery gallery(state.range(0) != 0);
  const int before = Headless::PresentCount(gallery.hwnd);
  for (auto _ : state) {
    PassPacing(state);
    InvalidateRect(gallery.hwnd, nullptr);
    UpdateWindow(gallery.hwnd);
  }
  CheckPresented(state, gallery.hwnd, before, 1);
  state.counters["controls"] = static_cast<double>(gallery.Controls());
  state.counters["presented"] = PresentedPixels(gallery.hwnd);
}
BENCHMARK(FullRepaint)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One iteration: onto the Apply button and paint, then off it into empty space and paint.
void HoverOnAndOff(benchmark::State& state) {
  Gallery gallery(state.range(0) != 0);
  const LPARAM onto = MAKELPARAM((gallery.button.left + gallery.button.right) / 2,
                                 (gallery.button.top + gallery.button.bottom) / 2);
  const LPARAM off = MAKELPARAM(gallery.button.left + 5, gallery.button.bottom + 4);
  const int before = Headless::PresentCount(gallery.hwnd);
  for (auto _ : state) {
    for (const LPARAM where : {onto, off}) {
      PassPacing(state);
      SendMessage(gallery.hwnd, WM_MOUSEMOVE, 0, where);
      UpdateWindow(gallery.hwnd);
    }
  }
  CheckPresented(state, gallery.hwnd, before, 2);
  state.counters["presented"] = PresentedPixels(gallery.hwnd);
}
BENCHMARK(HoverOnAndOff)->ArgName("layered")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
