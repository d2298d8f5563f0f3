// The tray icon and window marks on the headless backend: the icon is kept
// by the backend and clicked by the test; marks are found in the process.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/TrayIcon.h"
#include "zephui/WindowMark.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

using HeadlessTray = HeadlessFixture;

TEST_F(HeadlessTray, ClicksReachTheOwnerOfTheIconAsItsCallbackMessageUntilRemoved) {
  const HWND owner = MakeWindow(0, 0, 100, 100);
  const HWND other = MakeWindow(200, 0, 100, 100);
  TrayIcon icon(owner, 109, 1690);
  EXPECT_EQ(icon.Add("no-such-picture.ico", u"tip"), TrayPresence::Headless);  // shown without a picture
  {
    TrayIcon second(other, 7, 1691);
    second.Add("no-such-picture.ico", u"second");
    ASSERT_TRUE(Headless::ClickTrayIcon(owner, Headless::Button::Left));
    ASSERT_TRUE(Headless::ClickTrayIcon(owner, Headless::Button::Right));
    Headless::Pump();
  }
  EXPECT_FALSE(Headless::ClickTrayIcon(other, Headless::Button::Left));  // gone with its object
  const std::vector<Seen> seen = Procedure(owner).All();
  std::vector<std::pair<WPARAM, LPARAM>> callbacks;
  for (const Seen& s : seen) {
    if (s.message == 1690) callbacks.emplace_back(s.wParam, s.lParam);
  }
  EXPECT_EQ(callbacks, (std::vector<std::pair<WPARAM, LPARAM>>{{109, WM_LBUTTONDOWN}, {109, WM_RBUTTONUP}}));
  EXPECT_EQ(Procedure(other).Count(1691), 0);

  icon.Remove();
  EXPECT_EQ(icon.Presence(), TrayPresence::None);
  EXPECT_FALSE(Headless::ClickTrayIcon(owner, Headless::Button::Left));
}

TEST_F(HeadlessTray, ActivatingAMarkShowsAndRaisesTheHiddenWindowCarryingIt) {
  const HWND main = MakeWindow(0, 0, 300, 200, WS_POPUP);
  SetForegroundWindow(MakeWindow(50, 50, 100, 100));
  ASSERT_TRUE(SetWindowMark(main, u"Pelmora keyboard T40"));
  EXPECT_FALSE(ActivateMarkedWindow(u"Pelmora keyboard"));
  EXPECT_TRUE(ActivateMarkedWindow(u"Pelmora keyboard T40"));
  Headless::Pump();
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_EQ(WindowFromPoint(Point{60, 60}), main);
}

}  // namespace
}  // namespace zephuitest
