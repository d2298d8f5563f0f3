// Update rectangles, WM_PAINT, the window surface and what is presented.
#include <cairo.h>

#include <thread>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/WindowSurface.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Painting : public HeadlessFixture {
 protected:
  // Paints the left half opaque red and leaves the right half transparent, then presents.
  void PaintHalfRed(HWND w) {
    Procedure(w).On(WM_PAINT, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
      BeginPaint(hwnd);
      WindowSurface surface(hwnd);
      cairo_t* cr = cairo_create(surface.Get());
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_rgba(cr, 0, 0, 0, 0);
      cairo_paint(cr);
      cairo_set_source_rgb(cr, 1, 0, 0);
      cairo_rectangle(cr, 0, 0, surface.Width() / 2.0, surface.Height());
      cairo_fill(cr);
      cairo_destroy(cr);
      EndPaint(hwnd);
      PresentWindow(hwnd);
      return 0;
    });
  }

  std::vector<Rect> PaintedRects(HWND w) {
    std::vector<Rect> rects;
    Procedure(w).On(WM_PAINT, [&rects](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
      rects.push_back(BeginPaint(hwnd));
      EndPaint(hwnd);
      return 0;
    });
    Headless::Pump();
    return rects;
  }
};

TEST_F(Painting, InvalidationsMergeIntoOnePaintOfTheirUnion) {
  const HWND w = MakeWindow(0, 0, 200, 200);
  Headless::Pump();  // the first paint after showing
  const Rect a{10, 10, 20, 20};
  const Rect b{50, 60, 70, 80};
  InvalidateRect(w, &a);
  InvalidateRect(w, &b);
  Rect update;
  ASSERT_TRUE(GetUpdateRect(w, update));
  EXPECT_EQ(update, (Rect{10, 10, 70, 80}));
  EXPECT_EQ(PaintedRects(w), (std::vector<Rect>{Rect{10, 10, 70, 80}}));
  EXPECT_FALSE(GetUpdateRect(w, update));
}

TEST_F(Painting, WhatAHandlerInvalidatesWhilePaintingComesBackAsANewPaint) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  int paints = 0;
  Procedure(w).On(WM_PAINT, [&paints](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    if (++paints == 1) InvalidateRect(hwnd, nullptr);
    return 0;  // no BeginPaint: the update rectangle is still consumed
  });
  Headless::Pump();
  EXPECT_EQ(paints, 2);
}

TEST_F(Painting, HiddenAndMinimisedWindowsWaitWithTheirPaint) {
  const HWND w = MakeWindow(0, 0, 100, 100, WS_POPUP);
  InvalidateRect(w, nullptr);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), 0);
  ShowWindow(w, SW_MINIMIZE);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), 0);
  ShowWindow(w, SW_RESTORE);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), 1);
}

TEST_F(Painting, UpdateWindowPaintsAtOnce) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  EXPECT_TRUE(UpdateWindow(w));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), 1);
  EXPECT_TRUE(UpdateWindow(w));
  EXPECT_EQ(Procedure(w).Count(WM_PAINT), 1);
}

TEST_F(Painting, AnInvalidationFromAnotherThreadWakesTheWaitingOwner) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  Headless::Pump();
  std::thread other([w] { InvalidateRect(w, nullptr); });
  MSG msg;
  ASSERT_TRUE(GetMessage(msg));
  other.join();
  EXPECT_EQ(msg.message, WM_PAINT);
  EXPECT_EQ(msg.hwnd, w);
}

TEST_F(Painting, APresentedSurfaceIsWrittenAsPng) {
  const HWND w = MakeWindow(0, 0, 40, 20, WS_POPUP | WS_VISIBLE, nullptr, WS_EX_LAYERED);
  PaintHalfRed(w);
  Headless::Pump();
  EXPECT_EQ(Headless::PresentCount(w), 1);
  EXPECT_EQ(Headless::PresentedPixel(w, 5, 5), ArgbColor(0xFFFF0000));
  EXPECT_EQ(Headless::PresentedPixel(w, 35, 5).Alpha(), 0);
  const std::string path = TempPath("window.png");
  ASSERT_TRUE(Headless::WritePng(w, path));
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), 40);
  const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(png) + 5 * cairo_image_surface_get_stride(png));
  EXPECT_EQ(row[5], 0xFFFF0000u);
  EXPECT_EQ(row[35] >> 24, 0u);
  cairo_surface_destroy(png);
}

TEST_F(Painting, AnOrdinaryWindowShowsNoTransparency) {
  const HWND w = MakeWindow(0, 0, 40, 20);
  PaintHalfRed(w);
  Headless::Pump();
  EXPECT_EQ(Headless::PresentedPixel(w, 35, 5), ArgbColor(0xFF000000));
}

TEST_F(Painting, ALayeredWindowAppliesItsColourKeyAndConstantAlpha) {
  const HWND w = MakeWindow(0, 0, 40, 20, WS_POPUP | WS_VISIBLE, nullptr, WS_EX_LAYERED);
  PaintHalfRed(w);
  SetLayeredWindowAttributes(w, GdiColor::FromRgb(255, 0, 0), 255, LWA_COLORKEY);
  Headless::Pump();
  EXPECT_EQ(Headless::PresentedPixel(w, 5, 5).Alpha(), 0);
  SetLayeredWindowAttributes(w, GdiColor{}, 128, LWA_ALPHA);
  InvalidateRect(w, nullptr);
  Headless::Pump();
  EXPECT_EQ(Headless::PresentedPixel(w, 5, 5), ArgbColor::FromArgb(128, 128, 0, 0));
}

TEST_F(Painting, ResizingGivesANewSurfaceOfTheNewSize) {
  const HWND w = MakeWindow(0, 0, 40, 20);
  WindowSurface before(w);
  MoveWindow(w, 0, 0, 60, 30);
  WindowSurface after(w);
  EXPECT_EQ(before.Width(), 40);  // still usable, still the old size
  EXPECT_EQ(after.Width(), 60);
  EXPECT_EQ(after.Height(), 30);
  EXPECT_FALSE(WindowSurface(nullptr).IsValid());
}

}  // namespace
}  // namespace zephuitest
