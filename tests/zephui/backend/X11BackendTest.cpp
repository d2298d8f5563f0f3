// The X11 backend against a private Xvfb: presenting a drawn surface, XTEST
// clicks and keys arriving as window messages, the clipboard served to and
// read from another client, and a property and a message crossing processes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/RecordingProcedure.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "zephui/Backend.h"
#include "zephui/Clipboard.h"
#include "zephui/Message.h"
#include "zephui/WindowSurface.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kLeft = 100;
constexpr int kTop = 120;
constexpr unsigned long kDrawn = 0x2080E0;  // what the window paints, as the screen's RGB

class X11Backend : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Made before the window system, so it is stopped after the window system closed its connection.
    available_ = XvfbServer::Shared() != nullptr && SelectBackend(BackendKind::X11);
  }

  void SetUp() override {
    if (!available_) GTEST_SKIP() << "Xvfb is not available";
    RegisterWindowClass(u"X11Test", CS_DBLCLKS);
    client_ = XOpenDisplay(nullptr);
    ASSERT_NE(client_, nullptr);
    procedure_.On(WM_PAINT, [](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
      BeginPaint(hwnd);
      WindowSurface surface(hwnd);
      cairo_t* cr = cairo_create(surface.Get());
      cairo_set_source_rgb(cr, 0x20 / 255.0, 0x80 / 255.0, 0xE0 / 255.0);
      cairo_paint(cr);
      cairo_destroy(cr);
      EndPaint(hwnd);
      PresentWindow(hwnd);
      return 0;
    });
    window_ = CreateWindowEx(0, u"X11Test", u"X11 test", WS_POPUP | WS_VISIBLE, kLeft, kTop, 200, 150, nullptr, &procedure_);
    ASSERT_NE(window_, nullptr);
    SetTimer(window_, 99, 20);  // keeps the loop below turning while it waits for the server
    ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_PAINT) > 0 && ScreenPixel(kLeft + 50, kTop + 50) == kDrawn; }));
    // The focus follows once the server reported the window mapped; XTEST keys go where it is.
    ASSERT_TRUE(PumpUntil([this] { return FocusIsOnAClientWindow(); }));
  }

  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    if (client_ != nullptr) XCloseDisplay(client_);
  }

  // Handles messages until `done` holds; gives up after ten seconds of waiting for the server.
  template <typename F>
  bool PumpUntil(F done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (std::chrono::steady_clock::now() < giveUp) {
      if (done()) return true;  // asked once per turn: `done` may consume what it looks for
      if (!PeekMessage(msg)) {
        WaitMessage();
        continue;
      }
      TranslateMessage(msg);
      DispatchMessage(msg);
    }
    return false;
  }

  bool FocusIsOnAClientWindow() {
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(client_, &focused, &revert);
    return focused != None && focused != PointerRoot && focused != DefaultRootWindow(client_);
  }

  unsigned long ScreenPixel(int x, int y) {
    XImage* image = XGetImage(client_, DefaultRootWindow(client_), x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  static bool available_;
  Display* client_ = nullptr;
  RecordingProcedure procedure_;
  HWND window_ = nullptr;
};

bool X11Backend::available_ = false;

TEST_F(X11Backend, AScreenshotShowsWhatTheWindowPresented) {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "zephui-x11";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "screenshot.png").string();
  ASSERT_TRUE(WriteScreenPng(client_, path));

  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const auto pixel = [png](int x, int y) {
    const unsigned char* bytes = cairo_image_surface_get_data(png) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(png);
    return reinterpret_cast<const std::uint32_t*>(bytes)[x] & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(kLeft + 10, kTop + 10), kDrawn);
  EXPECT_EQ(pixel(kLeft + 199, kTop + 149), kDrawn);
  EXPECT_NE(pixel(kLeft - 1, kTop - 1), kDrawn);
  cairo_surface_destroy(png);
}

TEST_F(X11Backend, XTestClicksAndKeysArriveAsWindowMessages) {
  XTestFakeMotionEvent(client_, 0, kLeft + 50, kTop + 40, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_LBUTTONUP) > 0; }));
  const auto down = procedure_.Last(WM_LBUTTONDOWN);
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 50);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 40);

  const KeyCode a = XKeysymToKeycode(client_, XK_a);
  XTestFakeKeyEvent(client_, a, True, CurrentTime);
  XTestFakeKeyEvent(client_, a, False, CurrentTime);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_KEYUP) > 0; }));
  EXPECT_EQ(procedure_.Last(WM_KEYDOWN)->wParam, static_cast<WPARAM>('A'));
  ASSERT_TRUE(procedure_.Last(WM_CHAR).has_value());
  EXPECT_EQ(procedure_.Last(WM_CHAR)->wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(GetFocus(), window_);
}

TEST_F(X11Backend, ThePropertyAndMessagesReachTheWindowFromAnotherClient) {
  ASSERT_TRUE(SetProp(window_, u"Pelmora keyboard T40", 1));
  XSync(client_, False);
  const Atom name = XInternAtom(client_, "Pelmora keyboard T40", False);
  Window found = 0;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XQueryTree(client_, DefaultRootWindow(client_), &root, &parent, &children, &count);
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(client_, children[i], name, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data);
    if (data != nullptr && items == 1 && reinterpret_cast<long*>(data)[0] == 1) found = children[i];
    if (data != nullptr) XFree(data);
  }
  if (children != nullptr) XFree(children);
  ASSERT_NE(found, 0u);

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = found;
  event.xclient.message_type = XInternAtom(client_, "_ZEPHUI_MESSAGE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = WM_USER + 667;
  event.xclient.data.l[3] = 610;
  XSendEvent(client_, found, False, NoEventMask, &event);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_USER + 667) > 0; }));
  EXPECT_EQ(procedure_.Last(WM_USER + 667)->lParam, 610);
}

