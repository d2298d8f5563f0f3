#include "tests/zephui/backend/X11Fixture.h"

#include <cairo.h>

#include "tests/zephui/backend/XvfbServer.h"
#include "zephui/Backend.h"
#include "zephui/WindowSurface.h"

#include <X11/Xutil.h>

using namespace ZephUI;

namespace zephuitest {

bool X11Fixture::available_ = false;

void X11Fixture::SetUpTestSuite() {
  available_ = XvfbServer::Shared() != nullptr && SelectBackend(BackendKind::X11);
}

void X11Fixture::SetUp() {
  if (!available_) GTEST_SKIP() << "Xvfb is not available";
  RegisterWindowClass(u"X11Fixture", 0);
  client_ = XOpenDisplay(nullptr);
  ASSERT_NE(client_, nullptr);
  ticker_ = CreateWindowEx(0, u"X11Fixture", u"", WS_POPUP, 0, 0, 1, 1, nullptr, &tickerProcedure_);
  ASSERT_NE(ticker_, nullptr);
  SetTimer(ticker_, 1, 20);
}

void X11Fixture::TearDown() {
  for (const auto& painted : windows_) DestroyWindow(painted->hwnd);
  windows_.clear();
  if (ticker_ != nullptr) DestroyWindow(ticker_);
  if (client_ != nullptr) XCloseDisplay(client_);
}

HWND X11Fixture::MakePainted(const Rect& rect, std::uint32_t rgb, std::uint32_t exStyle) {
  auto painted = std::make_unique<Painted>();
  painted->rgb = rgb;
  painted->procedure = std::make_unique<RecordingProcedure>();
  Painted* self = painted.get();
  painted->procedure->On(WM_PAINT, [self](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    BeginPaint(hwnd);
    WindowSurface surface(hwnd);
    cairo_t* cr = cairo_create(surface.Get());
    cairo_set_source_rgb(cr, ((self->rgb >> 16) & 0xFF) / 255.0, ((self->rgb >> 8) & 0xFF) / 255.0, (self->rgb & 0xFF) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    EndPaint(hwnd);
    PresentWindow(hwnd);
    return 0;
  });
  painted->hwnd = CreateWindowEx(exStyle | WS_EX_TOOLWINDOW, u"X11Fixture", u"", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                                 rect.Width(), rect.Height(), nullptr, painted->procedure.get());
  const HWND hwnd = painted->hwnd;
  if (hwnd == nullptr) return nullptr;
  windows_.push_back(std::move(painted));
  const int x = rect.left + rect.Width() / 2;
  const int y = rect.top + rect.Height() / 2;
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(x, y) == rgb; }));
  return hwnd;
}

void X11Fixture::SetColour(HWND hwnd, std::uint32_t rgb) {
  for (const auto& painted : windows_) {
    if (painted->hwnd == hwnd) painted->rgb = rgb;
  }
}

RecordingProcedure& X11Fixture::Procedure(HWND hwnd) {
  for (const auto& painted : windows_) {
    if (painted->hwnd == hwnd) return *painted->procedure;
  }
  ADD_FAILURE() << "no such test window";
  static RecordingProcedure none;
  return none;
}

std::uint32_t X11Fixture::ScreenPixel(int x, int y) {
  XImage* image = XGetImage(client_, DefaultRootWindow(client_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0xFFFFFFFFu;
  const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
  XDestroyImage(image);
  return pixel;
}

}  // namespace zephuitest
