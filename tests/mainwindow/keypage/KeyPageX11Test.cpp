// The key page of the main window on the test binary's private Xvfb with the
// simulated T40, driven only through real pointer clicks and key presses
// (XTEST): a key gets a function from the picker and the key filter plays it,
// a profile is renamed by typing, exported through the library's own file
// dialog and imported back as a new profile with the same assignments.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "macros/virtualdevice/VirtualHidBackend.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/keypage/ProfileList.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDevice.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/DListBox.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/Text.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"
#include "tests/mainwindow/TestWindowParts.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kKeyA = 0x104;
constexpr int kEvdevA = 30;  // KEY_A; the kernel header's names clash with the library's
constexpr int kPickerB = 97;  // "B" (usage 5): the 18 media items, four key rows, then Shift Z X C V

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

// The virtual keyboard's reports, kept for a test thread that waits for them.
class WaitableBackend : public VirtualHidBackend {
 public:
  bool Open() override { return open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  int Write(std::span<const std::uint8_t, 64> bytes) override {
    std::lock_guard lock(mutex_);
    if (bytes[1] == VHidev::kKeyboardReport) {
      held_.clear();
      for (int usage = 0; usage < 256; ++usage) {
        if ((bytes[2 + usage / 8] >> (usage % 8)) & 1) held_.push_back(usage);
      }
    }
    changed_.notify_all();
    return 64;
  }
  bool WaitForKeys(const std::vector<int>& usages) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return held_ == usages; });
  }

 private:
  std::atomic<bool> open_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> held_;
};

// Types into a modal window from a thread of its own, since the modal loop
// holds the test's thread: waits until the focused window (or one of its
// parents) is named `title`, then presses the keys.
class ModalTyping {
 public:
  ModalTyping(std::string title, std::vector<KeySym> keys)
      : thread_([this, title = std::move(title), keys = std::move(keys)] { Run(title, keys); }) {}
  ~ModalTyping() { thread_.join(); }
  bool Typed() const { return typed_; }

 private:
  void Run(const std::string& title, const std::vector<KeySym>& keys) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return;
    for (int attempt = 0; attempt < 500 && !FocusNamed(display, title); ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (FocusNamed(display, title)) {
      for (KeySym sym : keys) {
        const KeyCode code = XKeysymToKeycode(display, sym);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
      }
      XSync(display, False);
      typed_ = true;
    }
    XCloseDisplay(display);
  }
  static bool FocusNamed(Display* display, const std::string& title) {
    Window window = 0;
    int revert = 0;
    XGetInputFocus(display, &window, &revert);
    while (window != 0 && window != PointerRoot) {
      char* name = nullptr;
      const bool match = XFetchName(display, window, &name) != 0 && name != nullptr && title == name;
      if (name != nullptr) XFree(name);
      if (match) return true;
      Window root = 0, parent = 0, *children = nullptr;
      unsigned count = 0;
      if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
      if (children != nullptr) XFree(children);
      if (parent == root) return false;
      window = parent;
    }
    return false;
  }

  std::atomic<bool> typed_{false};
  std::thread thread_;
};

