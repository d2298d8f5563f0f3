// MListBox: choosing rows by mouse and keyboard, the reports a page relies
// on, scrolling the chosen row into view, rows coming and going under the
// selection, and renaming in place.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/Headless.h"
#include "zephui/MListBox.h"
#include "zephui/MScroll.h"
#include "zephui/Manager.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr std::uint32_t kId = 70;
constexpr Rect kRect{20, 20, 220, 140};  // four rows of 30 show at a time

class MListBoxTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    list_ = Add<MListBox>(u"MListBox", kId, kRect, u"");
    ASSERT_NE(list_, nullptr);
    for (int i = 0; i < 6; ++i) list_->AddString(u"Row " + std::u16string(1, char16_t(u'0' + i)), -1, 100 + i);
    Settle();
  }
  void MoveTo(int x, int y) { Headless::MoveMouseToClient(hwnd_, x, y); Headless::Pump(); }
  void ClickRow(int row, Headless::Button button = Headless::Button::Left) {
    const Rect r = list_->GetItemRect(row);
    MoveTo(r.left + 40, (r.top + r.bottom) / 2);
    Headless::ButtonDown(button);
    Headless::ButtonUp(button);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // no double click unless asked for
  }
  static void Key(std::uint32_t vk) {
    Headless::PressKey(vk);
    Headless::Pump();
  }

  MListBox* list_ = nullptr;
};

TEST_F(MListBoxTest, MouseChoosesRowsAndReports) {
  MoveTo(60, 55);  // row 1
  for (int press = 0; press < 2; ++press) {  // a double click
    Headless::ButtonDown(Headless::Button::Left);
    Headless::ButtonUp(Headless::Button::Left);
    Headless::Pump();
  }
  Headless::AdvanceClock(1000);
  ClickRow(2, Headless::Button::Right);
  Settle();
  EXPECT_EQ(list_->GetCurSel(), 2);
  EXPECT_EQ(list_->GetCurData(), 102);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, 1, 0},
                                               {kId, NOTIFY_DBLCLICK, 1, 0},
                                               {kId, NOTIFY_RCLICK, 2, 0}}));
  // The chosen row is filled with the accent colour, the others are not.
  const int mid = list_->GetItemRect(2).top - kRect.top + 15;
  EXPECT_EQ(SlotPixel(*list_, 0, 180, mid), Manager::GetSelectColor());
  EXPECT_NE(SlotPixel(*list_, 0, 180, mid + 60), Manager::GetSelectColor());
}

TEST_F(MListBoxTest, KeysMoveTheSelectionAndKeepItInView) {
  ClickRow(0);
  ASSERT_TRUE(list_->IsFocused());
  Key(VK_END);
  EXPECT_EQ(list_->GetCurSel(), 5);
  EXPECT_EQ(list_->GetItemRect(5).bottom, kRect.bottom);
  Key(VK_DOWN);  // already last: no report
  Key(VK_PRIOR);
  EXPECT_EQ(list_->GetCurSel(), 1);
  EXPECT_EQ(list_->GetItemRect(1).top, kRect.top);
  Key(VK_HOME);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, 0, 0},
                                               {kId, NOTIFY_PRESSED, 5, 0},
                                               {kId, NOTIFY_PRESSED, 1, 0},
                                               {kId, NOTIFY_PRESSED, 0, 0}}));
  // The wheel scrolls a row at a time; a click then hits the row that shows there.
  MoveTo(60, 30);
  Headless::Wheel(-120);
  Headless::Pump();
  EXPECT_EQ(list_->GetItemRect(1).top, kRect.top);
  ClickRow(1);
  EXPECT_EQ(dialog_->notes.back(), (Note{kId, NOTIFY_PRESSED, 1, 0}));
}

TEST_F(MListBoxTest, SelectionFollowsItsRowThroughInsertsAndDeletes) {
  list_->SetCurSel(3);
  EXPECT_EQ(list_->InsertString(0, u"Top", -1, 7), 0);
  EXPECT_EQ(list_->GetCurData(), 103);
  EXPECT_EQ(list_->InsertString(9, u"Bad", -1, 8), -1);
  list_->DeleteItem(1);
  EXPECT_EQ(list_->GetCurSel(), 3);
  EXPECT_EQ(list_->GetCurData(), 103);
  list_->DeleteItem(3);
  EXPECT_EQ(list_->GetCurSel(), -1);
  EXPECT_EQ(list_->GetCurData(), 0);
  EXPECT_EQ(list_->FindItemData(105), 4);
  EXPECT_EQ(list_->FindString(u"Row 2"), 2);
  EXPECT_EQ(list_->SetCurSel(5), 0);
  list_->DeleteAllItems();
  EXPECT_FALSE(list_->GetScrollVertical()->IsVisible());
  EXPECT_TRUE(dialog_->notes.empty());  // the program's own changes are not reported
}

TEST_F(MListBoxTest, RenameInPlaceReportsTheRowDataOnlyWhenTheTextChanged) {
  EXPECT_FALSE(list_->ShowEdit());  // renaming is off
  list_->EnableShowEdit(true);
  EXPECT_FALSE(list_->ShowEdit());  // nothing chosen
  ClickRow(2);
  dialog_->notes.clear();
  ASSERT_TRUE(list_->ShowEdit());
  Headless::Pump();
  EXPECT_EQ(list_->GetEditItem(), 2);
  Key(VK_RETURN);  // unchanged: no report
  EXPECT_EQ(list_->GetEditItem(), -1);
  EXPECT_TRUE(dialog_->notes.empty());

  ASSERT_TRUE(list_->ShowEdit());
  Headless::Pump();
  Headless::TypeText(u"b");
  Headless::Pump();
  ClickRow(3);  // pressing another row ends the rename first
  EXPECT_EQ(list_->GetItemText(2), u"Row 2b");
  EXPECT_EQ(list_->GetCurSel(), 3);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_EDIT_END, 0, 102}, {kId, NOTIFY_PRESSED, 3, 0}}));
}

}  // namespace
}  // namespace cataloguetest
