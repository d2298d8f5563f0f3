// The screen light against a real X server: each test process runs its own
// Xvfb, paints a known pattern on the screen and samples it through every
// capture route.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lighting/ScreenImage.h"
#include "lighting/ScreenLight.h"
#include "lighting/X11ScreenCapture.h"
#include "tests/sim/VirtualClock.h"

#include <X11/Xlib.h>  // after the test headers: Xlib defines macros such as None and Bool

extern char** environ;

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kColumns = ScreenLight::kGridWidth;
constexpr int kRows = ScreenLight::kGridHeight;

// An Xvfb child on a display number it picks itself (-displayfd), so parallel
// test processes never collide.
class Xvfb {
 public:
  explicit Xvfb(int depth = 24) { Start(depth); }
  ~Xvfb() { Stop(); }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  bool Running() const { return pid_ > 0 && !name_.empty(); }
  const std::string& Name() const { return name_; }

  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  void Start(int depth) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const std::string size =
        std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x" + std::to_string(depth);
    // -noreset: the server would otherwise reset, clearing the screen, whenever its last client leaves.
    std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-screen", "0", size, "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (pid_ > 0) name_ = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (name_.empty()) Stop();
  }

  // Xvfb writes its display number once it accepts connections; nothing when it could not start.
  static std::string ReadDisplayNumber(int fd) {
    std::string number;
    pollfd readable{fd, POLLIN, 0};
    char c = 0;
    while (poll(&readable, 1, 30000) > 0 && read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number.empty() ? std::string() : ":" + number;
  }

  pid_t pid_ = -1;
  std::string name_;
};

struct Rgb {
  int red;
  int green;
  int blue;
};

// Neighbouring cells differ in every channel's pattern, and no channel mirrors another.
Rgb PatternColour(int row, int column) { return {14 * column + 8, 40 * row + 20, 2 * (column * kRows + row) + 10}; }

// The pixel value of a colour on a true-colour visual with these channel masks.
unsigned long PixelOf(Rgb colour, const Visual& visual) {
  const auto channel = [](int value, unsigned long mask) {
    const int shift = std::countr_zero(mask);
    return ((static_cast<unsigned long>(value) * (mask >> shift) + 127) / 255) << shift;
  };
  return channel(colour.red, visual.red_mask) | channel(colour.green, visual.green_mask) |
         channel(colour.blue, visual.blue_mask);
}

// A client of the test server that paints the screen.
class Painter {
 public:
  explicit Painter(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}
  ~Painter() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  bool Open() const { return display_ != nullptr; }

  void FillRect(int x0, int y0, int x1, int y1, Rgb colour) {
    GC gc = XCreateGC(display_, DefaultRootWindow(display_), 0, nullptr);
    XSetForeground(display_, gc, Pixel(colour));
    XFillRectangle(display_, DefaultRootWindow(display_), gc, x0, y0, static_cast<unsigned>(x1 - x0),
                   static_cast<unsigned>(y1 - y0));
    XFreeGC(display_, gc);
    XSync(display_, False);
  }

  void PaintPattern() {
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        FillRect(column * kScreenWidth / kColumns, row * kScreenHeight / kRows, (column + 1) * kScreenWidth / kColumns,
                 (row + 1) * kScreenHeight / kRows, PatternColour(row, column));
      }
    }
  }

  // A mapped window over the given rectangle, filled by the server with its background colour.
  void ShowWindow(int x0, int y0, int x1, int y1, Rgb colour) {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), x0, y0, static_cast<unsigned>(x1 - x0),
                            static_cast<unsigned>(y1 - y0), 0, 0, Pixel(colour));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display_, window, CWOverrideRedirect, &attributes);
    XMapWindow(display_, window);
    XSync(display_, False);
  }

 private:
  unsigned long Pixel(Rgb colour) const {
    return PixelOf(colour, *DefaultVisual(display_, DefaultScreen(display_)));
  }

  Display* display_;
};

// A cell may take in a sliver of its neighbours.
void ExpectCell(const ScreenLight& light, int row, int column, Rgb expected, int tolerance = 3) {
  const ZephUI::GdiColor actual = light.cellColour(row, column);
  EXPECT_NEAR(actual.Red(), expected.red, tolerance) << "row " << row << " column " << column;
  EXPECT_NEAR(actual.Green(), expected.green, tolerance) << "row " << row << " column " << column;
  EXPECT_NEAR(actual.Blue(), expected.blue, tolerance) << "row " << row << " column " << column;
}

struct Route {
  ScreenServerScaling scaling;
  ScreenSharedMemory sharedMemory;
  ScreenCapturePath expected;
  const char* name;
};

