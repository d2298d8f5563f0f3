// DListBox and CRecordList on a tab page of a headless dialog: inserting and
// scrolling, the reports a page relies on, renaming in place, and the delay
// editor's reading of what the user typed.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/CRecordList.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/MEdit.h"
#include "zephui/MScroll.h"
#include "zephui/MTabLayout.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr std::uint32_t kId = 71;

class RowListTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    page_ = Add<MTabLayout>(u"MTabLayout", 60, Rect{0, 0, 460, 200}, u"");
    ASSERT_NE(page_, nullptr);
  }
  // The lists come from the panel factory only, as on the program's pages.
  template <typename T>
  T* AddList(std::u16string_view className, const Rect& rect) {
    auto* list = dynamic_cast<T*>(page_->CreateControl(className, kId, rect, u"", true, true));
    dialog_->GetPaintManager().Invalidate();
    Settle();
    return list;
  }
  void MoveTo(int x, int y) {
    Headless::MoveMouseToClient(hwnd_, x, y);
    Headless::Pump();
  }
  void Click(int x, int y, Headless::Button button = Headless::Button::Left) {
    MoveTo(x, y);
    Headless::ButtonDown(button);
    Headless::ButtonUp(button);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // no double click
  }
  static void Type(std::u16string_view text) {
    Headless::TypeText(text);
    Headless::Pump();
  }
  static void Enter() {
    Headless::PressKey(VK_RETURN);
    Headless::Pump();
  }

  MTabLayout* page_ = nullptr;
};

TEST_F(RowListTest, ListInsertsAndShowsItsBarOnlyWhenRowsOverflow) {
  auto* list = AddList<DListBox>(u"DListBox", Rect{20, 20, 220, 120});  // 100 high, rows of 32
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(dialog_->CreateControl(u"DListBox", 9, Rect{0, 0, 10, 10}, u"", true, true), nullptr);
  EXPECT_EQ(list->InsertString(0, u"first", 0, 10), 0);  // an empty list appends
  list->AddString(u"second", 0);
  list->AddString(u"third", 30, 0);
  EXPECT_EQ(list->InsertString(5, u"bad", 0, 0), -1);
  EXPECT_EQ(list->GetItemCount(), 3);
  EXPECT_FALSE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(list->InsertString(1, u"inserted", 0, 20), 1);
  EXPECT_TRUE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(list->GetScrollVertical()->GetScrollRange(), 4 * 32);
  EXPECT_EQ(list->FindItemData(30), 3);
  list->SwapItem(0, 3);
  EXPECT_EQ(list->GetItemText(0), u"third");
  EXPECT_EQ(list->SetCurData(10), 3);
  EXPECT_EQ(list->GetCurData(), 10);

  // The wheel moves ten bar steps; the row under the pointer is then a later one.
  MoveTo(60, 30);
  Headless::Wheel(-120);
  Headless::Pump();
  EXPECT_EQ(list->GetVerticalOffset(), 28 * 100 / 128);
  Click(60, 45);  // row 0 unscrolled
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, 1, 0}, {kId, NOTIFY_CLICKED, 1, 0}}));
  list->DeleteAllItems();
  EXPECT_FALSE(list->GetScrollVertical()->IsVisible());
  EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(RowListTest, ListRenameCommitsBeforeAnotherRowIsChosen) {
  auto* list = AddList<DListBox>(u"DListBox", Rect{20, 20, 220, 180});
  ASSERT_NE(list, nullptr);
  for (const char16_t* name : {u"Game", u"Work", u"Office"}) list->AddString(name, 0);
  list->SetCurSel(0);
  EXPECT_FALSE(list->ShowEdit());  // renaming is off
  list->EnableShowEdit(true);
  ASSERT_TRUE(list->ShowEdit());
  Headless::Pump();
  Enter();  // unchanged: no report
  EXPECT_EQ(list->GetEditItem(), -1);
  EXPECT_TRUE(dialog_->notes.empty());

  ASSERT_TRUE(list->ShowEdit());
  Headless::Pump();
  Type(u"s");
  EXPECT_EQ(dialog_->notes.back(), (Note{kId, NOTIFY_EDIT_CHANGED, 0, 0}));
  EXPECT_EQ(list->GetTitle(), u"Games");
  dialog_->notes.clear();
  Click(60, 20 + 2 * 32 + 16);
  EXPECT_EQ(list->GetItemText(0), u"Games");
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_EDIT_END, 0, 0},
                                               {kId, NOTIFY_PRESSED, 2, 0},
                                               {kId, NOTIFY_CLICKED, 2, 0}}));
  // A right release selects the row under the pointer and reports it.
  Click(60, 20 + 32 + 16, Headless::Button::Right);
  EXPECT_EQ(dialog_->notes.back(), (Note{kId, NOTIFY_RCLICK, 1, 0}));
  EXPECT_EQ(list->GetCurSel(), 1);
}

