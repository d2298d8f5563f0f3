// One 1280 × 720 window frame as a skinned page draws it: 300 nine-slice
// pictures from a small skin image and 300 short text runs, composed and
// copied into the window's surface, then presented. Each backend runs in a
// child process of its own (the window system picks its backend once per
// process): headless first, then X11 on a private Xvfb. Compose, present
// and the whole frame are timed apart; the X11 runs also report the server's
// CPU time per frame.
#include <benchmark/benchmark.h>

#include "bench/BenchXvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "zephui/Backend.h"
#include "zephui/Image.h"
#include "zephui/MRender.h"
#include "zephui/Message.h"
#include "zephui/RenderContext.h"
#include "zephui/Window.h"
#include "zephui/WindowSurface.h"

// After the library's headers: Xlib's macros (None, Bool) would break them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

using namespace ZephUI;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kPictures = 300;
constexpr int kTexts = 300;
constexpr int kSkin = 48;
constexpr int kCorner = 8;

// A private Xvfb of the benchmark's screen size.
class Xvfb : public BenchXvfb {
 public:
  Xvfb() : BenchXvfb(1920, 1080) {}
};

// A button-like skin piece: a dark rim, a lighter body with a vertical gradient, translucent corners.
std::unique_ptr<Image> MakeSkin() {
  auto skin = MRender::CreateARGB32Bitmap(kSkin, kSkin);
  std::uint32_t* pixels = skin->Pixels();
  const int stride = skin->Stride() / 4;
  for (int y = 0; y < kSkin; ++y) {
    for (int x = 0; x < kSkin; ++x) {
      const int edge = std::min(std::min(x, y), std::min(kSkin - 1 - x, kSkin - 1 - y));
      const std::uint32_t alpha = edge == 0 ? 0x80 : 0xFF;
      const std::uint32_t shade = edge < 2 ? 0x30 : 0x60 + static_cast<std::uint32_t>(y) * 2;
      const auto premultiplied = [alpha](std::uint32_t v) { return v * alpha / 255; };
      pixels[y * stride + x] = (alpha << 24) | (premultiplied(shade) << 16) | (premultiplied(shade + 0x10) << 8) |
                               premultiplied(shade + 0x30);
    }
  }
  skin->MarkDirty();
  return skin;
}

// Where the pictures and texts go: fixed pseudo-random boxes, so every run draws the same frame.
struct Scene {
  std::vector<Rect> pictures;
  std::vector<Rect> textBoxes;
  std::vector<std::u16string> texts;
};

Scene MakeScene() {
  static const char16_t* const kWords[] = {u"Profile", u"Lighting", u"Macro", u"Key assignment", u"Brightness",
                                           u"Apply", u"Cancel", u"Wave", u"Breathing", u"Reactive", u"Game mode",
                                           u"Polling rate", u"Record", u"Delete", u"Import", u"Export"};
  Scene scene;
  std::uint32_t seed = 12345;
  const auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
  };
  for (int i = 0; i < kPictures; ++i) {
    const int w = 40 + next(200);
    const int h = 24 + next(96);
    const int x = next(kWidth - w);
    const int y = next(kHeight - h);
    scene.pictures.push_back(Rect{x, y, x + w, y + h});
  }
  for (int i = 0; i < kTexts; ++i) {
    const int x = next(kWidth - 160);
    const int y = next(kHeight - 24);
    scene.textBoxes.push_back(Rect{x, y, x + 160, y + 24});
    scene.texts.push_back(std::u16string(kWords[i % 16]) + u" " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
  }
  return scene;
}

// The window, its drawing state and the frame composed into it.
class FrameFixture {
 public:
  FrameFixture() : skin_(MakeSkin()), frame_(Image::Create(kWidth, kHeight)), scene_(MakeScene()) {
    RegisterWindowClass(u"FrameBench", 0);
    hwnd_ = CreateWindowEx(0, u"FrameBench", u"frame", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, &procedure_);
    Pump(std::chrono::milliseconds(300));  // mapped and first paint handled
  }
  ~FrameFixture() { DestroyWindow(hwnd_); }
  FrameFixture(const FrameFixture&) = delete;
  FrameFixture& operator=(const FrameFixture&) = delete;

  HWND Handle() const { return hwnd_; }

