#include "tests/zephui/desktop/DesktopFixture.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "tests/zephui/windows/SampleFactory.h"
#include "zephui/Backend.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kSquare = 8;
constexpr std::uint32_t kPatternA = 0x40A040;
constexpr std::uint32_t kPatternB = 0xC0C040;
constexpr std::uintptr_t kTickTimer = 1;
int probeNumber = 0;

}  // namespace

Display* DesktopFixture::client_ = nullptr;
std::unique_ptr<DesktopSession> DesktopFixture::session_;
bool DesktopFixture::available_ = false;

std::string DesktopParamName(const ::testing::TestParamInfo<Desktop>& info) { return DesktopName(info.param); }

void DesktopFixture::SetUpTestSuite() {
  if (client_ != nullptr) return;
  available_ = XvfbServer::Shared() != nullptr && SelectBackend(BackendKind::X11);
  if (!available_) return;
  client_ = XOpenDisplay(nullptr);
  session_ = std::make_unique<DesktopSession>(client_);
  // Registered after the shared server started, so this runs before the server goes:
  // stopping the window manager still talks to the display.
  std::atexit([] {
    session_.reset();
    XCloseDisplay(client_);
    client_ = nullptr;
  });
}

void DesktopFixture::SetUp() {
  if (!available_ || client_ == nullptr) GTEST_SKIP() << "Xvfb is not available";
  RegisterSampleControls();
  ASSERT_TRUE(session_->Switch(GetParam())) << "cannot start " << DesktopName(GetParam());
  PatternRoot();
  RegisterWindowClass(u"DesktopTicker", 0);
  ticker_ = CreateWindowEx(0, u"DesktopTicker", u"", WS_POPUP, 0, 0, 1, 1, nullptr, &tickerProcedure_);
  ASSERT_NE(ticker_, nullptr);
  SetTimer(ticker_, kTickTimer, 20);
}

void DesktopFixture::TearDown() {
  if (ticker_ != nullptr) DestroyWindow(ticker_);
  if (client_ != nullptr) XSync(client_, 0);
}

void DesktopFixture::Settle(int milliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
}

// A pixmap background the server draws without a compositor, named in _XROOTPMAP_ID for one.
void DesktopFixture::PatternRoot() {
  const Window root = DefaultRootWindow(client_);
  const int screen = DefaultScreen(client_);
  const unsigned width = static_cast<unsigned>(DisplayWidth(client_, screen));
  const unsigned height = static_cast<unsigned>(DisplayHeight(client_, screen));
  static Pixmap pixmap = 0;
  if (pixmap == 0) {
    pixmap = XCreatePixmap(client_, root, width, height, static_cast<unsigned>(DefaultDepth(client_, screen)));
    GC gc = XCreateGC(client_, pixmap, 0, nullptr);
    for (unsigned y = 0; y < height; y += kSquare) {
      for (unsigned x = 0; x < width; x += kSquare) {
        XSetForeground(client_, gc, PatternAt(static_cast<int>(x), static_cast<int>(y)));
        XFillRectangle(client_, pixmap, gc, static_cast<int>(x), static_cast<int>(y), kSquare, kSquare);
      }
    }
    XFreeGC(client_, gc);
  }
  XSetWindowBackgroundPixmap(client_, root, pixmap);
  const Atom rootPixmap = XInternAtom(client_, "_XROOTPMAP_ID", 0);
  XChangeProperty(client_, root, rootPixmap, XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pixmap), 1);
  XClearWindow(client_, root);
  XSync(client_, 0);
}

std::uint32_t DesktopFixture::PatternAt(int x, int y) { return ((x / kSquare + y / kSquare) % 2) == 0 ? kPatternA : kPatternB; }

XWindow DesktopFixture::XWindowOf(HWND hwnd) {
  const std::u16string name = u"_ZEPHUI_DESKTOP_PROBE_" + std::u16string(1, static_cast<char16_t>(u'A' + probeNumber++ % 26));
  SetProp(hwnd, name, 1);
  const Atom atom = XInternAtom(client_, std::string(name.begin(), name.end()).c_str(), 0);
  Window found = 0;
  PumpUntil([&] {
    XSync(client_, 0);
    for (Window top : RootChildren()) {
      Window root = 0, parent = 0;
      Window* children = nullptr;
      unsigned int count = 0;
      XQueryTree(client_, top, &root, &parent, &children, &count);
      std::vector<Window> candidates{top};
      candidates.insert(candidates.end(), children, children + count);
      if (children != nullptr) XFree(children);
      for (Window w : candidates) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(client_, w, atom, 0, 1, 0, AnyPropertyType, &type, &format, &items, &remaining, &data);
        if (data != nullptr) XFree(data);
        if (type != None) found = w;
      }
    }
    return found != 0;
  });
  RemoveProp(hwnd, name);
  return found;
}

XWindow DesktopFixture::FrameOf(XWindow window) {
  Window current = window;
  for (;;) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(client_, current, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    if (parent == root) return current;
    current = parent;
  }
}

std::vector<XWindow> DesktopFixture::RootChildren() {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XQueryTree(client_, DefaultRootWindow(client_), &root, &parent, &children, &count);
  std::vector<Window> all(children, children + count);
  if (children != nullptr) XFree(children);
  return all;
}

bool DesktopFixture::Viewable(XWindow window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(client_, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

std::uint32_t DesktopFixture::ScreenPixel(int x, int y) {
  XImage* image = XGetImage(client_, DefaultRootWindow(client_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0xFFFFFFFFu;
  const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
  XDestroyImage(image);
  return pixel;
}

void DesktopFixture::Click(int x, int y) {
  XTestFakeMotionEvent(client_, 0, x, y, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
}

void DesktopFixture::Screenshot(const std::string& name) {
  const std::filesystem::path path = std::filesystem::current_path() / ("desktop_" + name + "_" + DesktopName(GetParam()) + ".png");
  EXPECT_TRUE(WriteScreenPng(client_, path));
}

}  // namespace zephuitest