TEST_F(RowListTest, RecordListAddsAtTheEndAndReportsEveryPress) {
  auto* list = AddList<CRecordList>(u"CRecordList", Rect{10, 10, 450, 133});  // three rows of 41
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->UpdateDelayTime(50));
  for (int i = 0; i < 5; ++i) list->AddString(u"A", i % 2 == 0 ? RECORD_KEY_DOWN : RECORD_KEY_UP, 4, 100 + i);
  EXPECT_EQ(list->GetRowRect(4).bottom, 133);  // scrolled to the end
  EXPECT_TRUE(list->UpdateDelayTime(77));
  const std::vector<RecordItem*> steps = list->GetRecordItems();
  ASSERT_EQ(steps.size(), 5U);
  EXPECT_EQ(steps[4]->delay, 77);
  EXPECT_EQ(steps[1]->type, RECORD_KEY_UP);

  const Rect last = list->GetRowRect(4);
  Click(50, last.top + 20);
  Click(50, last.top + 20, Headless::Button::Right);
  for (int row = 4; row >= 2; --row) list->DeleteItem(row);
  Click(50, 130);  // below the rows that are left
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, 4, 0},
                                               {kId, NOTIFY_RCLICK, 4, 0},
                                               {kId, NOTIFY_PRESSED, static_cast<WPARAM>(-1), 0}}));
  EXPECT_EQ(list->GetEditItem(), -1);  // presses outside the delay column never edit
}

TEST_F(RowListTest, DelayEditorReadsEmptyAsTenAndKeepsOnlyLeadingDigits) {
  auto* list = AddList<CRecordList>(u"CRecordList", Rect{10, 10, 450, 190});
  ASSERT_NE(list, nullptr);
  list->AddString(u"Shift", RECORD_KEY_DOWN, 225, 100);
  list->AddString(u"Shift", 0, 225, 40);
  const auto editDelay = [&](int row, std::u16string_view text) {
    const Rect r = list->GetRowRect(row);
    Click(r.left + 360, r.top + 20);  // the delay column opens the editor
    EXPECT_EQ(list->GetEditItem(), row);
    ASSERT_NE(list->GetEditor(), nullptr);
    list->GetEditor()->SetEditText(std::u16string(text));
    Enter();
    EXPECT_EQ(list->GetEditItem(), -1);
  };
  editDelay(0, u"");
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 10);
  editDelay(0, u"250ms");
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 250);
  editDelay(1, u"x5");
  EXPECT_EQ(list->GetRecordItems()[1]->delay, 0);
  editDelay(1, u"0");  // unchanged: no report
  std::vector<LPARAM> ended;
  for (const Note& note : dialog_->notes) {
    if (note.code == NOTIFY_EDIT_END) ended.push_back(note.lParam);
  }
  EXPECT_EQ(ended, (std::vector<LPARAM>{0, 0, 1}));

  // Typing is limited to five digits.
  const Rect r = list->GetRowRect(0);
  Click(r.left + 360, r.top + 20);
  list->GetEditor()->SetEditText(u"");
  Type(u"12a34567");
  Enter();
  EXPECT_EQ(list->GetRecordItems()[0]->delay, 12345);
}

}  // namespace
}  // namespace cataloguetest