TEST_F(X11Backend, TheClipboardIsServedToAnotherClientAndReadFromOne) {
  ASSERT_TRUE(SetClipboardText(u"copied \u00e9"));
  const Atom clipboard = XInternAtom(client_, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(client_, "UTF8_STRING", False);
  const Atom into = XInternAtom(client_, "TEST_TRANSFER", False);
  const Window requestor = XCreateSimpleWindow(client_, DefaultRootWindow(client_), 0, 0, 1, 1, 0, 0, 0);
  XConvertSelection(client_, clipboard, utf8, into, requestor, CurrentTime);
  XFlush(client_);
  XEvent reply{};
  ASSERT_TRUE(PumpUntil([&] { return XCheckTypedWindowEvent(client_, requestor, SelectionNotify, &reply) != 0; }));
  ASSERT_EQ(reply.xselection.property, into);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(client_, requestor, into, 0, 1024, True, AnyPropertyType, &type, &format, &items, &after, &data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), items), "copied \xc3\xa9");
  XFree(data);

  // Now the other client owns the clipboard and answers from a thread of its own.
  XSetSelectionOwner(client_, clipboard, requestor, CurrentTime);
  XSync(client_, False);
  std::thread owner([&] {
    XEvent request{};
    while (request.type != SelectionRequest) XNextEvent(client_, &request);
    const std::string text = "from elsewhere";
    XChangeProperty(client_, request.xselectionrequest.requestor, request.xselectionrequest.property, utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.requestor = request.xselectionrequest.requestor;
    notify.xselection.selection = request.xselectionrequest.selection;
    notify.xselection.target = request.xselectionrequest.target;
    notify.xselection.property = request.xselectionrequest.property;
    notify.xselection.time = request.xselectionrequest.time;
    XSendEvent(client_, request.xselectionrequest.requestor, False, 0, &notify);
    XFlush(client_);
  });
  const auto text = GetClipboardText();
  owner.join();
  EXPECT_EQ(text, std::optional<std::u16string>(u"from elsewhere"));
  XDestroyWindow(client_, requestor);
}

TEST_F(X11Backend, KeypadModifiersAndShiftedKeysMapToTheirVirtualKeys) {
  const auto press = [this](KeySym sym, int down) {
    XTestFakeKeyEvent(client_, XKeysymToKeycode(client_, sym), down, CurrentTime);
  };
  press(XK_Shift_L, True);
  press(XK_Tab, True);
  press(XK_Tab, False);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_KEYUP) > 0; }));
  EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
  press(XK_Shift_L, False);
  press(XK_KP_End, True);  // keypad 1 with Num Lock off
  press(XK_KP_End, False);
  press(XK_Alt_L, True);
  press(XK_x, True);
  press(XK_x, False);
  press(XK_Alt_L, False);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_SYSKEYUP) >= 2; }));
  std::vector<std::pair<UINT, WPARAM>> downs;
  for (const Seen& seen : procedure_.All()) {
    if (seen.message == WM_KEYDOWN || seen.message == WM_SYSKEYDOWN) downs.emplace_back(seen.message, seen.wParam);
  }
  const std::vector<std::pair<UINT, WPARAM>> expected{{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_TAB}, {WM_KEYDOWN, VK_END},
                                                      {WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'X'}};
  EXPECT_EQ(downs, expected);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(X11Backend, AnOwnedPopupLosesActivationWhenItsOwnerIsClicked) {
  RecordingProcedure popupProcedure;
  popupProcedure.On(WM_ACTIVATE, [](HWND hwnd, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (LOWORD(wParam) == WA_INACTIVE) PostMessage(hwnd, WM_CLOSE, 0, 0);
    return DefWindowProc(hwnd, WM_ACTIVATE, wParam, lParam);
  });
  const HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW, u"X11Test", u"popup", WS_POPUP | WS_VISIBLE, 600, 500, 100, 80,
                                    window_, &popupProcedure);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetActiveWindow(), popup);
  XTestFakeMotionEvent(client_, 0, kLeft + 20, kTop + 20, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this, popup] { return !IsWindow(popup) && procedure_.Count(WM_LBUTTONUP) > 0; }));
  EXPECT_EQ(GetActiveWindow(), window_);
  // The click itself deactivated the popup: the owner was activated by the press.
  EXPECT_EQ(LOWORD(procedure_.Last(WM_ACTIVATE)->wParam), WA_CLICKACTIVE);
  EXPECT_EQ(procedure_.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(X11Backend, APressOnTheCaptionMovesTheWindowWithoutAWindowManager) {
  procedure_.On(WM_NCHITTEST, [](HWND, WPARAM, LPARAM) { return HTCAPTION; });
  XTestFakeMotionEvent(client_, 0, kLeft + 10, kTop + 10, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([this] { return procedure_.Count(WM_NCLBUTTONDOWN) > 0; }));
  XTestFakeMotionEvent(client_, 0, kLeft + 60, kTop + 40, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
  Rect moved;
  ASSERT_TRUE(PumpUntil([&] { return GetWindowRect(window_, moved) && moved.left == kLeft + 50; }));
  EXPECT_EQ(moved.top, kTop + 30);
  EXPECT_TRUE(PumpUntil([this] { return ScreenPixel(kLeft + 230, kTop + 160) == kDrawn; }));  // where it went
}

}  // namespace
}  // namespace zephuitest
