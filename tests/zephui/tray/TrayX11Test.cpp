// The tray icon on a real display and a private session bus: registered with
// a watcher and driven through it, docked into an XEmbed tray and clicked
// with XTEST when no watcher exists, and nowhere when neither does.
#include <cairo.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "zephui/TrayIcon.h"

namespace zephuitest {
// Named before Xlib's headers turn "None" into a number.
constexpr ZephUI::TrayPresence kNowhere = ZephUI::TrayPresence::None;
}  // namespace zephuitest

#include "tests/zephui/tray/DesktopX11Fixture.h"
#include "tests/zephui/tray/PrivateSessionBus.h"
#include "tests/zephui/tray/TestWatcher.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr UINT kTrayMessage = 1690;
constexpr UINT kTrayId = 109;
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";

// A picture of one colour, written as a PNG; `alpha` below 1 checks that the bus gets straight alpha.
std::string WritePicture(const std::string& name, double r, double g, double b, double alpha) {
  const std::string path = ::testing::TempDir() + name;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 40);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgba(cr, r, g, b, alpha);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  return path;
}

class TrayX11 : public DesktopX11Fixture {
 protected:
  static void SetUpTestSuite() {
    X11Fixture::SetUpTestSuite();
    bus_ = new PrivateSessionBus;
    if (!bus_->Start()) {
      delete bus_;
      bus_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete bus_;
    bus_ = nullptr;
    DesktopX11Fixture::TearDownTestSuite();
  }

  void SetUp() override {
    DesktopX11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (bus_ == nullptr) GTEST_SKIP() << "dbus-daemon is not available";
    setenv("DBUS_SESSION_BUS_ADDRESS", bus_->Address().c_str(), 1);
    owner_ = MakePainted(Rect{20, 20, 120, 120}, 0x303030);
  }

  /// Waits for the owner's tray callback carrying `mouseMessage`.
  bool CallbackArrives(LPARAM mouseMessage) {
    return PumpUntil([&] {
      for (const Seen& seen : Procedure(owner_).All()) {
        if (seen.message == kTrayMessage && seen.wParam == kTrayId && seen.lParam == mouseMessage) return true;
      }
      return false;
    });
  }

  /// Property `name` of the item as a host reads it (a variant to enter); null when it is not there.
  sd_bus_message* ItemProperty(TestWatcher& host, const std::string& item, const char* name) {
    sd_bus_message* call = host.NewCall(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get");
    sd_bus_message_append(call, "ss", kItemInterface, name);
    sd_bus_message* reply = host.Ask(call);
    return reply != nullptr && sd_bus_message_is_method_error(reply, nullptr) ? sd_bus_message_unref(reply) : reply;
  }

  std::string Title(TestWatcher& host, const std::string& item) {
    sd_bus_message* reply = ItemProperty(host, item, "Title");
    const char* value = "<unreadable>";
    if (reply != nullptr && sd_bus_message_read(reply, "v", "s", &value) < 0) value = "<unreadable>";
    std::string copy = value;
    sd_bus_message_unref(reply);
    return copy;
  }

  /// Calls an (x, y) method of the item; whether it answered without error.
  bool CallItem(TestWatcher& host, const std::string& item, const char* method) {
    sd_bus_message* call = host.NewCall(item, "/StatusNotifierItem", kItemInterface, method);
    sd_bus_message_append(call, "ii", 700, 10);
    sd_bus_message* reply = host.Ask(call);
    const bool answered = reply != nullptr && !sd_bus_message_is_method_error(reply, nullptr);
    sd_bus_message_unref(reply);
    return answered;
  }

  static PrivateSessionBus* bus_;
  HWND owner_ = nullptr;
};

PrivateSessionBus* TrayX11::bus_ = nullptr;

// Every rendition must be whole and show the picture's colour with straight (not premultiplied) alpha.
void ExpectPixmapsOf(sd_bus_message* reply, std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  ASSERT_GE(sd_bus_message_enter_container(reply, 'v', "a(iiay)"), 0);
  ASSERT_GE(sd_bus_message_enter_container(reply, 'a', "(iiay)"), 0);
  int renditions = 0;
  while (sd_bus_message_enter_container(reply, 'r', "iiay") > 0) {
    int width = 0;
    int height = 0;
    const void* bytes = nullptr;
    std::size_t size = 0;
    ASSERT_GE(sd_bus_message_read(reply, "ii", &width, &height), 0);
    ASSERT_GE(sd_bus_message_read_array(reply, 'y', &bytes, &size), 0);
    ASSERT_EQ(size, static_cast<std::size_t>(width) * height * 4);
    const auto* centre = static_cast<const std::uint8_t*>(bytes) + (static_cast<std::size_t>(height / 2) * width + width / 2) * 4;
    EXPECT_NEAR(centre[0], a, 1) << width;
    EXPECT_NEAR(centre[1], r, 2) << width;
    EXPECT_NEAR(centre[2], g, 2) << width;
    EXPECT_NEAR(centre[3], b, 2) << width;
    sd_bus_message_exit_container(reply);
    ++renditions;
  }
  EXPECT_GE(renditions, 1);
}

TEST_P(TrayX11, RegistersWithTheWatcherWhichDrivesItThroughTheBus) {
  TestWatcher watcher(WatcherRole::Watcher);
  ASSERT_TRUE(watcher.Ready());
  TrayIcon icon(owner_, kTrayId, kTrayMessage);
  EXPECT_EQ(icon.Add(WritePicture("half-orange.png", 1.0, 0.25, 0.0, 0.5), u"Pelmora keyboard T40"),
            TrayPresence::StatusNotifierItem);
  ASSERT_TRUE(PumpUntil([&] {
    watcher.Process();
    return !watcher.Registered().empty();
  }));
  const std::string item = watcher.Registered().front();
  EXPECT_EQ(item.rfind("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-", 0), 0u) << item;

  sd_bus_message* pixmaps = ItemProperty(watcher, item, "IconPixmap");
  ASSERT_NE(pixmaps, nullptr);
  ExpectPixmapsOf(pixmaps, 0x80, 0xFF, 0x40, 0x00);
  sd_bus_message_unref(pixmaps);
  EXPECT_EQ(Title(watcher, item), "Pelmora keyboard T40");
  icon.SetTip(u"Клавиатура – ready");
  EXPECT_EQ(Title(watcher, item), "Клавиатура – ready");

  EXPECT_TRUE(CallItem(watcher, item, "Activate"));
  EXPECT_TRUE(CallbackArrives(WM_LBUTTONDOWN));
  EXPECT_TRUE(CallItem(watcher, item, "ContextMenu"));
  EXPECT_TRUE(CallbackArrives(WM_RBUTTONUP));
  EXPECT_TRUE(CallItem(watcher, item, "SecondaryActivate"));
  EXPECT_EQ(Procedure(owner_).Count(kTrayMessage), 2);
  EXPECT_EQ(icon.Presence(), TrayPresence::StatusNotifierItem);

  icon.Remove();
  EXPECT_EQ(icon.Presence(), kNowhere);
  EXPECT_FALSE(watcher.HasOwner(item));
}

// The test's tray manager: owns the tray selection of screen 0 and takes docking requests.
class TestTrayManager {
 public:
  explicit TestTrayManager(Display* display) : display_(display) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = 1;
    attributes.background_pixel = 0x303030;
    attributes.event_mask = SubstructureNotifyMask;
    tray_ = XCreateWindow(display_, DefaultRootWindow(display_), 600, 400, 24, 24, 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XMapWindow(display_, tray_);
    XSetSelectionOwner(display_, XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", 0), tray_, CurrentTime);
    XSync(display_, 0);
  }
  ~TestTrayManager() {
    XDestroyWindow(display_, tray_);
    XSync(display_, 0);
  }

  /// Reads what arrived: a docking request swallows its icon window; a destroyed icon is forgotten.
  void Process() {
    const Atom opcode = XInternAtom(display_, "_NET_SYSTEM_TRAY_OPCODE", 0);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == ClientMessage && event.xclient.message_type == opcode && event.xclient.data.l[1] == 0) {
        icon_ = static_cast<Window>(event.xclient.data.l[2]);
        XReparentWindow(display_, icon_, tray_, 0, 0);
        XResizeWindow(display_, icon_, 24, 24);
        XMapWindow(display_, icon_);
        XSync(display_, 0);
      }
      if (event.type == DestroyNotify && event.xdestroywindow.window == icon_) icon_ = 0;
    }
  }
  Window Icon() const { return icon_; }

 private:
  Display* display_;
  Window tray_ = 0;
  Window icon_ = 0;
};

void ClickAt(Display* display, int x, int y, unsigned int button) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display, button, 1, CurrentTime);
  XTestFakeButtonEvent(display, button, 0, CurrentTime);
  XFlush(display);
}

