// MTabCtrl and MTabLayout: selection and its one notification, pages shown
// and hidden, the layout rules the main window relies on, clicks that pass
// through the strip's band and empty pages, and the lit titles on screen.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/Headless.h"
#include "zephui/MButton.h"
#include "zephui/MRender.h"
#include "zephui/MTabCtrl.h"
#include "zephui/MTabLayout.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;
using renderprobe::Near;

namespace cataloguetest {
namespace {

constexpr std::uint32_t kStripId = 50;
constexpr Rect kStrip{0, 0, 400, 200};  // the whole client area, as the main window's strip
constexpr Rect kPage{80, 0, 400, 200};
constexpr int kTabWidth = 80;
constexpr int kTabHeight = 50;
constexpr ArgbColor kLit{0xFF11A9FD};

using Note = NoteDialog::Note;

class TabCtrlTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    below_ = Add<MButton>(u"MButton", 40, Rect{10, 170, 70, 195}, u"Below");
    strip_ = Add<MTabCtrl>(u"MTabCtrl", kStripId, kStrip, u"");
    ASSERT_NE(strip_, nullptr);
    strip_->SetTabType(TAB_TYPE_VERTICAL);
    strip_->SetTabCtrlWidth(kTabWidth);
    strip_->SetTabCtrlHeight(kTabHeight);
    const std::array<const char16_t*, 3> titles{u"Home", u"Keys", u"Light"};
    for (int i = 0; i < 3; ++i) {
      pages_[i] = strip_->CreatePanel(u"MTabLayout", 60 + i, kPage);
      ASSERT_NE(pages_[i], nullptr);
      strip_->InsertItem(10 + i, titles[i], u"", pages_[i], -1, 0);
    }
    Settle();
  }
  void Click(int x, int y) {
    Headless::AdvanceClock(1000);  // never a double click
    Headless::ClickClient(hwnd_, x, y);
    Headless::Pump();
  }
  std::array<bool, 3> Shown() const {
    return {pages_[0]->IsVisible(), pages_[1]->IsVisible(), pages_[2]->IsVisible()};
  }
  // True when some pixel of the rectangle in the window's last picture is near `colour`.
  bool Shows(const Rect& rect, ArgbColor colour) {
    const std::string path = TempPath("window.png");
    EXPECT_TRUE(Headless::WritePng(hwnd_, path));
    const std::unique_ptr<Image> shot = MRender::LoadImageFromFile(path);
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; shot && x < rect.right; ++x) {
        if (Near(shot->PixelAt(x, y), colour, 6)) return true;
      }
    }
    return false;
  }

  MButton* below_ = nullptr;
  MTabCtrl* strip_ = nullptr;
  std::array<MControl*, 3> pages_{};
};

TEST_F(TabCtrlTest, SelectionNotifiesOnceAndShowsOnlyItsPage) {
  EXPECT_EQ(Shown(), (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(strip_->SetSelectItem(1), -1);
  EXPECT_EQ(Shown(), (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(strip_->SetSelectItem(1), 1);  // already selected: nothing
  EXPECT_EQ(strip_->SetSelectItem(3), 1);  // past the end: nothing
  EXPECT_EQ(strip_->SetSelectItem(-1), 1);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kStripId, NOTIFY_CLICKED, 1, 0}}));

  Click(40, 2 * kTabHeight + 10);  // the third tab
  EXPECT_EQ(strip_->GetSelectItem(), 2);
  EXPECT_EQ(Shown(), (std::array<bool, 3>{false, false, true}));
  // The strip has the focus now: the arrows along it walk the tabs.
  Headless::PressKey(VK_UP);
  Headless::Pump();
  EXPECT_EQ(strip_->GetSelectItem(), 1);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kStripId, NOTIFY_CLICKED, 1, 0},
                                               {kStripId, NOTIFY_CLICKED, 2, 0},
                                               {kStripId, NOTIFY_CLICKED, 1, 0}}));
}

