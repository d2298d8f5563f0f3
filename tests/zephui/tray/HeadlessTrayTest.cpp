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

constexpr UINT kTrayMessage = 1690;

TEST_F(HeadlessTray, ClicksReachTheOwnerOfTheIconAsItsCallbackMessageUntilRemoved) {
  const HWND owner = MakeWindow(0, 0, 100, 100);
  const HWND other = MakeWindow(200, 0, 100, 100);
  TrayIcon icon(owner, 109, kTrayMessage);
  // A picture that cannot be read still gives an icon.
  EXPECT_EQ(icon.Add("no-such-picture.ico", u"Pelmora keyboard T40"), TrayPresence::Headless);
  {
    TrayIcon second(other, 7, kTrayMessage + 1);
    second.Add("no-such-picture.ico", u"second");
    ASSERT_TRUE(Headless::ClickTrayIcon(owner, Headless::Button::Left));
    Headless::Pump();
    const auto left = Procedure(owner).Last(kTrayMessage);
    ASSERT_TRUE(left.has_value());
    EXPECT_EQ(left->wParam, 109u);
    EXPECT_EQ(left->lParam, WM_LBUTTONDOWN);
    EXPECT_EQ(Procedure(other).Count(kTrayMessage + 1), 0);
  }
  EXPECT_FALSE(Headless::ClickTrayIcon(other, Headless::Button::Left));  // gone with its object

  ASSERT_TRUE(Headless::ClickTrayIcon(owner, Headless::Button::Right));
  Headless::Pump();
  EXPECT_EQ(Procedure(owner).Last(kTrayMessage)->lParam, WM_RBUTTONUP);
  EXPECT_FALSE(Headless::ClickTrayIcon(owner, Headless::Button::Middle));

  icon.Remove();
  EXPECT_EQ(icon.Presence(), TrayPresence::None);
  EXPECT_FALSE(Headless::ClickTrayIcon(owner, Headless::Button::Left));
  Headless::Pump();
  EXPECT_EQ(Procedure(owner).Count(kTrayMessage), 2);
}

TEST_F(HeadlessTray, ActivatingAMarkShowsAndActivatesTheHiddenWindowCarryingIt) {
  const HWND main = MakeWindow(0, 0, 300, 200, WS_POPUP);
  const HWND front = MakeWindow(50, 50, 100, 100);
  SetForegroundWindow(front);
  ASSERT_TRUE(SetWindowMark(main, u"Pelmora keyboard T40"));
  EXPECT_FALSE(ActivateMarkedWindow(u"Pelmora keyboard"));
  EXPECT_FALSE(IsWindowVisible(main));

  EXPECT_TRUE(ActivateMarkedWindow(u"Pelmora keyboard T40"));
  Headless::Pump();
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetForegroundWindow(), main);
  EXPECT_EQ(WindowFromPoint(Point{60, 60}), main);  // raised above the window that was in front

  DestroyWindow(main);
  EXPECT_FALSE(ActivateMarkedWindow(u"Pelmora keyboard T40"));
  EXPECT_FALSE(SetWindowMark(main, u"Pelmora keyboard T40"));
}

}  // namespace
}  // namespace zephuitest