TEST_P(TrayX11, WithoutAWatcherTheIconDocksIntoTheXEmbedTrayAndTakesClicks) {
  TestTrayManager tray(client_);
  TrayIcon icon(owner_, kTrayId, kTrayMessage);
  icon.Add(WritePicture("blue.png", 0x20 / 255.0, 0x40 / 255.0, 0xC0 / 255.0, 1.0), u"Pelmora keyboard T40");
  // The bus answers that nobody watches; the icon moves on to the tray.
  ASSERT_TRUE(PumpUntil([&] {
    tray.Process();
    return icon.Presence() == TrayPresence::XEmbed && tray.Icon() != 0;
  }));
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(612, 412) == 0x2040C0; })) << std::hex << ScreenPixel(612, 412);

  ClickAt(client_, 612, 412, Button1);
  EXPECT_TRUE(CallbackArrives(WM_LBUTTONDOWN));
  ClickAt(client_, 612, 412, Button3);
  EXPECT_TRUE(CallbackArrives(WM_RBUTTONUP));

  icon.Remove();
  EXPECT_TRUE(PumpUntil([&] {
    tray.Process();
    return tray.Icon() == 0;
  }));
  EXPECT_EQ(icon.Presence(), kNowhere);
}

TEST_P(TrayX11, WithNeitherWatcherNorTrayTheIconIsNowhereAndTheWindowCarriesOn) {
  TrayIcon icon(owner_, kTrayId, kTrayMessage);
  // No session bus at all: decided at once.
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zephui-bus", 1);
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(icon.Add(WritePicture("plain.png", 1, 1, 1, 1), u"tip"), kNowhere);
  // A bus without a watcher: decided when the bus answers.
  setenv("DBUS_SESSION_BUS_ADDRESS", bus_->Address().c_str(), 1);
  icon.Add(WritePicture("plain.png", 1, 1, 1, 1), u"tip");
  EXPECT_TRUE(PumpUntil([&] { return icon.Presence() == kNowhere; }));
  icon.SetTip(u"other");
  icon.Remove();
  EXPECT_EQ(icon.Presence(), kNowhere);
  EXPECT_EQ(Procedure(owner_).Count(kTrayMessage), 0);
  EXPECT_TRUE(IsWindow(owner_));
}

INSTANTIATE_TEST_SUITE_P(Desktops, TrayX11, ::testing::Values(Desktop::Bare, Desktop::Openbox), DesktopParamName);

}  // namespace
}  // namespace zephuitest
