// KeyFuncControl on a tab page of a headless dialog: presses on items and on
// the gaps between them, check marks in the button faces, and tooltips that
// only the media row shows.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/Headless.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/MTabLayout.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr std::uint32_t kId = 72;
constexpr Rect kRect{0, 0, 400, 190};  // the picker's top left part, inside the dialog
constexpr int kEsc = 18;               // first key item after the media row
constexpr int kF1 = 19;

class KeyFuncControlTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    auto* page = Add<MTabLayout>(u"MTabLayout", 60, Rect{0, 0, 400, 300}, u"");
    ASSERT_NE(page, nullptr);
    picker_ = dynamic_cast<KeyFuncControl*>(page->CreateControl(u"KeyFuncControl", kId, kRect, u"", true, true));
    ASSERT_NE(picker_, nullptr);
    picker_->SetImage(u"btn_test.png", 4);
    picker_->InitItemInfo();
    Settle();
  }
  void MoveTo(int x, int y) {
    Headless::MoveMouseToClient(hwnd_, x, y);
    Headless::Pump();
  }
  void Press(int x, int y) {
    MoveTo(x, y);
    Headless::ButtonDown(Headless::Button::Left);
    Headless::ButtonUp(Headless::Button::Left);
    Headless::Pump();
    Headless::AdvanceClock(1000);
  }
  // The frame centre colour an item's face shows now.
  ArgbColor Face(int index) {
    dialog_->GetPaintManager().Invalidate();
    Settle();
    const Rect r = picker_->GetItemRect(index);
    return SlotPixel(*picker_, 0, r.left + 10, r.top + 2 + 4);
  }

  KeyFuncControl* picker_ = nullptr;
};

TEST_F(KeyFuncControlTest, PressesOnGapsReportNoItemAndCheckMarksLightTheFace) {
  ASSERT_EQ(picker_->GetItemCount(), 122);
  Press(50, 38 + 14);  // between "Esc" (right edge 36) and "F1" (left edge 78)
  int first = 7;
  int data = 0;
  int key1 = 0;
  int key2 = 0;
  std::u16string text;
  EXPECT_FALSE(picker_->GetCurItemData(first, data, key1, key2, text));
  Press(90, 38 + 14);  // "F1"
  ASSERT_TRUE(picker_->GetCurItemData(first, data, key1, key2, text));
  EXPECT_EQ(first, 7);
  EXPECT_EQ(data, 58);
  EXPECT_EQ(text, u"F1");
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, static_cast<WPARAM>(-1), 0},
                                               {kId, NOTIFY_PRESSED, static_cast<WPARAM>(kF1), 0}}));
  EXPECT_EQ(Face(kF1), Centre(2));  // pressed
  EXPECT_EQ(Face(kEsc), Centre(0));

  MoveTo(5, 195);  // below the picker: no hover
  picker_->SetItemCheckByItemData(41, 0, 0);
  EXPECT_EQ(picker_->GetCheckedItem(), kEsc);
  EXPECT_EQ(Face(kEsc), Centre(2));
  EXPECT_EQ(Face(kF1), Centre(0));  // the check clears the press
  picker_->SetItemCheckByItemData(41, 1, 0);  // key fields must match too
  EXPECT_EQ(picker_->GetCheckedItem(), -1);
  picker_->SetItemCheckByItemData(0, 0, 0);
  EXPECT_EQ(picker_->GetCheckedItem(), -1);
  EXPECT_EQ(Face(kEsc), Centre(0));
  MoveTo(kRect.left + 90, 38 + 14);
  EXPECT_EQ(Face(kF1), Centre(1));  // hovered
}

TEST_F(KeyFuncControlTest, OnlyTheMediaRowShowsTooltipsAndOnlyWithDescriptions) {
  const PaintManager& manager = dialog_->GetPaintManager();
  MoveTo(20, 14);  // the first media item, no description yet
  MoveTo(21, 14);
  EXPECT_EQ(manager.GetTooltipCtrlID(), 0U);
  picker_->SetItemDesc(249, u"My Computer");
  picker_->SetItemDesc(43, u"Tabulator");
  MoveTo(22, 14);
  EXPECT_EQ(manager.GetTooltipCtrlID(), kId);
  MoveTo(30, 109 + 14);  // "Tab", with a description: no tip (clear of the media row's tip window)
  MoveTo(31, 109 + 14);
  EXPECT_EQ(manager.GetTooltipCtrlID(), 0U);
  // A rebuild forgets the descriptions.
  picker_->InitItemInfo();
  MoveTo(20, 14);
  MoveTo(21, 14);
  EXPECT_EQ(manager.GetTooltipCtrlID(), 0U);
}

}  // namespace
}  // namespace cataloguetest