  // Draws the scene and copies it into the window surface.
  void Compose() {
    {
      RenderContext context(*frame_);
      MRender::FillSolidRect(context, 0, 0, kWidth, kHeight, GdiColor::FromRgb(0x20, 0x24, 0x28));
      for (const Rect& box : scene_.pictures) {
        MRender::DrawImageFrame(context, *skin_, box, 0, 0, kSkin, kSkin, kCorner);
      }
      for (std::size_t i = 0; i < scene_.texts.size(); ++i) {
        MRender::DrawTextW(context, scene_.textBoxes[i], scene_.texts[i], ArgbColor(0xFFE8ECF0), font_,
                           TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine | TextFormat::EndEllipsis);
      }
    }
    WindowSurface surface(hwnd_);
    const auto* from = reinterpret_cast<const unsigned char*>(frame_->Pixels());
    auto* to = reinterpret_cast<unsigned char*>(surface.Pixels());
    for (int y = 0; y < kHeight; ++y) {
      std::memcpy(to + static_cast<std::ptrdiff_t>(y) * surface.Stride(), from + static_cast<std::ptrdiff_t>(y) * frame_->Stride(), kWidth * 4);
    }
    surface.MarkDirty();
  }

  void Present() { PresentWindow(hwnd_); }

  // Handles what the window system has to do for a while (exposures, completion events).
  static void Pump(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    MSG msg;
    while (std::chrono::steady_clock::now() < end) {
      while (PeekMessage(msg)) DispatchMessage(msg);
      usleep(1000);
    }
  }

 private:
  class Procedure : public WindowProcedure {
   public:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_PAINT) {
        BeginPaint(hwnd);
        EndPaint(hwnd);
        return 0;
      }
      return DefWindowProc(hwnd, message, wParam, lParam);
    }
  };

  std::unique_ptr<Image> skin_;
  std::unique_ptr<Image> frame_;
  Scene scene_;
  ZephUI::Font font_{u"DejaVu Sans", 13};
  Procedure procedure_;
  HWND hwnd_ = nullptr;
};

const Xvfb* server = nullptr;  // set in the X11 child

// Adds the server's CPU time per frame to an X11 run.
class ServerShare {
 public:
  ServerShare() : start_(server != nullptr ? server->CpuSeconds() : 0) {}
  void Report(benchmark::State& state) const {
    if (server == nullptr || state.iterations() == 0) return;
    state.counters["server_ms"] = 1000.0 * (server->CpuSeconds() - start_) / static_cast<double>(state.iterations());
  }

 private:
  double start_;
};

void RunTimed(benchmark::State& state, const std::function<void(FrameFixture&)>& step) {
  FrameFixture fixture;
  if (fixture.Handle() == nullptr) {
    state.SkipWithError("no window");
    return;
  }
  fixture.Compose();
  fixture.Present();
  const ServerShare share;
  for (auto _ : state) step(fixture);
  share.Report(state);
}

void BM_Compose(benchmark::State& state) { RunTimed(state, [](FrameFixture& f) { f.Compose(); }); }
void BM_Present(benchmark::State& state) { RunTimed(state, [](FrameFixture& f) { f.Present(); }); }
void BM_Frame(benchmark::State& state) {
  RunTimed(state, [](FrameFixture& f) {
    f.Compose();
    f.Present();
  });
}

void Register(const std::string& backend) {
  benchmark::RegisterBenchmark((backend + "/compose").c_str(), BM_Compose)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
  benchmark::RegisterBenchmark((backend + "/present").c_str(), BM_Present)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
  benchmark::RegisterBenchmark((backend + "/frame").c_str(), BM_Frame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

// True when the X server shows what the window presented: the frame's background next to the top-left corner.
bool ScreenShowsFrame(const std::string& display) {
  Display* d = XOpenDisplay(display.c_str());
  if (d == nullptr) return false;
  XImage* image = XGetImage(d, DefaultRootWindow(d), 2, 2, 1, 1, AllPlanes, ZPixmap);
  const bool shown = image != nullptr && (XGetPixel(image, 0, 0) & 0xFFFFFF) == 0x202428;
  if (image != nullptr) XDestroyImage(image);
  XCloseDisplay(d);
  return shown;
}

int RunHeadless() {
  if (!SelectBackend(BackendKind::Headless)) return 1;
  Register("headless");
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}

int RunX11() {
  const Xvfb xvfb;
  if (xvfb.Name().empty()) {
    fprintf(stderr, "Xvfb is not available; no X11 figures\n");
    return 1;
  }
  setenv("DISPLAY", xvfb.Name().c_str(), 1);
  if (!SelectBackend(BackendKind::X11)) return 1;
  server = &xvfb;
  {
    FrameFixture check;
    check.Compose();
    check.Present();
    FrameFixture::Pump(std::chrono::milliseconds(200));
    if (!ScreenShowsFrame(xvfb.Name())) fprintf(stderr, "warning: the screen does not show the presented frame\n");
  }
  Register("x11");
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}

// Runs one backend in a child process and waits for it.
int InChild(int (*run)()) {
  fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    const int result = run();
    fflush(stdout);
    _exit(result);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const int headless = InChild(RunHeadless);
  const int x11 = InChild(RunX11);
  benchmark::Shutdown();
  return headless != 0 ? headless : x11;
}
