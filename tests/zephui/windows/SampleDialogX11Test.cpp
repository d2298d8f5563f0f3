// The sample dialog on a real X server (a private Xvfb): drawn through its
// paint manager, its buttons clicked with XTEST, their notifications checked,
// a screenshot of the screen written to the working folder, and the modal
// loop ended by its OK button.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "tests/zephui/windows/SampleDialog.h"
#include "tests/zephui/windows/SampleFactory.h"
#include "zephui/Backend.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{100, 100, 460, 300};
constexpr std::uint32_t kOkColour = 0x3070C0;  // the OK button's fill, as the screen's RGB
constexpr std::uintptr_t kTickTimer = 500;      // keeps the loops turning while the server works
constexpr std::uintptr_t kGiveUpTimer = 501;    // ends a modal loop whose click got lost

class SampleDialogOnX11 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Made before the window system, so it is stopped after the window system closed its connection.
    static XvfbServer server;
    static const bool started = server.Start();
    available_ = started && SelectBackend(BackendKind::X11);
  }

  void SetUp() override {
    if (!available_) GTEST_SKIP() << "Xvfb is not available";
    RegisterSampleControls();
    client_ = XOpenDisplay(nullptr);
    ASSERT_NE(client_, nullptr);
  }

  void TearDown() override {
    if (client_ != nullptr) XCloseDisplay(client_);
  }

  template <typename F>
  bool PumpUntil(F done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (std::chrono::steady_clock::now() < giveUp) {
      if (done()) return true;
      if (!PeekMessage(msg)) {
        WaitMessage();
        continue;
      }
      TranslateMessage(msg);
      DispatchMessage(msg);
    }
    return false;
  }

  XImage* Grab(int x, int y, int width, int height) {
    return XGetImage(client_, DefaultRootWindow(client_), x, y, static_cast<unsigned>(width),
                     static_cast<unsigned>(height), AllPlanes, ZPixmap);
  }

  std::uint32_t ScreenPixel(int x, int y) {
    XImage* image = Grab(x, y, 1, 1);
    const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
  }

  // Writes the whole screen as a PNG; false on failure.
  bool Screenshot(const std::filesystem::path& path) { return WriteScreenPng(client_, path); }

  // A left click at a client point of the dialog, as the user's mouse would make it.
  void Click(const Rect& clientRect) {
    const int x = kWindow.left + (clientRect.left + clientRect.right) / 2;
    const int y = kWindow.top + (clientRect.top + clientRect.bottom) / 2;
    XTestFakeMotionEvent(client_, 0, x, y, CurrentTime);
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }

  static bool available_;
  Display* client_ = nullptr;
};

bool SampleDialogOnX11::available_ = false;

TEST_F(SampleDialogOnX11, ItIsDrawnReportsItsButtonsAndClosesWithOk) {
  SampleDialog dialog;
  const HWND hwnd = dialog.Create(nullptr, u"Sample dialog", WS_POPUP | WS_VISIBLE, 0, kWindow);
  ASSERT_NE(hwnd, nullptr);
  SetTimer(hwnd, kTickTimer, 20);
  const int okX = kWindow.left + SampleDialog::kOkRect.left + 4;
  const int okY = kWindow.top + SampleDialog::kOkRect.top + 4;
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(okX, okY) == kOkColour; }));

  const std::filesystem::path shot = std::filesystem::current_path() / "sample_dialog.png";
  ASSERT_TRUE(Screenshot(shot));
  EXPECT_GT(std::filesystem::file_size(shot), 1000U);

  using N = SampleDialog::Notification;
  Click(SampleDialog::kApplyRect);
  ASSERT_TRUE(PumpUntil([&] { return dialog.notifications.size() >= 2; }));
  EXPECT_EQ(dialog.notifications,
            (std::vector<N>{{SampleDialog::kApplyId, NOTIFY_PRESSED}, {SampleDialog::kApplyId, NOTIFY_CLICKED}}));

  SetTimer(hwnd, kGiveUpTimer, 10000, [](HWND w, UINT, std::uintptr_t, std::uint32_t) {
    PostMessage(w, WM_DIALOG_CLOSE, 2, 0);
  });
  Click(SampleDialog::kOkRect);
  EXPECT_EQ(dialog.ShowModal(SW_SHOW), 1U);
  EXPECT_EQ(dialog.notifications.size(), 4U);
  EXPECT_EQ(dialog.notifications.back(), (N{SampleDialog::kOkId, NOTIFY_CLICKED}));
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace zephuitest
