// The T40 keyboard picture on a headless dialog, built from its layout file
// with the generated skin: one light-animation tick with every key changing
// brightness (alone, and with the repaint it asks for), and the repaint after
// one key's colour changed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "catalogue/XmlDocument.h"
#include "zephui/Backend.h"
#include "zephui/Headless.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MDialog.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/Text.h"
#include "zephui/Window.h"

namespace {

using namespace ZephUI;

constexpr Rect kWindow{0, 0, 1000, 330};
constexpr Rect kControl{10, 10, 990, 320};

// The T40 window: its keys from the layout, every key lit in frame 0 and dimmed in frame 1.
class Bench {
 public:
  Bench() {
    SelectBackend(BackendKind::Headless);
    Headless::Reset();
    hwnd = dialog.Create(nullptr, u"Keyboard", WS_POPUP | WS_VISIBLE, 0, kWindow);
    keyboard = dynamic_cast<KeyboardCtrl*>(dialog.CreateControl(u"KeyboardCtrl", 72, kControl, u"", true, true));
    if (keyboard == nullptr || !Load()) return;
    const int count = keyboard->GetItemCount();
    std::vector<std::uint8_t> frames(static_cast<std::size_t>(2 * count), 255);
    for (int i = count; i < 2 * count; ++i) frames[static_cast<std::size_t>(i)] = 96;
    keyboard->SetLightModeData(frames.data(), 2 * count);
    keyboard->SetLightSpeed(7);
    Headless::RunFor(50);
  }
  ~Bench() { dialog.DestroyWindow(); }
  bool Ready() const { return keyboard != nullptr && keyboard->GetItemCount() > 100; }
  // One paint after the pacing interval; false when nothing was presented.
  bool Paint() {
    const int before = Headless::PresentCount(hwnd);
    UpdateWindow(hwnd);
    return Headless::PresentCount(hwnd) == before + 1;
  }

  MDialog dialog;
  HWND hwnd = nullptr;
  KeyboardCtrl* keyboard = nullptr;

 private:
  bool Load() {
    XmlDocument xml;
    const std::string path = (SkinLocator::ProgramFolder() / "layouts" / "T40.xml").string();
    if (!xml.LoadFile(path) || !xml.FindSibling(u"device.info") || !xml.Enter() || !xml.FindSibling(u"Keyboard")) {
      return false;
    }
    keyboard->SetKeyboardImage(u"keyboard\\" + xml.Attribute(u"image"));
    keyboard->SetWidthAndHeight(ParseDecimal(xml.Attribute(u"width")), ParseDecimal(xml.Attribute(u"height")));
    if (!xml.Enter() || !xml.FindSibling(u"KeyItems") || !xml.Enter()) return false;
    while (xml.FindSibling(u"key")) {
      const auto code = static_cast<std::uint32_t>(std::stoul(ToUtf8(xml.Attribute(u"code")), nullptr, 16));
      keyboard->AddKeyItem(xml.Attribute(u"name"), xml.Attribute(u"desc"), code, ParseKeyRect(xml.Attribute(u"rect")),
                           u"");
    }
    return true;
  }
};

// What the timer thread spends on a tick: the frame moves on and the changed keys are invalidated.
void AnimationTickAllKeysLit(benchmark::State& state) {
  Bench bench;
  if (!bench.Ready()) return state.SkipWithError("the T40 layout or picture is missing");
  bench.keyboard->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  bench.Paint();
  for (auto _ : state) bench.keyboard->OnTimer();
  state.SetItemsProcessed(state.iterations());
  state.counters["keys"] = bench.keyboard->GetItemCount();
}
BENCHMARK(AnimationTickAllKeysLit)->Unit(benchmark::kMicrosecond);

// A tick and the repaint it asks for: every key's outline redrawn, the keyboard composed and presented.
void AnimationTickWithRepaint(benchmark::State& state) {
  Bench bench;
  if (!bench.Ready()) return state.SkipWithError("the T40 layout or picture is missing");
  bench.keyboard->SetKeyboardCtrlMode(KEYBOARD_MODE_LIGHT);
  for (auto _ : state) {
    state.PauseTiming();
    Headless::AdvanceClock(16);  // past the paint pacing
    state.ResumeTiming();
    bench.keyboard->OnTimer();
    if (!bench.Paint()) return state.SkipWithError("a tick's repaint was not presented");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AnimationTickWithRepaint)->Unit(benchmark::kMicrosecond);

// One key's colour changes in mode 104: only that key is redrawn and presented.
void OneKeyColourRepaint(benchmark::State& state) {
  Bench bench;
  if (!bench.Ready()) return state.SkipWithError("the T40 layout or picture is missing");
  bench.keyboard->SetKeyboardCtrlMode(KEYBOARD_MODE_COLOUR);
  bench.keyboard->SetSelectItem(40);
  bool red = false;
  for (auto _ : state) {
    state.PauseTiming();
    Headless::AdvanceClock(16);
    state.ResumeTiming();
    red = !red;
    bench.keyboard->SetAllSelectColor(red ? GdiColor(0x0000FF) : GdiColor(0xFF0000));
    if (!bench.Paint()) return state.SkipWithError("the key's repaint was not presented");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(OneKeyColourRepaint)->Unit(benchmark::kMicrosecond);

// For comparison: the whole keyboard re-rendered from its picture (a mode change).
void FullKeyboardRepaint(benchmark::State& state) {
  Bench bench;
  if (!bench.Ready()) return state.SkipWithError("the T40 layout or picture is missing");
  for (auto _ : state) {
    state.PauseTiming();
    Headless::AdvanceClock(16);
    state.ResumeTiming();
    bench.keyboard->SetKeyboardCtrlMode(KEYBOARD_MODE_COLOUR);
    if (!bench.Paint()) return state.SkipWithError("the repaint was not presented");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FullKeyboardRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
