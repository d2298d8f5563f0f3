// MWindow: creation, the tie between window and object, super classes and
// the wrappers on a missing window.
#include <algorithm>
#include <memory>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/windows/ProbeWindow.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class WindowObject : public HeadlessFixture {};

// Built on another class, as a control window would be.
class SuperWindow : public ProbeWindow {
 public:
  explicit SuperWindow(std::u16string_view base) : base_(base) {}
  std::u16string_view GetWindowClassName() const override { return u"SuperProbe"; }
  std::u16string_view GetSuperClassName() const override { return base_; }

 private:
  std::u16string_view base_;
};

TEST_F(WindowObject, CreateMakesOneWindowAndInitialisesItOnceAfterCreation) {
  ProbeWindow window;
  const HWND hwnd = window.Create(nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.GetSafeHwnd(), hwnd);
  EXPECT_EQ(GetClassName(hwnd), u"ZephClient");
  EXPECT_EQ(GetWindowText(hwnd), u"ZephClient");
  EXPECT_EQ(GetWindowStyle(hwnd) & MWINDOW_DEFAULT_STYLE, MWINDOW_DEFAULT_STYLE);
  Rect rect;
  ASSERT_TRUE(GetWindowRect(hwnd, rect));
  EXPECT_EQ(rect, (Rect{0, 0, 800, 600}));
  EXPECT_EQ(window.initCalls, 1);
  EXPECT_TRUE(window.createdBeforeInit);
  EXPECT_EQ(window.messages.front(), WM_NCCREATE);
  EXPECT_EQ(GetWindowUserData(hwnd), reinterpret_cast<std::intptr_t>(&window));

  EXPECT_EQ(window.Create(nullptr, Rect{5, 5, 50, 50}), hwnd);
  EXPECT_EQ(window.initCalls, 1);
  EXPECT_EQ(GetTopLevelWindows().size(), 1U);
}

TEST_F(WindowObject, TheLastMessageGoesToThePreviousProcedureThenReleasesTheObject) {
  ProbeWindow window;
  const HWND owner = MakeWindow(0, 0, 100, 100);
  const HWND hwnd = window.Create(owner, u"Probe", WS_POPUP | WS_VISIBLE, 0, Rect{10, 10, 110, 60});
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window.GetParentHwnd(), owner);
  ASSERT_TRUE(window.DestroyWindow());
  EXPECT_TRUE(window.Saw(WM_DESTROY));
  EXPECT_FALSE(window.Saw(WM_NCDESTROY));
  EXPECT_EQ(window.destroyed, (std::vector<HWND>{hwnd}));
  EXPECT_EQ(window.handleAtDestroy, nullptr);
  EXPECT_EQ(window.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(window.DestroyWindow());
}

TEST_F(WindowObject, AWindowObjectMayDeleteItselfWhenItsWindowCloses) {
  bool deleted = false;
  auto* window = new SelfDeletingWindow(deleted);
  const HWND hwnd = window->Create(nullptr, u"Self", WS_POPUP | WS_VISIBLE, 0, Rect{0, 0, 50, 50});
  ASSERT_NE(hwnd, nullptr);
  Headless::RequestClose(hwnd);
  Headless::Pump();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowObject, DeletingTheObjectDestroysItsWindow) {
  auto window = std::make_unique<ProbeWindow>();
  const HWND hwnd = window->Create(nullptr);
  window.reset();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowObject, AFailedCreationLeavesNoWindowAndNoInitialisation) {
  ProbeWindow window;
  window.On(WM_CREATE, [](WPARAM, LPARAM) -> LRESULT { return -1; });
  EXPECT_EQ(window.Create(nullptr), nullptr);
  EXPECT_EQ(window.initCalls, 0);
  EXPECT_EQ(window.GetSafeHwnd(), nullptr);
  EXPECT_EQ(window.destroyed.size(), 1U);
}

TEST_F(WindowObject, ASuperClassNeedsItsBaseAndKeepsTheObjectInTheControlProperty) {
  SuperWindow orphan(u"NoSuchBase");
  EXPECT_FALSE(orphan.RegisterSuperClass());
  EXPECT_EQ(orphan.Create(nullptr), nullptr);

  SuperWindow window(u"HeadlessTest");
  const HWND hwnd = window.Create(nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetClassName(hwnd), u"SuperProbe");
  EXPECT_EQ(GetProp(hwnd, u"Control"), reinterpret_cast<std::intptr_t>(&window));
  EXPECT_EQ(GetWindowUserData(hwnd), 0);
  EXPECT_TRUE(window.RegisterSuperClass());  // an existing class counts as success
}

