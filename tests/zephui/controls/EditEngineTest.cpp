// EditEngine driven directly: characters that are more than one code unit,
// the field rules, selection with clipboard and undo, word steps, and caret
// positions that follow the script rather than the code units.
#include <gtest/gtest.h>

#include <string>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Clipboard.h"
#include "zephui/EditEngine.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

class EditEngineTest : public zephuitest::HeadlessFixture {
 protected:
  void Type(std::u16string_view text) {
    for (char16_t unit : text) engine_.TypeUnit(unit);
  }
  EditEngine engine_;
};

const std::u16string kGrin = u"\U0001F600";  // two code units
const std::u16string kAcute = u"e\u0301";   // one character, two code points

TEST_F(EditEngineTest, MultiUnitCharactersAreNeverSplit) {
  Type(u"a" + kGrin + kAcute);
  EXPECT_EQ(engine_.Text(), u"a" + kGrin + kAcute);
  EXPECT_EQ(engine_.Caret(), 5);
  engine_.HandleKey(VK_LEFT, EditKeys::None);
  EXPECT_EQ(engine_.Caret(), 3);  // over the whole accented letter
  engine_.HandleKey(VK_LEFT, EditKeys::None);
  EXPECT_EQ(engine_.Caret(), 1);  // over both halves of the emoji
  engine_.SetSelection(2, 2);     // between the halves: snaps to the emoji's start
  EXPECT_EQ(engine_.Caret(), 1);
  engine_.MoveToTextEdge(true, SelectionMove::Move);
  EXPECT_EQ(engine_.Backspace(CaretStep::Character), EditOutcome::TextChanged);
  EXPECT_EQ(engine_.Text(), u"a" + kGrin);
  engine_.Backspace(CaretStep::Character);
  EXPECT_EQ(engine_.Text(), u"a");
  // A low half without its high half, or a high half followed by a letter, types nothing odd.
  engine_.TypeUnit(kGrin[1]);
  engine_.TypeUnit(kGrin[0]);
  engine_.TypeUnit(u'b');
  EXPECT_EQ(engine_.Text(), u"ab");
}

TEST_F(EditEngineTest, RulesFilterAndCutWhatComesIn) {
  engine_.SetLimit(6);
  engine_.SetFilter(CharFilter::Digits);
  Type(u"1a2");
  EXPECT_EQ(engine_.Text(), u"12");
  EXPECT_EQ(engine_.Insert(u"3x4\n56789"), EditOutcome::TextChanged);
  EXPECT_EQ(engine_.Text(), u"1234");  // one line only, digits only

  // A megabyte pasted into a limited field keeps what fits; a pair at the limit is left out whole.
  engine_.SetFilter(CharFilter::Any);
  engine_.SetText(u"abcd");
  ASSERT_TRUE(SetClipboardText(u"x" + kGrin + std::u16string(1 << 20, u'y')));
  engine_.Paste();
  EXPECT_EQ(engine_.Text(), u"abcdx");
  engine_.SetLimit(0);
  engine_.SetText(u"");
  engine_.SetLines(EditLines::Multi);
  engine_.Insert(u"one\r\ntwo\rthree");
  EXPECT_EQ(engine_.Text(), u"one\ntwo\nthree");

  engine_.SetAccess(EditAccess::ReadOnly);
  engine_.SelectAll();
  EXPECT_EQ(engine_.HandleKey('X', EditKeys::Ctrl), EditOutcome::Ignored);
  EXPECT_EQ(engine_.TypeUnit(u'z'), EditOutcome::Ignored);
  EXPECT_TRUE(engine_.Copy());  // read-only text can still be copied
  EXPECT_EQ(GetClipboardText(), u"one\ntwo\nthree");
}

