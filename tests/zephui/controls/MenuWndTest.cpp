// MenuWnd and MenuItem: one report per chosen row, closing on a click and on
// deactivation, row layout with separators and hidden rows, widening to the
// widest title, placement inside the work area, and the keyboard.
#include <gtest/gtest.h>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/MenuItem.h"
#include "zephui/MenuWnd.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr UINT kReport = WM_USER + 50;
constexpr std::uint32_t kCopy = 201;
constexpr std::uint32_t kLine = 202;
constexpr std::uint32_t kCut = 203;
constexpr std::uint32_t kPaste = 204;

class MenuWndTest : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    owner_ = MakeWindow(0, 0, 800, 600);
  }
  // A menu of Copy, a separator, a hidden Cut and Paste, opened at `at`.
  HWND Open(Point at, HWND owner) {
    menu_ = new MenuWnd(nullptr);
    menu_->SetItemVisible(u"Cut", false);  // waits until the row exists
    if (menu_->Create(owner, at, kReport) != 1) return nullptr;
    menu_->AddMenu(u"Copy", kCopy, u"", 0, 0);
    menu_->AddSeparator(kLine, u"");
    menu_->AddMenu(u"Cut", kCut, u"", 0, 0);
    menu_->AddMenu(u"Paste", kPaste, u"", 0, 0);
    Headless::Pump();
    return menu_->GetSafeHwnd();
  }
  MenuItem* Row(std::uint32_t id) const { return static_cast<MenuItem*>(menu_->GetControl(id)); }
  static void Key(std::uint32_t vk) {
    Headless::PressKey(vk);
    Headless::Pump();
  }
  int Reports() { return Procedure(owner_).Count(kReport); }

  HWND owner_ = nullptr;
  MenuWnd* menu_ = nullptr;  // deletes itself when its window goes
};

TEST_F(MenuWndTest, RowsStackWithSeparatorsAndWithoutHiddenRows) {
  const HWND hwnd = Open(Point{100, 100}, owner_);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetWindowText(hwnd), u"Menu Window");
  EXPECT_EQ(Row(kCopy)->GetRect(), (Rect{2, 6, 298, 41}));
  EXPECT_EQ(Row(kLine)->GetRect(), (Rect{6, 42, 299, 43}));  // four pixels of layout, a one-pixel line
  EXPECT_EQ(Row(kCut)->GetRect(), Rect{});
  EXPECT_EQ(Row(kPaste)->GetRect(), (Rect{2, 45, 298, 80}));
  Rect window;
  GetWindowRect(hwnd, window);
  EXPECT_EQ(window, (Rect{100, 100, 400, 186}));  // bottom margin 6 below the last row
  EXPECT_TRUE(Row(kCopy)->IsClass(u"MenuItem"));
}

TEST_F(MenuWndTest, AClickPostsOneReportAndCloses) {
  const HWND hwnd = Open(Point{100, 100}, owner_);
  Headless::ClickClient(hwnd, 50, 60);  // Paste
  Headless::Pump();
  ASSERT_EQ(Reports(), 1);
  EXPECT_EQ(Procedure(owner_).Last(kReport)->wParam, 0U);
  EXPECT_EQ(Procedure(owner_).Last(kReport)->lParam, static_cast<LPARAM>(kPaste));
  EXPECT_FALSE(IsWindow(hwnd));

  // A click outside the menu, and another program taking the focus, close it without a report.
  const HWND again = Open(Point{100, 100}, owner_);
  Headless::ClickClient(owner_, 700, 500);
  Headless::Pump();
  EXPECT_FALSE(IsWindow(again));
  const HWND other = Open(Point{100, 100}, owner_);
  Headless::ActivateOtherProgram();
  Headless::Pump();
  EXPECT_FALSE(IsWindow(other));
  // A menu without an owner window closes on a click and reports to nobody.
  const HWND lonely = Open(Point{100, 100}, nullptr);
  Headless::ClickClient(lonely, 50, 20);
  Headless::Pump();
  EXPECT_FALSE(IsWindow(lonely));
  EXPECT_EQ(Reports(), 1);
}

TEST_F(MenuWndTest, AWideTitleWidensTheMenu) {
  const HWND hwnd = Open(Point{100, 100}, owner_);
  const std::u16string wide(40, u'W');
  menu_->AddMenu(wide, 205, u"", 0, 0);
  const Font font(Manager::GetFontName(), Manager::GetFontWidth());
  const int expected = MRender::GetTextBounds(font, TextFormat::SingleLine, 0, wide).width + 5 + 4;
  ASSERT_GT(expected, 300);
  EXPECT_EQ(menu_->GetMenuWidth(), expected);
  Rect client;
  GetClientRect(hwnd, client);
  EXPECT_EQ(client.Width(), expected);
  EXPECT_EQ(Row(kCopy)->GetRect().right, expected - 2);
}

TEST_F(MenuWndTest, OpensInsideTheWorkAreaOfThePointsMonitor) {
  Headless::SetMonitors({MonitorInfo{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}, true},
                         MonitorInfo{Rect{1920, 0, 3840, 1080}, Rect{1920, 0, 3840, 1050}, false}});
  Rect window;
  GetWindowRect(Open(Point{1900, 1030}, owner_), window);
  EXPECT_EQ(window, (Rect{1600, 944, 1900, 1030}));  // to the left of and above the point
  menu_->CloseWindow();
  Headless::Pump();
  GetWindowRect(Open(Point{1930, 990}, owner_), window);
  EXPECT_EQ(window, (Rect{1930, 904, 2230, 990}));  // the second monitor's own work area
}

TEST_F(MenuWndTest, ArrowsSkipWhatCannotBeChosenAndEnterChooses) {
  const HWND hwnd = Open(Point{100, 100}, owner_);
  menu_->AddMenu(u"Delete", 205, u"", 0, 0);
  menu_->SetItemEnable(u"Paste", false);
  Key(VK_DOWN);
  EXPECT_EQ(menu_->GetHighlightedItem(), Row(kCopy));
  Key(VK_DOWN);  // over the separator, the hidden and the disabled row
  EXPECT_EQ(menu_->GetHighlightedItem(), Row(205));
  EXPECT_EQ(Row(kCopy)->GetState(), MENU_ITEM_STATE_NORMAL);
  Key(VK_DOWN);  // wraps
  EXPECT_EQ(menu_->GetHighlightedItem(), Row(kCopy));
  Key(VK_RETURN);
  ASSERT_EQ(Reports(), 1);
  EXPECT_EQ(Procedure(owner_).Last(kReport)->lParam, static_cast<LPARAM>(kCopy));
  EXPECT_FALSE(IsWindow(hwnd));

  const HWND escaped = Open(Point{100, 100}, owner_);
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(escaped));
  EXPECT_EQ(Reports(), 1);
}

}  // namespace
}  // namespace zephuitest