class ScreenX11Capture : public ::testing::TestWithParam<Route> {
 protected:
  static void SetUpTestSuite() { server_ = std::make_unique<Xvfb>(); }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_->Running()) GTEST_SKIP() << "Xvfb is not available";
    painter_ = std::make_unique<Painter>(server_->Name());
    ASSERT_TRUE(painter_->Open());
    painter_->PaintPattern();
    auto capture = std::make_unique<X11ScreenCapture>(server_->Name(), GetParam().scaling, GetParam().sharedMemory);
    capture_ = capture.get();
    light_ = std::make_unique<ScreenLight>(std::move(capture), clock_);
    light_->start(kColumns, kRows);
  }

  static std::unique_ptr<Xvfb> server_;
  std::unique_ptr<Painter> painter_;
  hidsim::VirtualClock clock_;
  X11ScreenCapture* capture_ = nullptr;
  std::unique_ptr<ScreenLight> light_;
};

std::unique_ptr<Xvfb> ScreenX11Capture::server_;

TEST_P(ScreenX11Capture, PaintedScreenMapsOneKeyPerCell) {
  ASSERT_TRUE(light_->sampleOnce());
  EXPECT_EQ(capture_->Path(), GetParam().expected);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) ExpectCell(*light_, row, column, PatternColour(row, column));
  }
}

TEST_P(ScreenX11Capture, WindowsOnTheScreenAreSampled) {
  const Rgb white{255, 255, 255};
  painter_->ShowWindow(3 * kScreenWidth / kColumns, 2 * kScreenHeight / kRows, 4 * kScreenWidth / kColumns,
                       3 * kScreenHeight / kRows, white);
  ASSERT_TRUE(light_->sampleOnce());
  ExpectCell(*light_, 2, 3, white);
  EXPECT_LT(light_->cellColour(2, 4).Red(), 128);  // averaged in at the edge, but the next key stays dark
  ExpectCell(*light_, 1, 3, PatternColour(1, 3));
}

TEST_P(ScreenX11Capture, LaterSamplesFollowTheScreen) {
  ASSERT_TRUE(light_->sampleOnce());
  const Rgb orange{250, 120, 0};
  painter_->FillRect(0, 0, kScreenWidth, kScreenHeight, orange);
  ASSERT_TRUE(light_->sampleOnce());
  ExpectCell(*light_, 0, 0, orange);
  ExpectCell(*light_, 5, 17, orange);
}

INSTANTIATE_TEST_SUITE_P(
    Routes, ScreenX11Capture,
    ::testing::Values(
        Route{ScreenServerScaling::WhenAvailable, ScreenSharedMemory::WhenAvailable,
              ScreenCapturePath::ServerScaledSharedImage, "ServerScaledShared"},
        Route{ScreenServerScaling::WhenAvailable, ScreenSharedMemory::Never, ScreenCapturePath::ServerScaledImage,
              "ServerScaledPlain"},
        Route{ScreenServerScaling::Never, ScreenSharedMemory::WhenAvailable, ScreenCapturePath::FullSharedImage,
              "FullShared"},
        Route{ScreenServerScaling::Never, ScreenSharedMemory::Never, ScreenCapturePath::FullImage, "FullPlain"}),
    [](const ::testing::TestParamInfo<Route>& route) { return std::string(route.param.name); });

// A 16-bit screen: pixels are converted through the visual's channel masks.
TEST(ScreenX11CaptureDepth16, PaintedScreenMapsOneKeyPerCellOnEveryRoute) {
  Xvfb server(16);
  if (!server.Running()) GTEST_SKIP() << "Xvfb is not available";
  Painter painter(server.Name());
  ASSERT_TRUE(painter.Open());
  painter.PaintPattern();
  const std::pair<ScreenServerScaling, ScreenSharedMemory> routes[] = {
      {ScreenServerScaling::WhenAvailable, ScreenSharedMemory::WhenAvailable},
      {ScreenServerScaling::Never, ScreenSharedMemory::WhenAvailable},
      {ScreenServerScaling::Never, ScreenSharedMemory::Never}};
  for (const auto& [scaling, sharedMemory] : routes) {
    hidsim::VirtualClock clock;
    ScreenLight light(std::make_unique<X11ScreenCapture>(server.Name(), scaling, sharedMemory), clock);
    light.start(kColumns, kRows);
    ASSERT_TRUE(light.sampleOnce());
    for (int row = 0; row < kRows; ++row) {
      for (int column = 0; column < kColumns; ++column) {
        ExpectCell(light, row, column, PatternColour(row, column), 8);  // 5 and 6 bits a channel
      }
    }
  }
}

// The X server going away must end in a failed grab, never in Xlib ending the process.
TEST(ScreenX11CaptureLostServer, GrabFailsOnceTheServerIsGone) {
  Xvfb first;
  if (!first.Running()) GTEST_SKIP() << "Xvfb is not available";
  X11ScreenCapture capture(first.Name());
  ScreenImage image(ScreenLight::kScreenWidth, ScreenLight::kScreenHeight);
  ASSERT_TRUE(capture.Grab(image));
  first.Stop();
  EXPECT_FALSE(capture.Grab(image));
  EXPECT_FALSE(capture.Grab(image));
  EXPECT_EQ(capture.Path(), ScreenCapturePath::NotGrabbed);
}

}  // namespace