TEST_F(EditEngineTest, SelectionClipboardAndUndo) {
  Type(u"hello world");
  engine_.HandleKey(VK_LEFT, EditKeys::Shift);
  engine_.HandleKey(VK_LEFT, EditKeys::Shift | EditKeys::Ctrl);
  EXPECT_EQ(engine_.SelectedText(), u"world");
  EXPECT_EQ(engine_.HandleKey('X', EditKeys::Ctrl), EditOutcome::TextChanged);
  EXPECT_EQ(engine_.Text(), u"hello ");
  EXPECT_EQ(GetClipboardText(), u"world");
  engine_.HandleKey(VK_HOME, EditKeys::None);
  engine_.HandleKey('V', EditKeys::Ctrl);
  EXPECT_EQ(engine_.Text(), u"worldhello ");
  engine_.HandleKey('Z', EditKeys::Ctrl);
  EXPECT_EQ(engine_.Text(), u"hello ");
  engine_.HandleKey('Z', EditKeys::Ctrl);  // undoing the undo brings the paste back
  EXPECT_EQ(engine_.Text(), u"worldhello ");

  // A run of typing is one step; moving the caret starts a new one.
  engine_.SetText(u"");
  Type(u"abc");
  engine_.HandleKey(VK_LEFT, EditKeys::None);
  Type(u"X");
  engine_.Undo();
  EXPECT_EQ(engine_.Text(), u"abc");
  engine_.SetText(u"");
  Type(u"abc");
  engine_.Undo();
  EXPECT_EQ(engine_.Text(), u"");

  engine_.SetText(u"secret");
  engine_.SetMask(u'*');
  engine_.SelectAll();
  EXPECT_FALSE(engine_.Copy());
  EXPECT_EQ(engine_.Cut(), EditOutcome::Ignored);
  EXPECT_EQ(engine_.Text(), u"secret");
}

TEST_F(EditEngineTest, WordStepsAndLineEdges) {
  engine_.SetText(u"alpha beta gamma");
  engine_.HandleKey(VK_LEFT, EditKeys::Ctrl);
  EXPECT_EQ(engine_.Caret(), 11);
  engine_.HandleKey(VK_HOME, EditKeys::None);
  engine_.HandleKey(VK_RIGHT, EditKeys::Ctrl);
  EXPECT_EQ(engine_.Caret(), 6);
  engine_.HandleKey(VK_DELETE, EditKeys::Ctrl);
  EXPECT_EQ(engine_.Text(), u"alpha gamma");
  engine_.HandleKey(VK_END, EditKeys::None);
  engine_.HandleKey(VK_BACK, EditKeys::Ctrl);
  EXPECT_EQ(engine_.Text(), u"alpha ");

  engine_.SetLines(EditLines::Multi);
  engine_.SetText(u"first\nsecond");
  engine_.HandleKey(VK_HOME, EditKeys::None);
  EXPECT_EQ(engine_.Caret(), 6);
  engine_.HandleKey(VK_UP, EditKeys::Shift);
  EXPECT_EQ(engine_.Caret(), 0);
  EXPECT_EQ(engine_.SelectedText(), u"first\n");
  engine_.HandleKey(VK_END, EditKeys::Ctrl);
  EXPECT_EQ(engine_.Caret(), 12);
}

TEST_F(EditEngineTest, CaretFollowsTheScriptsDirection) {
  engine_.SetText(u"\u05E9\u05DC\u05D5\u05DD");  // a Hebrew word: written right to left
  const int endX = engine_.CaretRect().left;
  engine_.SetSelection(0, 0);
  EXPECT_GT(engine_.CaretRect().left, endX);  // its logical start is at the right
  engine_.HandleKey(VK_LEFT, EditKeys::None);
  EXPECT_EQ(engine_.Caret(), 1);  // left on screen is forward in the text

  engine_.SetText(u"ab" + kAcute + u"cd");
  const int width = engine_.LayoutSize().width;
  const int height = engine_.LayoutSize().height;
  engine_.PlaceCaret(Point{width + 20, height / 2}, SelectionMove::Move);
  EXPECT_EQ(engine_.Caret(), 6);
  engine_.PlaceCaret(Point{-5, height / 2}, SelectionMove::Extend);
  EXPECT_EQ(engine_.Selection(), (std::pair<int, int>{0, 6}));
  // Clicking in the middle never lands between the letter and its accent.
  for (int x = 0; x < width; ++x) {
    engine_.PlaceCaret(Point{x, height / 2}, SelectionMove::Move);
    ASSERT_NE(engine_.Caret(), 3) << x;
  }
}

}  // namespace
}  // namespace cataloguetest
