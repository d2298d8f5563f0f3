// Screen light costs at 1920 × 1080 on a private Xvfb: one grab by each route
// (XRender shrink or the whole screen, MIT-SHM or XGetImage), one whole sample,
// and the share of a core that paced sampling takes, ours and the X server's.
#include <benchmark/benchmark.h>

#include "bench/BenchXvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/Clock.h"
#include "lighting/ScreenImage.h"
#include "lighting/ScreenLight.h"
#include "lighting/X11ScreenCapture.h"

extern char** environ;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Route {
  ScreenServerScaling scaling;
  ScreenSharedMemory sharedMemory;
  const char* name;
};

const Route kRoutes[] = {
    {ScreenServerScaling::WhenAvailable, ScreenSharedMemory::WhenAvailable, "xrender+shm"},
    {ScreenServerScaling::WhenAvailable, ScreenSharedMemory::Never, "xrender"},
    {ScreenServerScaling::Never, ScreenSharedMemory::WhenAvailable, "full+shm"},
    {ScreenServerScaling::Never, ScreenSharedMemory::Never, "full"},
};

// A private Xvfb of the benchmark's screen size.
class Xvfb : public BenchXvfb {
 public:
  Xvfb() : BenchXvfb(kWidth, kHeight) {}
};

// Something like a desktop: many differently coloured areas.
void PaintDesktop(const std::string& name) {
  Display* display = XOpenDisplay(name.c_str());
  if (display == nullptr) return;
  GC gc = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
  for (int y = 0; y < kHeight; y += 40) {
    for (int x = 0; x < kWidth; x += 64) {
      XSetForeground(display, gc, static_cast<unsigned long>((x * 7919 + y * 104729) & 0xFFFFFF));
      XFillRectangle(display, DefaultRootWindow(display), gc, x, y, 64, 40);
    }
  }
  XFreeGC(display, gc);
  XSync(display, False);
  XCloseDisplay(display);
}

Xvfb& Server() {
  static Xvfb server;
  static const bool painted = (PaintDesktop(server.Name()), true);
  (void)painted;
  return server;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Records our, the server's and both together's share of one core over the measured span.
class CpuShare {
 public:
  explicit CpuShare(const Xvfb& server)
      : server_(server), wall_(WallSeconds()), ours_(ProcessCpuSeconds()), theirs_(server.CpuSeconds()) {}

  void Report(benchmark::State& state, std::int64_t samples) const {
    const double wall = WallSeconds() - wall_;
    const double ours = ProcessCpuSeconds() - ours_;
    const double theirs = server_.CpuSeconds() - theirs_;
    state.counters["client_core_pct"] = 100.0 * ours / wall;
    state.counters["server_core_pct"] = 100.0 * theirs / wall;
    state.counters["total_core_pct"] = 100.0 * (ours + theirs) / wall;
    state.counters["server_ms_per_sample"] = 1000.0 * theirs / static_cast<double>(samples);
    state.counters["samples_per_s"] = static_cast<double>(samples) / wall;
  }

 private:
  const Xvfb& server_;
  double wall_;
  double ours_;
  double theirs_;
};

// One grab into the 480 × 270 picture, back to back: the cost of each route.
void BM_ScreenGrab(benchmark::State& state) {
  const Route& route = kRoutes[state.range(0)];
  state.SetLabel(route.name);
  Xvfb& server = Server();
  if (server.Name().empty()) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  X11ScreenCapture capture(server.Name(), route.scaling, route.sharedMemory);
  ScreenImage image(ScreenLight::kScreenWidth, ScreenLight::kScreenHeight);
  if (!capture.Grab(image)) {
    state.SkipWithError("grab failed");
    return;
  }
  const CpuShare share(server);
  std::int64_t samples = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(capture.Grab(image));
    ++samples;
  }
  share.Report(state, samples);
}
BENCHMARK(BM_ScreenGrab)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// One whole sample as the thread takes it: grab, shrink to 18 × 6, store the cells.
void BM_ScreenSample(benchmark::State& state) {
  Xvfb& server = Server();
  if (server.Name().empty()) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  ScreenLight light(std::make_unique<X11ScreenCapture>(server.Name()), SteadyClock::Instance());
  light.start(ScreenLight::kMaxColumns, ScreenLight::kMaxRows);
  for (auto _ : state) benchmark::DoNotOptimize(light.sampleOnce());
  light.stop();
}
BENCHMARK(BM_ScreenSample)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Counts the thread's grabs.
class CountingCapture : public ScreenCapture {
 public:
  explicit CountingCapture(std::unique_ptr<ScreenCapture> inner) : inner_(std::move(inner)) {}
  bool Grab(ScreenImage& image) override {
    ++grabs_;
    return inner_->Grab(image);
  }
  std::int64_t Grabs() const { return grabs_; }

 private:
  std::unique_ptr<ScreenCapture> inner_;
  std::atomic<std::int64_t> grabs_{0};
};

// The sampling thread left running for five seconds: the share of a core it takes with its pacing.
void BM_PacedSampling(benchmark::State& state) {
  const Route& route = kRoutes[state.range(0)];
  state.SetLabel(route.name);
  Xvfb& server = Server();
  if (server.Name().empty()) {
    state.SkipWithError("Xvfb is not available");
    return;
  }
  for (auto _ : state) {
    auto counting = std::make_unique<CountingCapture>(
        std::make_unique<X11ScreenCapture>(server.Name(), route.scaling, route.sharedMemory));
    CountingCapture* capture = counting.get();
    ScreenLight light(std::move(counting), SteadyClock::Instance());
    light.start(ScreenLight::kMaxColumns, ScreenLight::kMaxRows);
    light.setActive(ScreenSampling::On);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // connected and settled
    const std::int64_t before = capture->Grabs();
    const CpuShare share(server);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    share.Report(state, capture->Grabs() - before);
    light.stop();
  }
}
BENCHMARK(BM_PacedSampling)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
