// MEdit: the editor window it opens over itself, what typing and focus
// changes report, the rules that keep the editor shut, and the tip picture.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/Clipboard.h"
#include "zephui/Headless.h"
#include "zephui/MEdit.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr std::uint32_t kId = 50;
constexpr Rect kRect{40, 60, 240, 92};  // 200 x 32
constexpr Rect kSecond{40, 120, 240, 152};

class MEditTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    edit_ = Add<MEdit>(u"MEdit", kId, kRect, u"");
    ASSERT_NE(edit_, nullptr);
  }
  void Click(int x, int y) {
    Headless::AdvanceClock(1000);  // never a double click
    Headless::ClickClient(hwnd_, x, y);
    Settle();
  }
  std::vector<UINT> Codes() const {
    std::vector<UINT> codes;
    for (const auto& note : dialog_->notes) codes.push_back(note.code);
    return codes;
  }
  static void Chord(std::uint32_t modifier, std::uint32_t key) {
    Headless::KeyDown(modifier);
    Headless::PressKey(key);
    Headless::KeyUp(modifier);
    Settle();
  }

  MEdit* edit_ = nullptr;
};

TEST_F(MEditTest, TypingReportsEveryChangeAndFocusLeavingKeepsTheText) {
  Click(140, 76);
  ASSERT_TRUE(edit_->IsEditFocused());
  const HWND editor = edit_->GetEditWindow();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_EQ(Codes(), (std::vector<UINT>{NOTIFY_EDIT_BEGIN, NOTIFY_PRESSED, NOTIFY_CLICKED}));
  Rect placed;
  GetWindowRect(editor, placed);
  ScreenToClient(hwnd_, placed);
  EXPECT_TRUE(kRect.Contains(placed.left, placed.top) && placed.right <= kRect.right && placed.bottom <= kRect.bottom);

  dialog_->notes.clear();
  Headless::TypeText(u"\u4F60\u597D\U0001F600");  // two Chinese characters and an emoji (a surrogate pair)
  Settle();
  EXPECT_EQ(edit_->GetEditText(), u"\u4F60\u597D\U0001F600");
  EXPECT_EQ(edit_->GetTitle(), edit_->GetEditText());
  EXPECT_EQ(Codes(), std::vector<UINT>(3, NOTIFY_EDIT_CHANGED));  // the pair is one change
  Headless::PressKey(VK_BACK);
  Settle();
  EXPECT_EQ(edit_->GetEditText(), u"\u4F60\u597D");

  dialog_->notes.clear();
  Headless::ActivateOtherProgram();
  Settle();
  EXPECT_FALSE(edit_->IsEditFocused());
  EXPECT_FALSE(IsWindowVisible(editor));
  EXPECT_EQ(edit_->GetTitle(), u"\u4F60\u597D");
  EXPECT_EQ(Codes(), std::vector<UINT>{NOTIFY_EDIT_END});
}

TEST_F(MEditTest, ClickElsewhereTabAndPasteFollowTheFieldsRules) {
  auto* second = Add<MEdit>(u"MEdit", kId + 1, kSecond, u"");
  ASSERT_NE(second, nullptr);
  second->SetNumberOnly(true);
  Click(140, 76);
  Headless::TypeText(u"abc");
  Headless::PressKey(VK_TAB);
  Settle();
  EXPECT_FALSE(edit_->IsEditFocused());
  EXPECT_EQ(edit_->GetTitle(), u"abc");
  ASSERT_TRUE(second->IsEditFocused());
  EXPECT_EQ(GetFocus(), second->GetEditWindow());

  // A megabyte of pasted text keeps the digits that fit the limit.
  ASSERT_TRUE(SetClipboardText(std::u16string(1 << 20, u'7') + u"x"));
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(second->GetEditText(), std::u16string(EDIT_DEFAULT_LIMIT, u'7'));

  dialog_->notes.clear();
  Click(300, 180);  // empty background of the dialog
  EXPECT_FALSE(second->IsEditFocused());
  EXPECT_EQ(second->GetTitle().size(), static_cast<std::size_t>(EDIT_DEFAULT_LIMIT));
  EXPECT_EQ(Codes(), std::vector<UINT>{NOTIFY_EDIT_END});
}

TEST_F(MEditTest, ReadOnlyOrDisabledFieldsNeverOpenTheEditor) {
  edit_->SetReadOnly(true);
  Click(140, 76);
  EXPECT_FALSE(edit_->IsEditFocused());
  EXPECT_EQ(edit_->GetEditWindow(), nullptr);
  edit_->SetReadOnly(false);
  edit_->SetEnabled(false);
  Click(140, 76);
  EXPECT_EQ(edit_->GetEditWindow(), nullptr);
  for (UINT code : Codes()) EXPECT_NE(code, static_cast<UINT>(NOTIFY_EDIT_BEGIN));

  // Disabling a field while it edits closes the editor and keeps the text.
  edit_->SetEnabled(true);
  Click(140, 76);
  Headless::TypeText(u"kept");
  Settle();
  edit_->SetEnabled(false);
  EXPECT_FALSE(edit_->IsEditFocused());
  EXPECT_EQ(edit_->GetTitle(), u"kept");
}

TEST_F(MEditTest, IconIsAButtonOfItsOwnThatClosesTheEditor) {
  ASSERT_EQ(edit_->SetIconImage(u"btn_test.png", 4), 1);
  const Rect icon = edit_->GetIconRect();
  EXPECT_EQ(icon, (Rect{kRect.right - 9 - kFrame, 66, kRect.right - 9, 86}));
  Click(140, 76);
  ASSERT_TRUE(edit_->IsEditFocused());
  Headless::TypeText(u"typed");
  Settle();
  dialog_->notes.clear();
  Click(icon.left + 5, icon.top + 5);
  EXPECT_FALSE(edit_->IsEditFocused());
  EXPECT_EQ(edit_->GetTitle(), u"typed");
  EXPECT_EQ(Codes(), (std::vector<UINT>{NOTIFY_EDIT_END, NOTIFY_ITEM_BUTTON, NOTIFY_EDIT_ICON}));
  EXPECT_EQ(edit_->GetIconState(), 1);
}

TEST_F(MEditTest, EmptyFieldShowsItsTipInGreyAndPasswordsAreMasked) {
  edit_->SetFont(edit_->GetTextFont(), 20, 1);
  edit_->SetTipInfo(u"Name");
  Settle();
  const auto white = Is(ArgbColor(0xFFFFFFFF));
  const auto grey = Is(ArgbColor(0xFF808080));
  EXPECT_GT(SlotBox(*edit_, 0, grey).Width(), 0);
  EXPECT_EQ(SlotBox(*edit_, 0, white), Rect{});

  edit_->SetEditText(u"MMMM");
  Settle();
  EXPECT_EQ(SlotBox(*edit_, 0, grey), Rect{});
  const Rect plain = SlotBox(*edit_, 0, white);
  EXPECT_GT(SlotBox(*edit_, 3, grey).Width(), 0);  // the disabled picture is grey too
  edit_->EnablePassWord(true);
  Settle();
  const Rect masked = SlotBox(*edit_, 0, white);
  EXPECT_GT(masked.Width(), 0);
  EXPECT_NE(masked, plain);
}

}  // namespace
}  // namespace cataloguetest