class KeyPageOnX11 : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(PrepareDatabaseFolder());
    documents_ = environment_.Root().Path() + "documents";
    std::filesystem::create_directories(documents_);
    std::filesystem::create_directories(environment_.Root().Path() + "config");
    std::ofstream(environment_.Root().Path() + "config/user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"" << documents_ << "\"\n";
    environment_.Set("PELMORA_OWN_FILE_DIALOG", "1");
    evdevKeyboard_ = std::make_shared<FakeEvdevDevice::Script>(FakeEvdevDevice::Identity{"/dev/input/event7"});
    filterDevices_.add(evdevKeyboard_);
    hidsim::Bus::Instance().Reset();
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    auto backend = std::make_unique<WaitableBackend>();
    keys_ = backend.get();
    virtualDevice_ = std::make_unique<VHidev>(std::move(backend));
    virtualDevice_->openVirtualDevice();
    OpenWindow();
  }
  void TearDown() override {
    window_.reset();
    hidsim::Bus::Instance().Reset();
    X11Fixture::TearDown();
  }
  void OpenWindow() {
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_);
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ASSERT_TRUE(PumpUntil([this] {
      window_->Services().StepWorker();
      return window_->IsDevicePresentView() && IsWindowVisible(window_->GetSafeHwnd()) && List()->GetItemCount() == 3;
    }));
  }
  KeyPage& Page() { return *window_->KeysPage(); }
  DListBox* List() { return Page().Profiles().List(); }
  ProfileStore& Store() { return window_->Services().Store(); }
  void Click(Point point) {
    XTestFakeMotionEvent(client_, 0, point.x, point.y, CurrentTime);
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }
  static Point Centre(const Rect& rect) { return Point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
  void Type(const std::vector<KeySym>& keys) {
    for (KeySym sym : keys) {
      const KeyCode code = XKeysymToKeycode(client_, sym);
      XTestFakeKeyEvent(client_, code, True, CurrentTime);
      XTestFakeKeyEvent(client_, code, False, CurrentTime);
    }
    XFlush(client_);
  }
  Point PictureKey(int code) {
    KeyboardCtrl* picture = Page().Picture();
    for (const KEY_INFO* key : picture->GetKeyItems()) {
      if (key->keyValue != static_cast<std::uint32_t>(code)) continue;
      const Rect real = picture->GetRealRect(key->rect);
      const Rect at = picture->GetRect();
      return Centre(Rect{at.left + real.left, at.top + real.top, at.left + real.right, at.top + real.bottom});
    }
    return Point{};
  }
  Point PickerItem(int index) {
    const Rect item = Page().Picker()->GetItemRect(index);
    const Rect at = Page().Picker()->GetRect();
    return Centre(Rect{at.left + item.left, at.top + item.top, at.left + item.right, at.top + item.bottom});
  }
  Point Button(int index) { return Point{125 + 35 * index, 75}; }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  std::string documents_;
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::shared_ptr<FakeEvdevDevice::Script> evdevKeyboard_;
  WaitableBackend* keys_ = nullptr;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(KeyPageOnX11, APickedFunctionActsAtOnceAndSurvivesExportAndImport) {
  const int first = window_->CurrentProfileId();
  ASSERT_EQ(Page().Picker()->GetItemRect(kPickerB).left, 260);
  Click(PictureKey(kKeyA));
  ASSERT_TRUE(PumpUntil([&] { return Page().CurrentKey() == kKeyA; }));
  Click(PickerItem(kPickerB));
  KeyAssignmentRecord row;
  ASSERT_TRUE(PumpUntil([&] { return Store().ReadKeyAssignment(first, 0, kKeyA, row); }));
  EXPECT_EQ(row.macroType, 2);
  EXPECT_EQ(row.macroValue, 5);

  // The key filter holds the key now: A on the keyboard plays B.
  ASSERT_TRUE(evdevKeyboard_->waitUntil([&] { return evdevKeyboard_->grabbed(); }));
  evdevKeyboard_->queue(FakeEvdevDevice::keyFrame(kEvdevA, 1));
  EXPECT_TRUE(keys_->WaitForKeys({5}));
  evdevKeyboard_->queue(FakeEvdevDevice::keyFrame(kEvdevA, 0));
  EXPECT_TRUE(keys_->WaitForKeys({}));

  // Renamed by typing over the selected name.
  Click(Button(2));
  ASSERT_TRUE(PumpUntil([&] { return List()->GetEditItem() == 0; }));
  std::vector<KeySym> typing(12, XK_BackSpace);
  for (KeySym sym : {XK_g, XK_a, XK_m, XK_e, XK_s, XK_Return}) typing.push_back(sym);
  Type(typing);
  std::u16string name;
  ASSERT_TRUE(PumpUntil([&] { return Store().GetProfileName(first, name) && name == u"games"; }));
  EXPECT_EQ(List()->GetItemText(0), u"games");

  // Exported through the library's file dialog: the suggested name is taken with Enter.
  {
    ModalTyping dialogKeys(ToUtf8(Text(27)), {XK_Return});
    Click(Button(4));
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(documents_ + "/games.xml"); }));
    EXPECT_TRUE(dialogKeys.Typed());
  }
  // Imported back: the dialog lists the one file; Home selects it and Enter opens it.
  {
    ModalTyping dialogKeys(ToUtf8(Text(26)), {XK_Home, XK_Return});
    Click(Button(3));
    ASSERT_TRUE(PumpUntil([&] { return List()->GetItemCount() == 4; }));
  }
  const int imported = window_->CurrentProfileId();
  EXPECT_NE(imported, first);
  EXPECT_EQ(List()->GetItemText(3), u"games");
  ASSERT_TRUE(Store().ReadKeyAssignment(imported, 0, kKeyA, row));
  EXPECT_EQ(row.macroValue, 5);
  EXPECT_EQ(Store().GetActiveProfile(), imported);
}

}  // namespace
}  // namespace zephuitest
