// Window creation and destruction, relations, properties and placement.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Clipboard.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Windows : public HeadlessFixture {};

TEST_F(Windows, CreationFailsForAnUnknownClassOrAProcedureThatRefuses) {
  RecordingProcedure procedure;
  EXPECT_EQ(CreateWindowEx(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 10, 10, nullptr, &procedure), nullptr);
  procedure.On(WM_CREATE, [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; });
  EXPECT_EQ(CreateWindowEx(0, u"HeadlessTest", u"", WS_POPUP, 0, 0, 10, 10, nullptr, &procedure), nullptr);
  EXPECT_EQ(procedure.Count(WM_NCDESTROY), 1);
  EXPECT_TRUE(GetTopLevelWindows().empty());
}

TEST_F(Windows, CreateHandsOnItsParametersAndStartsWithSizeAndMove) {
  RecordingProcedure procedure;
  int param = 0;
  CREATESTRUCT seen;
  procedure.On(WM_CREATE, [&seen](HWND, WPARAM, LPARAM lParam) -> LRESULT {
    seen = *reinterpret_cast<const CREATESTRUCT*>(lParam);
    return 0;
  });
  const HWND w = CreateWindowEx(WS_EX_TOOLWINDOW, u"HeadlessTest", u"Title", WS_POPUP, 10, 20, 30, 40, nullptr, &procedure, &param);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(seen.lpCreateParams, &param);
  EXPECT_EQ(seen.cx, 30);
  EXPECT_EQ(seen.dwExStyle, WS_EX_TOOLWINDOW);
  EXPECT_EQ(procedure.Sequence({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}),
            (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
  EXPECT_EQ(GetWindowText(w), u"Title");
  EXPECT_EQ(GetClassName(w), u"HeadlessTest");
  EXPECT_FALSE(IsWindowVisible(w));
  DestroyWindow(w);
}

TEST_F(Windows, DestroyingAnOwnerDestroysOwnedWindowsAndChildrenInOrder) {
  const HWND owner = MakeWindow(0, 0, 300, 300);
  const HWND owned = MakeWindow(50, 50, 50, 50, WS_POPUP | WS_VISIBLE, owner);
  const HWND child = MakeWindow(5, 5, 20, 20, WS_CHILD | WS_VISIBLE, owner);
  std::vector<std::pair<HWND, UINT>> order;
  for (HWND w : {owner, owned, child}) {
    for (UINT m : {WM_DESTROY, WM_NCDESTROY}) {
      Procedure(w).On(m, [&order, m](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        order.emplace_back(hwnd, m);
        return 0;
      });
    }
  }
  EXPECT_TRUE(DestroyWindow(owner));
  const std::vector<std::pair<HWND, UINT>> expected{{owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {owner, WM_DESTROY},
                                                    {child, WM_DESTROY}, {child, WM_NCDESTROY}, {owner, WM_NCDESTROY}};
  EXPECT_EQ(order, expected);
  for (HWND w : {owner, owned, child}) EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(DestroyWindow(owner));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Windows, CloseRequestsDestroyUnlessTheProcedureDeclines) {
  const HWND keeps = MakeWindow(0, 0, 100, 100);
  const HWND closes = MakeWindow(200, 0, 100, 100);
  Procedure(keeps).On(WM_CLOSE, [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; });
  Headless::RequestClose(keeps);
  Headless::RequestClose(closes);
  Headless::Pump();
  EXPECT_TRUE(IsWindow(keeps));
  EXPECT_FALSE(IsWindow(closes));
}

TEST_F(Windows, RelationsAndCoordinates) {
  const HWND top = MakeWindow(100, 200, 300, 300);
  const HWND child = MakeWindow(10, 20, 50, 50, WS_CHILD | WS_VISIBLE, top);
  const HWND popup = MakeWindow(500, 500, 50, 50, WS_POPUP, child);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetParent(popup), top);  // an owner is always a top-level window
  EXPECT_EQ(GetOwner(popup), top);
  EXPECT_EQ(GetTopLevel(child), top);
  EXPECT_TRUE(IsChild(top, child));
  EXPECT_FALSE(IsChild(top, popup));
  Point point{1, 2};
  ASSERT_TRUE(ClientToScreen(child, point));
  EXPECT_EQ(point, (Point{111, 222}));
  ASSERT_TRUE(ScreenToClient(top, point));
  EXPECT_EQ(point, (Point{11, 22}));
  Rect rect;
  GetWindowRect(child, rect);
  EXPECT_EQ(rect, (Rect{110, 220, 160, 270}));
  GetClientRect(child, rect);
  EXPECT_EQ(rect, (Rect{0, 0, 50, 50}));
  EXPECT_EQ(WindowFromPoint(Point{115, 225}), child);
  EXPECT_EQ(WindowFromPoint(Point{105, 205}), top);
  SetWindowText(top, u"Main");
  EXPECT_EQ(FindWindow(u"HeadlessTest", u"Main"), top);
  EXPECT_EQ(FindWindow(u"", u""), popup);  // the front one, hidden or not
}

TEST_F(Windows, PropertiesAreFoundByNameAndGoWithTheWindow) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  EXPECT_EQ(FindWindowByProperty(u"Pelmora keyboard T40"), nullptr);
  EXPECT_TRUE(SetProp(w, u"Pelmora keyboard T40", 1));
  EXPECT_EQ(GetProp(w, u"Pelmora keyboard T40"), 1);
  EXPECT_EQ(GetProp(w, u"other"), 0);
  EXPECT_EQ(FindWindowByProperty(u"Pelmora keyboard T40"), w);
  EXPECT_EQ(RemoveProp(w, u"Pelmora keyboard T40"), 1);
  EXPECT_EQ(FindWindowByProperty(u"Pelmora keyboard T40"), nullptr);
  SetProp(w, u"Pelmora keyboard T40", 1);
  DestroyWindow(w);
  EXPECT_EQ(FindWindowByProperty(u"Pelmora keyboard T40"), nullptr);
  EXPECT_FALSE(SetProp(w, u"x", 1));
}

TEST_F(Windows, SetWindowPosClampsToTheLimitsAndReportsTheChange) {
  const HWND w = MakeWindow(0, 0, 300, 300);
  Procedure(w).On(WM_GETMINMAXINFO, [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = Point{200, 100};
    info->ptMaxTrackSize = Point{400, 400};
    return 0;
  });
  Procedure(w).Clear();
  ASSERT_TRUE(SetWindowPos(w, nullptr, 30, 40, 50, 900, SWP_NOZORDER));
  Rect rect;
  GetWindowRect(w, rect);
  EXPECT_EQ(rect, (Rect{30, 40, 230, 440}));
  EXPECT_EQ(Procedure(w).Sequence({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  const auto size = Procedure(w).Last(WM_SIZE);
  EXPECT_EQ(LOWORD(static_cast<WPARAM>(size->lParam)), 200);
  EXPECT_EQ(HIWORD(static_cast<WPARAM>(size->lParam)), 400);
  Procedure(w).Clear();
  MoveWindow(w, 30, 40, 200, 400);
  EXPECT_EQ(Procedure(w).Count(WM_WINDOWPOSCHANGED), 0);
}

TEST_F(Windows, MaximiseFillsTheWorkAreaAndRestoreGoesBack) {
  Headless::SetScreen(Rect{0, 0, 1280, 800}, Rect{0, 0, 1280, 760});
  const HWND w = MakeWindow(100, 100, 400, 300);
  ShowWindow(w, SW_MAXIMIZE);
  Rect rect;
  GetWindowRect(w, rect);
  EXPECT_EQ(rect, GetWorkArea());
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_EQ(Procedure(w).Last(WM_SIZE)->wParam, SIZE_MAXIMIZED);
  ShowWindow(w, SW_RESTORE);
  GetWindowRect(w, rect);
  EXPECT_EQ(rect, (Rect{100, 100, 500, 400}));
  EXPECT_FALSE(IsZoomed(w));
}

TEST_F(Windows, MaximiseFillsTheWorkAreaOfTheWindowsOwnMonitor) {
  const Rect left{0, 0, 1280, 800};
  const Rect right{1280, 0, 3200, 1080};
  Headless::SetMonitors({{left, Rect{0, 0, 1280, 760}, true}, {right, Rect{1280, 30, 3200, 1080}, false}});
  const HWND w = MakeWindow(1500, 200, 400, 300);
  ShowWindow(w, SW_MAXIMIZE);
  Rect rect;
  GetWindowRect(w, rect);
  EXPECT_EQ(rect, (Rect{1280, 30, 3200, 1080}));
}

TEST_F(Windows, MinimisingDeactivatesAndRestoringActivatesAgain) {
  const HWND other = MakeWindow(500, 0, 100, 100);
  const HWND w = MakeWindow(0, 0, 100, 100);
  EXPECT_TRUE(ShowWindow(w, SW_MINIMIZE));
  EXPECT_TRUE(IsIconic(w));
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(Procedure(w).Last(WM_SIZE)->wParam, SIZE_MINIMIZED);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(WindowFromPoint(Point{50, 50}), nullptr);
  ShowWindow(w, SW_SHOWNORMAL);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_EQ(GetActiveWindow(), w);
}

TEST_F(Windows, TheClipboardKeepsText) {
  EXPECT_FALSE(GetClipboardText().has_value());
  EXPECT_TRUE(SetClipboardText(u"macro \u4e2d"));
  EXPECT_EQ(GetClipboardText(), std::optional<std::u16string>(u"macro \u4e2d"));
  EmptyClipboard();
  EXPECT_FALSE(GetClipboardText().has_value());
}

}  // namespace
}  // namespace zephuitest
