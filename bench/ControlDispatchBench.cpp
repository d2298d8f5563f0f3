// The paint manager on a dialog-like window of 300 controls, headless: hit
// testing and dispatching mouse moves through the window procedure, and one
// full repaint composed and presented.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "zephui/Backend.h"
#include "zephui/Headless.h"
#include "zephui/MControlFont.h"
#include "zephui/MPanel.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/MObject.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"
#include "zephui/Window.h"

namespace {

using namespace ZephUI;

constexpr int kWidth = 900;
constexpr int kHeight = 640;
constexpr int kMovesPerIteration = 10000;

// A button-like control: a fill, a frame and a centred title; it takes every move.
class BenchButton : public MControlFont {
 public:
  BenchButton(MObject* parent, std::uint32_t id, const Rect& rect)
      : MControlFont(parent, id, rect, u"Item " + DecimalText(id), true, true, true) {
    SetAlignment(1, 4);
  }
  void DrawControl(RenderContext& hdc, const Rect&) override {
    MRender::DrawColor(hdc, GetRect(), ArgbColor(hover_ ? 0xFF3A4A5A : 0xFF26303A));
    MRender::DrawRectangle(hdc, GetRect(), ArgbColor(0xFF10A8FD));
    MRender::DrawTextW(hdc, GetRect(), title_, textColour_, GetGDIFont(), GetTextFormat(false));
  }
  int OnControlMouseMove(std::uint32_t, Point point) override {
    const bool inside = PtInRect(point);
    if (inside != hover_) {
      hover_ = inside;
      UpdateControl(CacheReset::Keep);
    }
    return inside ? 1 : 0;
  }

 private:
  bool hover_ = false;
};

class BenchPanel : public MPanel {
 public:
  BenchPanel(MObject* parent, std::uint32_t id, const Rect& rect) : MPanel(parent, id, rect, true) {}
  void DrawControl(RenderContext& hdc, const Rect&) override {
    MRender::DrawColor(hdc, GetRect(), ArgbColor(0xFF151B22));
  }
};

class Face : public MObject {
 public:
  explicit Face(PaintManager& manager) : manager_(manager) {}
  LRESULT OnControlUpdate(const Rect& rect, CacheReset reset, MControl* control) override {
    return manager_.OnControlUpdate(rect, reset, control);
  }

 private:
  PaintManager& manager_;
};

// The window: every message to the paint manager, then the default procedure.
class Dialog : public WindowProcedure {
 public:
  Dialog() : manager(nullptr), face(manager) {
    RegisterWindowClass(u"BenchDialog", CS_DBLCLKS);
    hwnd = CreateWindowEx(0, u"BenchDialog", u"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, this);
    manager.Init(hwnd, nullptr);
    Populate();
  }
  ~Dialog() override { DestroyWindow(hwnd); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    PaintManager::DispatchScope scope(&manager);
    const LRESULT result = manager.OnWindowMessage(message, wParam, lParam);
    return result != 0 ? result : DefWindowProc(window, message, wParam, lParam);
  }

  PaintManager manager;
  Face face;
  HWND hwnd = nullptr;

 private:
  // Ten panels of 25 buttons on the left, 50 buttons in a grid on the right: 300 controls.
  void Populate() {
    std::uint32_t id = 100;
    for (int p = 0; p < 10; ++p) {
      const Rect area{10 + (p % 2) * 260, 10 + (p / 2) * 124, 260 + (p % 2) * 260, 130 + (p / 2) * 124};
      auto* panel = static_cast<BenchPanel*>(manager.AddControl(std::make_unique<BenchPanel>(&face, id++, area), 1));
      for (int b = 0; b < 24; ++b) {
        const int x = area.left + 4 + (b % 6) * 40;
        const int y = area.top + 4 + (b / 6) * 28;
        panel->AddChild(std::make_unique<BenchButton>(panel, id++, Rect{x, y, x + 38, y + 26}), 1);
      }
    }
    for (int b = 0; b < 50; ++b) {
      const int x = 540 + (b % 5) * 70;
      const int y = 10 + (b / 5) * 62;
      manager.AddControl(std::make_unique<BenchButton>(&face, id++, Rect{x, y, x + 66, y + 58}), 1);
    }
  }
};

void SetUpHeadless() {
  SelectBackend(BackendKind::Headless);
  Headless::Reset();
}

void HitTestAndDispatchMouseMoves(benchmark::State& state) {
  SetUpHeadless();
  Dialog dialog;
  Headless::Pump();
  int step = 0;
  for (auto _ : state) {
    for (int i = 0; i < kMovesPerIteration; ++i, ++step) {
      const int x = (step * 37) % kWidth;
      const int y = (step * 53) % kHeight;
      SendMessage(dialog.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    state.PauseTiming();
    ValidateRect(dialog.hwnd, nullptr);  // the hover repaints are not what is measured here
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kMovesPerIteration);
  state.counters["controls"] = static_cast<double>(dialog.manager.GetControls().size() + 10 * 24);
}
BENCHMARK(HitTestAndDispatchMouseMoves)->Unit(benchmark::kMillisecond);

void FullRepaint(benchmark::State& state) {
  SetUpHeadless();
  Dialog dialog;
  Headless::Pump();
  const int presentedBefore = Headless::PresentCount(dialog.hwnd);
  for (auto _ : state) {
    state.PauseTiming();
    Headless::AdvanceClock(16);  // past the pacing interval
    InvalidateRect(dialog.hwnd, nullptr);
    state.ResumeTiming();
    UpdateWindow(dialog.hwnd);
  }
  if (Headless::PresentCount(dialog.hwnd) - presentedBefore != static_cast<int>(state.iterations())) {
    state.SkipWithError("a repaint was not presented");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
