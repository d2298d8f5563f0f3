// Presenting window surfaces under X11: through MIT-SHM segments used in
// turn, or through the socket when shared memory is off; partial frames keep
// both segments whole; exposures are answered from the last frame without
// painting again.
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>

#include "tests/zephui/backend/X11Fixture.h"
#include "zephui/WindowSurface.h"

#include <X11/Xutil.h>

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

  // Blackens the top-level window at a screen point and asks its client to show it again, as an
  // exposure does (the server keeps what covered windows showed, so covering them is not enough).
  void BlackenAndExpose(int x, int y) {
    const Window root = DefaultRootWindow(client_);
    Window window = 0;
    int wx = 0, wy = 0;
    XTranslateCoordinates(client_, root, root, x, y, &wx, &wy, &window);
    XSetWindowBackground(client_, window, BlackPixel(client_, DefaultScreen(client_)));
    XClearArea(client_, window, 0, 0, 0, 0, True);
    XSync(client_, False);
  }

  // Paints part of a window's surface and presents only that part.
  static void PresentPart(HWND hwnd, const Rect& part, std::uint32_t rgb) {
    WindowSurface surface(hwnd);
    cairo_t* cr = cairo_create(surface.Get());
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_rectangle(cr, part.left, part.top, part.Width(), part.Height());
    cairo_fill(cr);
    cairo_destroy(cr);
    PresentWindow(hwnd, part);
  }

  // The screen's RGB over a rectangle, row by row.
  std::vector<std::uint32_t> ScreenPixels(const Rect& area) {
    XSync(client_, False);
    XImage* image = XGetImage(client_, DefaultRootWindow(client_), area.left, area.top, static_cast<unsigned>(area.Width()),
                              static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
    std::vector<std::uint32_t> pixels;
    if (image == nullptr) return pixels;
    for (int y = 0; y < area.Height(); ++y) {
      for (int x = 0; x < area.Width(); ++x) pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    }
    XDestroyImage(image);
    return pixels;
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

// Each present copies only its part into the segment it uses, so a segment that missed the
// parts presented through the other one would show them stale when it answers an exposure.
TEST_F(X11Present, PartialFramesTakingTurnsInTheSegmentsAddUpToTheWholePicture) {
  const Rect frame{100, 100, 400, 300};
  const HWND w = MakePainted(frame, 0x204060);
  Repaint(w, 0x306080);
  const std::uint32_t colours[] = {0xC02020, 0x20C020, 0x2020C0, 0xC0C020, 0x20C0C0};
  for (int i = 0; i < 5; ++i) {
    PresentPart(w, Rect{20 + i * 40, 30 + i * 25, 80 + i * 40, 90 + i * 25}, colours[i]);  // each overlaps the last
  }
  const int paints = Procedure(w).Count(WM_PAINT);
  BlackenAndExpose(frame.left + 1, frame.top + 1);
  std::vector<std::uint32_t> exposed;
  const auto noBlack = [](const std::vector<std::uint32_t>& p) { return std::find(p.begin(), p.end(), 0u) == p.end(); };
  ASSERT_TRUE(PumpUntil([&] { return noBlack(exposed = ScreenPixels(frame)); }));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), paints) << "the exposure was answered by painting, not from the segment";

  // A whole present shows the surface as it is.
  WindowSurface surface(w);
  std::vector<std::uint32_t> whole;
  for (int y = 0; y < frame.Height(); ++y) {
    const std::uint32_t* row = surface.Pixels() + static_cast<std::ptrdiff_t>(y) * surface.Stride() / 4;
    for (int x = 0; x < frame.Width(); ++x) whole.push_back(row[x] & 0xFFFFFF);
  }
  EXPECT_EQ(whole[static_cast<std::size_t>(85 * frame.Width() + 25)], colours[0]);
  EXPECT_EQ(whole[static_cast<std::size_t>(185 * frame.Width() + 225)], colours[4]);
  const auto differing = std::inner_product(exposed.begin(), exposed.end(), whole.begin(), 0, std::plus<>(),
                                            std::not_equal_to<>());
  EXPECT_EQ(differing, 0) << "pixels the exposure showed stale";
}

// A hidden window keeps no segments; shown again it is painted whole and its new segments take
// partial frames and exposures as before.
TEST_F(X11Present, AHiddenWindowGivesBackItsSegmentsAndIsShownWholeAgain) {
  const Rect frame{120, 120, 360, 300};
  const HWND w = MakePainted(frame, 0x3060A0);
  Repaint(w, 0x60A030);
  ASSERT_EQ(OurSegments().size(), 2u);
  ShowWindow(w, SW_HIDE);
  EXPECT_TRUE(PumpUntil([] { return OurSegments().empty(); }));

  SetColour(w, 0xA03060);  // nothing asks for a paint: showing the window must
  ShowWindow(w, SW_SHOWNA);
  const auto all = [](const std::vector<std::uint32_t>& p, std::uint32_t rgb) {
    return !p.empty() && std::all_of(p.begin(), p.end(), [rgb](std::uint32_t q) { return q == rgb; });
  };
  EXPECT_TRUE(PumpUntil([&] { return all(ScreenPixels(frame), 0xA03060); }));
  PresentPart(w, Rect{10, 10, 50, 50}, 0x20C0C0);
  PresentPart(w, Rect{100, 60, 140, 100}, 0xC0C020);
  const int paints = Procedure(w).Count(WM_PAINT);
  BlackenAndExpose(frame.left + 200, frame.top + 150);
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(frame.left + 200, frame.top + 150) == 0xA03060; }));
  EXPECT_TRUE(all(ScreenPixels(Rect{frame.left + 10, frame.top + 10, frame.left + 50, frame.top + 50}), 0x20C0C0));
  EXPECT_TRUE(all(ScreenPixels(Rect{frame.left + 100, frame.top + 60, frame.left + 140, frame.top + 100}), 0xC0C020));
  EXPECT_TRUE(all(ScreenPixels(Rect{frame.left + 150, frame.top, frame.right, frame.bottom}), 0xA03060));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), paints);
}

// A window that stopped changing keeps only the segment it shows from; the next frame, though
// partial, fills a new segment whole.
TEST_F(X11Present, ASettledWindowKeepsOneSegmentAndItsNextFrameFillsANewOneWhole) {
  const Rect frame{140, 140, 340, 290};
  const HWND w = MakePainted(frame, 0x4080C0);
  Repaint(w, 0xC08040);
  ASSERT_EQ(OurSegments().size(), 2u);
  ReleaseSpareWindowImages(w);
  EXPECT_TRUE(PumpUntil([] { return OurSegments().size() == 1; }));
  const int paints = Procedure(w).Count(WM_PAINT);
  BlackenAndExpose(frame.left + 100, frame.top + 75);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(240, 215) == 0xC08040; }));

  PresentPart(w, Rect{20, 20, 60, 60}, 0x40C080);
  EXPECT_EQ(OurSegments().size(), 2u);
  BlackenAndExpose(frame.left + 100, frame.top + 75);
  ASSERT_TRUE(PumpUntil([this] { return ScreenPixel(240, 215) == 0xC08040; }));
  const std::vector<std::uint32_t> shown = ScreenPixels(frame);
  const auto count = [&shown](std::uint32_t rgb) { return std::count(shown.begin(), shown.end(), rgb); };
  EXPECT_EQ(count(0x40C080), 40 * 40);
  EXPECT_EQ(count(0xC08040), frame.Width() * frame.Height() - 40 * 40);
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
