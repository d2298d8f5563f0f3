// The main window in the tray on the private Xvfb with a private session bus
// and the test's own StatusNotifierWatcher: the close button hides the window
// (its X window unmapped), the watcher's Activate maps it again, ContextMenu
// opens the tray menu at the pointer, and its second row, clicked through
// XTEST, runs the exit sequence, which takes the item off the bus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "tests/zephui/tray/PrivateSessionBus.h"
#include "tests/zephui/tray/TestWatcher.h"
#include "zephui/Cursor.h"
#include "zephui/MControlFont.h"
#include "zephui/MenuWnd.h"
#include "zephui/Window.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"
#include "tests/mainwindow/TestWindowParts.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

class KeyboardDlgTrayOnX11 : public X11Fixture {
 protected:
  static void SetUpTestSuite() {
    X11Fixture::SetUpTestSuite();
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) outerBus_ = address;
    bus_ = new PrivateSessionBus;
    if (!bus_->Start()) {
      delete bus_;
      bus_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete bus_;
    bus_ = nullptr;
    // The other tests of the binary see the bus they started with.
    if (outerBus_) setenv("DBUS_SESSION_BUS_ADDRESS", outerBus_->c_str(), 1);
    else unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }

  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (bus_ == nullptr) GTEST_SKIP() << "dbus-daemon is not available";
    setenv("DBUS_SESSION_BUS_ADDRESS", bus_->Address().c_str(), 1);
    watcher_ = std::make_unique<TestWatcher>(WatcherRole::Watcher);
    ASSERT_TRUE(watcher_->Ready());
    ASSERT_TRUE(PrepareDatabaseFolder());
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_,
                                               [this](int code) { exitCode_ = code; });
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ASSERT_TRUE(PumpUntil([this] {
      window_->Services().StepWorker();
      watcher_->Process();
      return window_->IsDevicePresentView() && MainWindowMapped() && !watcher_->Registered().empty();
    }));
  }
  void TearDown() override {
    window_.reset();
    watcher_.reset();
    hidsim::Bus::Instance().Reset();
    X11Fixture::TearDown();
  }

  // Whether the server shows a top-level window of the main window's size, as another client sees it.
  bool MainWindowMapped() {
    XSync(client_, False);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(client_, DefaultRootWindow(client_), &root, &parent, &children, &count);
    bool mapped = false;
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(client_, children[i], &attributes) != 0 && attributes.map_state == IsViewable &&
          attributes.width == 1280 && attributes.height == 720) {
        mapped = true;
      }
    }
    if (children != nullptr) XFree(children);
    return mapped;
  }
  // A real click: the pointer moves, the window sees the move, then the button goes down and up.
  void Click(int x, int y) {
    XTestFakeMotionEvent(client_, 0, x, y, CurrentTime);
    XSync(client_, False);
    Point at;
    PumpUntil([&] { return GetCursorPos(at) && at.x == x && at.y == y; });
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }
  // The watcher calls a method of the registered item, as a desktop's tray would on a click.
  bool CallItem(const char* method, int x, int y) {
    sd_bus_message* call = watcher_->NewCall(watcher_->Registered().front(), "/StatusNotifierItem",
                                             "org.kde.StatusNotifierItem", method);
    sd_bus_message_append(call, "ii", x, y);
    sd_bus_message* reply = watcher_->Ask(call);
    const bool answered = reply != nullptr && !sd_bus_message_is_method_error(reply, nullptr);
    sd_bus_message_unref(reply);
    return answered;
  }
  // The title of the menu row with the command `id`.
  static std::u16string RowText(HWND menu, std::uint32_t id) {
    auto* object = dynamic_cast<MenuWnd*>(reinterpret_cast<MWindow*>(GetWindowUserData(menu)));
    const auto* row = object != nullptr ? dynamic_cast<MControlFont*>(object->GetControl(id)) : nullptr;
    return row != nullptr ? row->GetTitle() : u"<missing>";
  }

  static PrivateSessionBus* bus_;
  static std::optional<std::string> outerBus_;
  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  int exitCode_ = -1;
  std::unique_ptr<TestWatcher> watcher_;
  std::unique_ptr<KeyboardDlg> window_;
};

PrivateSessionBus* KeyboardDlgTrayOnX11::bus_ = nullptr;
std::optional<std::string> KeyboardDlgTrayOnX11::outerBus_;

TEST_F(KeyboardDlgTrayOnX11, HiddenToTheTrayShownByActivateAndEndedFromTheMenusSecondRow) {
  const HWND hwnd = window_->GetSafeHwnd();
  const std::string item = watcher_->Registered().front();
  WriteSettingString("exit_mode", u"1");
  Rect frame;
  ASSERT_TRUE(GetWindowRect(hwnd, frame));
  Click(frame.right - 35, frame.top + 35);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(hwnd) && !MainWindowMapped(); }));
  EXPECT_FALSE(window_->IsWindowVisible());

  EXPECT_TRUE(CallItem("Activate", 10, 10));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(hwnd) && MainWindowMapped(); }));
  EXPECT_TRUE(window_->IsWindowVisible());

  XTestFakeMotionEvent(client_, 0, 700, 300, CurrentTime);
  XSync(client_, False);
  EXPECT_TRUE(CallItem("ContextMenu", 700, 300));
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (menu = FindWindow(u"", u"Menu Window")) != nullptr && IsWindowVisible(menu); }));
  Rect shown;
  ASSERT_TRUE(GetWindowRect(menu, shown));
  EXPECT_EQ(shown.left, 700);
  EXPECT_EQ(shown.top, 300);
  EXPECT_EQ(RowText(menu, static_cast<std::uint32_t>(TrayCommand::kCloseBehaviour)), Text(10));
  EXPECT_EQ(RowText(menu, static_cast<std::uint32_t>(TrayCommand::kExit)), Text(11));

  Click(shown.left + 40, shown.top + 6 + 35 + 17);  // rows are 35 pixels high below a 6-pixel margin
  EXPECT_TRUE(PumpUntil([&] { return exitCode_ == 0; }));
  EXPECT_TRUE(PumpUntil([&] { return !watcher_->HasOwner(item); }));
}

}  // namespace
}  // namespace zephuitest