TEST_F(TabCtrlTest, LayoutRulesForHiddenTabsAndRecordsWrittenInPlace) {
  EXPECT_EQ(strip_->GetItemInfo(1)->rect, (Rect{0, kTabHeight, kTabWidth, 2 * kTabHeight}));
  strip_->SetSelectItem(2);
  strip_->SetItemVisible(1, false);
  // Laid out again: hidden tabs take no room, and vertical tabs are one pixel apart.
  EXPECT_EQ(strip_->GetItemInfo(1)->rect, Rect{});
  EXPECT_EQ(strip_->GetItemInfo(2)->rect, (Rect{0, kTabHeight + 1, kTabWidth, 2 * kTabHeight + 1}));
  // Hiding the selected last tab moves the selection to the last visible one before it.
  strip_->SetItemVisible(2, false);
  EXPECT_EQ(strip_->GetSelectItem(), 0);
  EXPECT_EQ(Shown(), (std::array<bool, 3>{true, false, false}));

  EXPECT_EQ(strip_->GetItemID(2), 12);
  EXPECT_EQ(strip_->GetItemID(3), 0);
  EXPECT_EQ(strip_->GetItemInfo(-1), nullptr);

  // A rectangle the application writes after layout is where the tab is, until the next layout.
  strip_->SetItemVisible(2, true);
  strip_->GetItemInfo(2)->rect = Rect{0, 120, kTabWidth, 160};
  Click(40, kTabHeight + 10);  // where it was laid out
  EXPECT_EQ(strip_->GetSelectItem(), 0);
  Click(40, 140);
  EXPECT_EQ(strip_->GetSelectItem(), 2);
}

TEST_F(TabCtrlTest, HorizontalTabsShareTheWidthWithinTheLimits) {
  auto* bar = Add<MTabCtrl>(u"MTabCtrl", 51, Rect{0, 0, 300, 40}, u"");
  bar->SetTabCtrlHeight(40);
  for (int i = 0; i < 4; ++i) bar->InsertItem(i, u"T", u"", nullptr, -1, 30);
  bar->SetItemWidth(100, 40, true);
  EXPECT_EQ(bar->GetItemInfo(3)->rect, (Rect{225, 0, 300, 40}));
  for (int i = 0; i < 4; ++i) bar->InsertItem(i, u"T", u"", nullptr, -1, 30);
  EXPECT_EQ(bar->GetItemInfo(7)->rect, (Rect{280, 0, 320, 40}));  // 300 / 8 is below the smallest
}

TEST_F(TabCtrlTest, TheBandOutsideTabsAndEmptyPagesLetClicksThrough) {
  Click(40, 180);  // in the band, below the last tab
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{40, NOTIFY_PRESSED, 0, 0}, {40, NOTIFY_CLICKED, 0, 0}}));
  EXPECT_EQ(strip_->GetSelectItem(), -1);

  strip_->SetSelectItem(0);
  auto* page = static_cast<MTabLayout*>(pages_[0]);
  page->CreateControl(u"MButton", 70, Rect{100, 20, 160, 50}, u"In", true, true);
  EXPECT_FALSE(page->PtInRect(Point{200, 100}));
  EXPECT_TRUE(page->PtInRect(Point{120, 30}));
  dialog_->notes.clear();
  Click(120, 30);  // a page control reports through the strip to the dialog
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{70, NOTIFY_PRESSED, 0, 0}, {70, NOTIFY_CLICKED, 0, 0}}));
}

TEST_F(TabCtrlTest, SelectedAndHoveredTitlesAreLit) {
  strip_->SetSelectItem(1);
  Settle();
  const Rect first{0, 0, kTabWidth, kTabHeight};
  const Rect second{0, kTabHeight, kTabWidth, 2 * kTabHeight};
  EXPECT_TRUE(Shows(second, kLit));
  EXPECT_FALSE(Shows(first, kLit));
  EXPECT_TRUE(Shows(first, ArgbColor(0xFFFFFFFF)));
  Headless::MoveMouseToClient(hwnd_, 40, 25);
  Settle();
  EXPECT_EQ(strip_->GetHoverItem(), 0);
  EXPECT_TRUE(Shows(first, kLit));
  EXPECT_FALSE(Shows(first, ArgbColor(0xFFFFFFFF)));
}

}  // namespace
}  // namespace cataloguetest
