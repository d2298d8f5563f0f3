// MComboBox with its popup list: how many rows open and where, what a choice
// reports, the keys of the list, and the item operations pages rely on.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/CComboBoxList.h"
#include "zephui/CComboBoxWnd.h"
#include "zephui/Headless.h"
#include "zephui/MComboBox.h"
#include "zephui/Text.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr std::uint32_t kId = 60;
constexpr Rect kRect{40, 60, 240, 98};  // client pixels; the dialog's client starts at (100, 100)

class MComboBoxTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    combo_ = Add<MComboBox>(u"MComboBox", kId, kRect, u"");
    ASSERT_NE(combo_, nullptr);
  }
  void Fill(int count) {
    for (int i = 0; i < count; ++i) combo_->AddItem(u"Item " + DecimalText(i), 100 + i, u"", ArgbColor());
  }
  void ClickCombo() {
    Headless::AdvanceClock(1000);
    Headless::MoveMouseToClient(hwnd_, 5, 5);  // a move first: after a deactivation nothing is hovered
    Headless::ClickClient(hwnd_, 140, 79);
    Settle();
  }
  CComboBoxList* List() const { return combo_->GetPopup() != nullptr ? combo_->GetPopup()->GetList() : nullptr; }
  Rect PopupRect() const {
    Rect rect;
    GetWindowRect(combo_->GetPopup()->GetSafeHwnd(), rect);
    return rect;
  }

  MComboBox* combo_ = nullptr;
};

TEST_F(MComboBoxTest, ListShowsAtMostFiveRowsAndScrollsTheRest) {
  Fill(3);
  ClickCombo();
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_EQ(GetWindowText(combo_->GetPopup()->GetSafeHwnd()), u"ComboWnd");
  EXPECT_EQ(PopupRect(), (Rect{144, 200, 334, 200 + 3 * 30 + 12}));  // below, 4 in from the left, 6 from the right
  EXPECT_FALSE(List()->HasScrollBar());

  combo_->CloseList();
  Settle();
  EXPECT_FALSE(combo_->IsOpen());
  Fill(4);
  ClickCombo();
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_EQ(PopupRect().Height(), 5 * 30 + 12);
  ASSERT_TRUE(List()->HasScrollBar());
  // The wheel scrolls the rows that do not fit; End shows the last one whole.
  Headless::MoveMouse(Point{200, 230});
  Headless::Wheel(-120);
  Settle();
  EXPECT_GT(List()->GetVerticalOffset(), 0);
  Headless::PressKey(VK_END);
  Settle();
  EXPECT_EQ(List()->GetSelectedRow(), 6);
  EXPECT_EQ(List()->GetVerticalOffset(), 7 * 30 - List()->GetRect().Height());
}

TEST_F(MComboBoxTest, OpensAboveWhenTheWorkAreaEndsBelow) {
  Fill(4);
  Headless::SetScreen(Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 300});
  ClickCombo();
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_EQ(PopupRect(), (Rect{140, 160 - 4 * 30 - 12, 340, 160}));
}

TEST_F(MComboBoxTest, ChoosingARowReportsItEvenWhenAlreadySelected) {
  Fill(3);
  combo_->SetCurSel(1);
  for (int round = 0; round < 2; ++round) {
    ClickCombo();
    ASSERT_TRUE(combo_->IsOpen());
    dialog_->notes.clear();
    const Rect list = List()->GetRect();
    Rect popup = PopupRect();
    Headless::ClickClient(combo_->GetPopup()->GetSafeHwnd(), list.left + 20, list.top + 45);  // row 1
    Settle();
    EXPECT_FALSE(combo_->IsOpen()) << round;
    EXPECT_EQ(combo_->GetCurSel(), 1);
    EXPECT_EQ(combo_->GetTitle(), u"Item 1");
    EXPECT_EQ(dialog_->notes, (std::vector<NoteDialog::Note>{{kId, NOTIFY_CLICKED, 1, 0}})) << round;
    EXPECT_GT(popup.Height(), 0);
  }
  // Escape closes the list without a choice; so does another program taking the focus.
  ClickCombo();
  dialog_->notes.clear();
  Headless::PressKey(VK_DOWN);
  Headless::PressKey(VK_ESCAPE);
  Settle();
  EXPECT_FALSE(combo_->IsOpen());
  ClickCombo();
  Headless::ActivateOtherProgram();
  Settle();
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_TRUE(dialog_->notes.empty());
  EXPECT_EQ(combo_->GetCurSel(), 1);
  // Keys on the closed box step through the items.
  SetForegroundWindow(hwnd_);
  Settle();
  Headless::PressKey(VK_DOWN);
  Settle();
  EXPECT_EQ(combo_->GetCurSel(), 2);
}

TEST_F(MComboBoxTest, ItemOperationsKeepTheSelectionHonest) {
  Fill(3);
  EXPECT_EQ(combo_->InsertItem(-2, u"bad", 1, u"", ArgbColor()), -1);
  EXPECT_EQ(combo_->InsertItem(4, u"bad", 1, u"", ArgbColor()), -1);
  EXPECT_EQ(combo_->SelectData(102), 1);
  EXPECT_EQ(combo_->GetCurSel(), 2);
  EXPECT_EQ(combo_->SelectData(999), 0);  // a miss keeps the selection
  EXPECT_EQ(combo_->GetCurSel(), 2);
  EXPECT_EQ(combo_->InsertItem(0, u"First", 7, u"", ArgbColor()), 0);
  EXPECT_EQ(combo_->GetCurData(), 102);  // the selection moved with its item
  combo_->SetItemText(3, u"Renamed");
  EXPECT_EQ(combo_->GetTitle(), u"Renamed");
  EXPECT_EQ(combo_->DeleteItem(3), 1);
  EXPECT_EQ(combo_->GetCurSel(), -1);
  EXPECT_EQ(combo_->GetTitle(), u"");
  EXPECT_EQ(combo_->SetCurSel(9), 0);
  combo_->SetCurSel(0);
  combo_->DelAllItems();
  EXPECT_EQ(combo_->GetCurData(), 0);
  EXPECT_EQ(combo_->GetTitle(), u"");
  ClickCombo();
  EXPECT_FALSE(combo_->IsOpen());  // nothing to list
}

}  // namespace
}  // namespace cataloguetest