TEST_F(WindowObject, EveryWrapperDoesNothingWithoutAWindow) {
  const HWND focused = MakeWindow(0, 0, 100, 100);
  const HWND captured = MakeWindow(200, 0, 100, 100);
  SetFocus(focused);
  SetCapture(captured);
  ProbeWindow none;
  Rect rect{1, 2, 3, 4};
  Point point{7, 8};
  EXPECT_EQ(none.ShowModal(SW_SHOW), 0xFFFFFFFFU);
  EXPECT_FALSE(none.ShowWindow(SW_SHOW));
  EXPECT_FALSE(none.DestroyWindow());
  EXPECT_FALSE(none.EnableWindow(false));
  EXPECT_FALSE(none.IsWindowEnabled());
  EXPECT_FALSE(none.IsWindowVisible());
  EXPECT_FALSE(none.IsIconic());
  EXPECT_EQ(none.GetStyle(), 0U);
  EXPECT_EQ(none.GetExStyle(), 0U);
  EXPECT_FALSE(none.ModifyStyle(0, WS_VISIBLE, SWP_NOMOVE));
  EXPECT_FALSE(none.ModifyExStyle(0, WS_EX_LAYERED));
  EXPECT_FALSE(none.GetClientRect(rect));
  EXPECT_FALSE(none.GetWindowRect(rect));
  EXPECT_EQ(rect, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(none.SetWindowTextW(u"x"));
  EXPECT_EQ(none.GetWindowTextW(), u"");
  EXPECT_EQ(none.GetWindowTextLengthW(), -1);
  EXPECT_FALSE(none.InvalidateRect(nullptr, true));
  EXPECT_EQ(none.SetCapture(), nullptr);
  EXPECT_FALSE(none.ReleaseCapture());
  EXPECT_EQ(none.SetFocus(), nullptr);
  EXPECT_EQ(none.SetTimer(1, 100), 0U);
  EXPECT_FALSE(none.KillTimer(1));
  EXPECT_FALSE(none.ClientToScreen(point));
  EXPECT_FALSE(none.ScreenToClient(rect));
  EXPECT_EQ(point, (Point{7, 8}));
  EXPECT_FALSE(none.SetWindowPos(nullptr, 1, 1, 1, 1, 0));
  EXPECT_FALSE(none.MoveWindow(1, 1, 1, 1));
  EXPECT_EQ(none.SendMessageW(WM_USER, 0, 0), 0);
  EXPECT_FALSE(none.PostMessageW(WM_USER, 0, 0));
  none.CenterWindow();
  none.BringToTop();
  none.SetIcon(1);
  EXPECT_EQ(GetFocus(), focused);
  EXPECT_EQ(GetCapture(), captured);
  MSG msg;
  while (PeekMessage(msg) && msg.message != WM_PAINT) EXPECT_NE(msg.message, WM_USER);  // nothing posted to the thread
}

TEST_F(WindowObject, ModifyStyleReportsAChangeAndRefreshesTheFrameOnlyWhenAsked) {
  ProbeWindow window;
  window.Create(nullptr, u"Probe", WS_POPUP | WS_VISIBLE, 0, Rect{10, 10, 110, 60});
  const auto refreshes = [&window] {
    return std::count(window.messages.begin(), window.messages.end(), WM_WINDOWPOSCHANGED);
  };
  const auto before = refreshes();
  EXPECT_TRUE(window.ModifyStyle(0, WS_CLIPCHILDREN));
  EXPECT_FALSE(window.ModifyStyle(0, WS_CLIPCHILDREN));
  EXPECT_EQ(refreshes(), before);
  EXPECT_TRUE(window.ModifyExStyle(0, WS_EX_TOOLWINDOW, SWP_NOOWNERZORDER));
  EXPECT_EQ(refreshes(), before + 1);
  EXPECT_NE(window.GetExStyle() & WS_EX_TOOLWINDOW, 0U);
  EXPECT_TRUE(window.ModifyStyle(WS_CLIPCHILDREN, 0));
  EXPECT_EQ(window.GetStyle() & WS_CLIPCHILDREN, 0U);
  Rect rect;
  window.GetWindowRect(rect);
  EXPECT_EQ(rect, (Rect{10, 10, 110, 60}));
}

}  // namespace
}  // namespace zephuitest
