// MWindow::ShowModal: the close code, the owner, quit messages, windows that
// go away by other means and objects that delete themselves in the loop.
#include <algorithm>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/windows/ProbeWindow.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr UINT kDuringLoop = WM_USER + 1;
constexpr UINT kSwallowed = WM_USER + 2;

class ModalWindow : public HeadlessFixture {
 protected:
  HWND CreateOwned(MWindow& window, HWND owner) {
    return window.Create(owner, u"Modal", WS_POPUP, 0, Rect{100, 100, 300, 200});
  }
};

TEST_F(ModalWindow, TheCloseCodeIsTheResultAndTheOwnerIsBlockedMeanwhile) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  ProbeWindow window;
  const HWND hwnd = CreateOwned(window, owner);
  bool ownerEnabledInLoop = true;
  bool visibleInLoop = false;
  window.On(kDuringLoop, [&](WPARAM, LPARAM) -> LRESULT {
    ownerEnabledInLoop = IsWindowEnabled(owner);
    visibleInLoop = IsWindowVisible(hwnd);
    PostMessage(hwnd, WM_CLOSE, 6, 0);
    return 0;
  });
  PostMessage(hwnd, kDuringLoop, 0, 0);
  EXPECT_EQ(window.ShowModal(SW_SHOW), 6U);
  EXPECT_FALSE(ownerEnabledInLoop);
  EXPECT_TRUE(visibleInLoop);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(ModalWindow, AWindowDestroyedWithoutCloseEndsTheLoopWithZero) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  ProbeWindow window;
  const HWND hwnd = CreateOwned(window, owner);
  window.On(kDuringLoop, [hwnd](WPARAM, LPARAM) -> LRESULT {
    DestroyWindow(hwnd);
    return 0;
  });
  PostMessage(hwnd, kDuringLoop, 0, 0);
  EXPECT_EQ(window.ShowModal(SW_SHOW), 0U);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(window.ShowModal(SW_SHOW), 0xFFFFFFFFU);
}

TEST_F(ModalWindow, QuitEndsTheLoopAndIsPostedAgainForTheLoopsOutside) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  ProbeWindow window;
  const HWND hwnd = CreateOwned(window, owner);
  window.On(kDuringLoop, [](WPARAM, LPARAM) -> LRESULT {
    PostQuitMessage(3);
    return 0;
  });
  PostMessage(hwnd, kDuringLoop, 0, 0);
  window.ShowModal(SW_SHOW);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowEnabled(owner));
  MSG msg;
  ASSERT_TRUE(PeekMessage(msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3U);
}

TEST_F(ModalWindow, ItsOwnMessagesAreOfferedFirstAndMayBeConsumed) {
  const HWND other = MakeWindow(0, 0, 50, 50);
  ProbeWindow window;
  const HWND hwnd = CreateOwned(window, nullptr);
  window.Consume([](const MSG& msg) { return msg.message == kSwallowed; });
  PostMessage(other, kSwallowed, 0, 0);
  PostMessage(hwnd, kSwallowed, 0, 0);
  PostMessage(hwnd, WM_CLOSE, 1, 0);
  EXPECT_EQ(window.ShowModal(SW_SHOW), 1U);
  EXPECT_EQ(std::count(window.offered.begin(), window.offered.end(), kSwallowed), 1);
  EXPECT_FALSE(window.Saw(kSwallowed));
  EXPECT_EQ(Procedure(other).Count(kSwallowed), 1);  // another window's message is not offered
}

TEST_F(ModalWindow, AnObjectDeletedWhenItsWindowClosesStillReturnsTheCode) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  bool deleted = false;
  auto* window = new SelfDeletingWindow(deleted);
  const HWND hwnd = CreateOwned(*window, owner);
  PostMessage(hwnd, WM_CLOSE, 7, 0);
  EXPECT_EQ(window->ShowModal(SW_SHOWNORMAL), 7U);
  EXPECT_TRUE(deleted);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(ModalWindow, ACloseThatIsDeclinedKeepsTheLoopRunningUntilTheWindowGoes) {
  ProbeWindow window;
  const HWND hwnd = CreateOwned(window, nullptr);
  int closes = 0;
  window.On(WM_CLOSE, [&closes, hwnd](WPARAM, LPARAM) -> LRESULT {
    if (++closes == 2) DestroyWindow(hwnd);
    return 0;
  });
  PostMessage(hwnd, WM_CLOSE, 2, 0);
  PostMessage(hwnd, WM_CLOSE, 6, 0);
  EXPECT_EQ(window.ShowModal(SW_SHOW), 6U);
  EXPECT_EQ(closes, 2);
}

}  // namespace
}  // namespace zephuitest
