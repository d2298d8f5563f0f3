// Presenting window surfaces under X11: through MIT-SHM segments used in
// turn, or through the socket when shared memory is off; exposures are
// answered from the last frame without painting again.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/zephui/backend/X11Fixture.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

// Sizes of the System V shared-memory segments this process created.
std::vector<long> OurSegments() {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // column names
  std::vector<long> sizes;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key = 0, id = 0, perms = 0, size = 0, creator = 0;
    fields >> key >> id >> perms >> size >> creator;
    if (creator == getpid()) sizes.push_back(size);
  }
  return sizes;
}

class X11Present : public X11Fixture {
 protected:
  void Repaint(HWND hwnd, std::uint32_t rgb) {
    SetColour(hwnd, rgb);
    InvalidateRect(hwnd, nullptr);
    UpdateWindow(hwnd);
  }

  // Covers a screen area with another client's black window, then takes it away again.
  void CoverAndUncover(int x, int y) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(client_, DefaultScreen(client_));
    const Window cover = XCreateWindow(client_, DefaultRootWindow(client_), x, y, 60, 60, 0, CopyFromParent, InputOutput,
                                       CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(client_, cover);
    XSync(client_, False);
    EXPECT_EQ(ScreenPixel(x + 30, y + 30), 0u);
    XDestroyWindow(client_, cover);
    XSync(client_, False);
  }
};

TEST_F(X11Present, FramesPresentedBackToBackEndWithTheLastOne) {
  const HWND w = MakePainted(Rect{100, 100, 500, 400}, 0x102030);
  const std::uint32_t colours[] = {0xC00000, 0x00C000, 0x0000C0};
  for (int i = 0; i < 32; ++i) Repaint(w, colours[i % 3]);  // ends on green
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(300, 250) == 0x00C000; }));
  EXPECT_EQ(ScreenPixel(100, 100), 0x00C000u);
  EXPECT_EQ(ScreenPixel(499, 399), 0x00C000u);
}

TEST_F(X11Present, TwoSegmentsFollowTheWindowSizeAndGoWithTheWindow) {
  const HWND w = MakePainted(Rect{100, 100, 300, 250}, 0x405060);
  Repaint(w, 0x506070);
  Repaint(w, 0x607080);
  EXPECT_EQ(OurSegments(), (std::vector<long>{200 * 150 * 4, 200 * 150 * 4}));

  MoveWindow(w, 100, 100, 320, 100);
  Repaint(w, 0x708090);
  Repaint(w, 0x8090A0);
  EXPECT_EQ(OurSegments(), (std::vector<long>{320 * 100 * 4, 320 * 100 * 4}));
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(410, 150) == 0x8090A0; }));

  DestroyWindow(w);
  // The server lets go of a segment when it handles the detach; only then is it gone.
  EXPECT_TRUE(PumpUntil([] { return OurSegments().empty(); }));
}

TEST_F(X11Present, AnExposedWindowIsShownAgainFromItsLastFrameWithoutPainting) {
  const HWND w = MakePainted(Rect{200, 200, 400, 350}, 0x2080E0);
  Repaint(w, 0xE08020);
  ASSERT_TRUE(PumpUntil([this] { return ScreenPixel(300, 300) == 0xE08020; }));
  const int paints = Procedure(w).Count(WM_PAINT);
  CoverAndUncover(270, 270);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(300, 300) == 0xE08020; }));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), paints);
}

TEST_F(X11Present, WithSharedMemoryOffFramesAndExposuresGoThroughTheSocket) {
  setenv("ZEPHUI_X11_SHM", "0", 1);
  const HWND w = MakePainted(Rect{150, 150, 350, 300}, 0x30A030);
  unsetenv("ZEPHUI_X11_SHM");
  Repaint(w, 0xA03030);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(250, 200) == 0xA03030; }));
  EXPECT_TRUE(OurSegments().empty());
  const int paints = Procedure(w).Count(WM_PAINT);
  CoverAndUncover(220, 170);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(250, 200) == 0xA03030; }));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), paints);
}

}  // namespace
}  // namespace zephuitest
