// The rich edit field's formatted text: RTF saved and read back, hostile RTF,
// streaming in chunks, formatting runs following their characters, lines as
// Pango breaks them, and zoom.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/Headless.h"
#include "zephui/MRichEdit.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr Rect kRect{40, 60, 240, 160};

bool SameRuns(const std::vector<TextRun>& a, const std::vector<TextRun>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].from != b[i].from || a[i].to != b[i].to || !(a[i].colour == b[i].colour) ||
        a[i].pixelSize != b[i].pixelSize || a[i].bold != b[i].bold) {
      return false;
    }
  }
  return true;
}

class RichEditFormatTest : public CatalogueFixture {
 protected:
  MRichEdit* Field(std::uint32_t id) {
    auto* rich = Add<MRichEdit>(u"MRichEdit", id, kRect, u"");
    rich->SetWordWrap(true);
    return rich;
  }
  // Rows of the field where some presented pixel is dark ink.
  int InkRows() const {
    int rows = 0;
    for (int y = kRect.top; y < kRect.bottom; ++y) {
      bool ink = false;
      for (int x = kRect.left; x < kRect.right && !ink; ++x) ink = Headless::PresentedPixel(hwnd_, x, y).Red() < 100;
      rows += ink ? 1 : 0;
    }
    return rows;
  }
  void Repaint() {
    dialog_->GetPaintManager().Invalidate();
    Settle();
  }
};

TEST_F(RichEditFormatTest, RtfRoundTripKeepsTextAndRunsThroughChunkedStreams) {
  MRichEdit* source = Field(80);
  // Braces, a backslash, a second paragraph, CJK and an emoji (a surrogate pair).
  const std::u16string text = u"Plain {x} \\ \u4E2D\u6587 bold\nsecond \U0001F600 end";
  source->SetText(text);
  const int cjk = static_cast<int>(text.find(u'\u4E2D'));
  const int emoji = static_cast<int>(text.find(u'\xD83D'));
  const std::vector<TextRun> runs{
      {cjk, cjk + 7, ArgbColor(), 0, RunWeight::Bold},
      {cjk + 7, cjk + 9, ArgbColor(0xFF123456), 18, RunWeight::Inherit},
      {emoji, emoji + 2, ArgbColor(0xFFFF0000), 0, RunWeight::Bold},
      {emoji + 2, emoji + 6, ArgbColor(0xFF123456), 0, RunWeight::Inherit},
  };
  source->Engine().SetRuns(runs);

  std::string saved;
  ASSERT_TRUE(source->StreamOut(StreamFormat::Rtf, [&](const char* data, int size) {
    saved.append(data, static_cast<std::size_t>(size));
    return true;
  }));
  EXPECT_EQ(saved.find_first_of("\x80\xFF"), std::string::npos);  // plain ASCII on the wire

  MRichEdit* target = Field(81);
  std::size_t at = 0;
  ASSERT_TRUE(target->StreamIn(StreamFormat::Rtf, [&](char* buffer, int size) {
    const std::size_t n = std::min<std::size_t>({7, static_cast<std::size_t>(size), saved.size() - at});
    saved.copy(buffer, n, at);
    at += n;
    return static_cast<int>(n);
  }));
  EXPECT_EQ(target->GetText(), text);
  EXPECT_TRUE(SameRuns(target->Engine().Runs(), runs));
  EXPECT_EQ(target->SaveRtf(), saved);
  EXPECT_EQ(target->GetLineCount(), 2);

  std::string plain;
  int calls = 0;
  EXPECT_FALSE(target->StreamOut(StreamFormat::Text, [&](const char* data, int size) {
    plain.append(data, static_cast<std::size_t>(size));
    return ++calls < 1;  // the writer stops the stream at once
  }));
  EXPECT_EQ(calls, 1);
  at = 0;
  saved = plain;  // plain UTF-8 read back in: the text without its runs
  ASSERT_TRUE(target->StreamIn(StreamFormat::Text, [&](char* buffer, int size) {
    const std::size_t n = std::min<std::size_t>({5, static_cast<std::size_t>(size), saved.size() - at});
    saved.copy(buffer, n, at);
    at += n;
    return static_cast<int>(n);
  }));
  EXPECT_EQ(target->GetText(), text);
  EXPECT_TRUE(target->Engine().Runs().empty());
}

TEST_F(RichEditFormatTest, HostileRtfLoadsWhatItCanWithoutCrashing) {
  MRichEdit* rich = Field(82);
  struct Case {
    std::string rtf;
    bool wellFormed;
    std::u16string text;
  };
  const std::vector<Case> cases{
      {"{\\rtf1{\\fonttbl{\\f0 Sans;}}{\\*\\secret hidden}{\\info{\\title t}}shown\\'e9\\~!}", true,
       u"shown\u00E9\u00A0!"},
      {"{\\rtf1 abc", false, u"abc"},
      {"{\\rtf1 abc}}}}", false, u"abc"},
      {"}{\\rtf1 x}", false, u"x"},
      {"{\\rtf1 a\\u", false, u"a"},
      {"{\\rtf1 a\\u-10179", false, u"a\uFFFD"},  // a high surrogate and then nothing
      {"{\\rtf1 a\\u55357?b}", true, u"a\uFFFDb"},
      {"{\\rtf1 a\\'4", false, u"a"},
      {"{\\rtf1 a\\", false, u"a"},
      {"no rtf at all", false, u"no rtf at all"},
      {"{\\rtf1\\uc5\\u20013 x}", true, u"\u4E2D"},  // the fallback swallows " x" and stops at the brace
      {"{\\rtf1{\\colortbl;\\red300;}\\cf99999999999999\\fs99999999999999999 big}", true, u"big"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rtf);
    EXPECT_EQ(rich->LoadRtf(c.rtf), c.wellFormed);
    EXPECT_EQ(rich->GetText(), c.text);
    EXPECT_GE(rich->GetLineCount(), 1);  // Pango lays out whatever was read
  }
  for (const TextRun& run : rich->Engine().Runs()) EXPECT_LE(run.pixelSize, 512);

  const std::string deep = "{\\rtf1" + std::string(200000, '{') + "deep" + std::string(200000, '}') + "}";
  EXPECT_TRUE(rich->LoadRtf(deep));
  EXPECT_EQ(rich->GetText(), u"deep");
  EXPECT_FALSE(rich->LoadRtf(deep.substr(0, deep.size() - 1000)));

  std::mt19937 random(7);
  const std::string alphabet = "{}\\*';u-0123456789abcfsrtpl \xC3\xA9\xFF";
  for (int round = 0; round < 300; ++round) {
    std::string junk = "{\\rtf1";
    for (int i = 0; i < 200; ++i) junk += alphabet[random() % alphabet.size()];
    rich->LoadRtf(junk);
    EXPECT_LE(rich->GetText().size(), junk.size());
  }
}

TEST_F(RichEditFormatTest, RunsFollowTheirCharactersThroughEditsAndUndo) {
  MRichEdit* rich = Field(83);
  rich->SetText(u"hello world");
  rich->SetSel(6, 11);
  rich->SetSelectionCharFormat(ArgbColor(), 0, RunWeight::Bold);
  const std::vector<TextRun> bold{{6, 11, ArgbColor(), 0, RunWeight::Bold}};
  ASSERT_TRUE(SameRuns(rich->Engine().Runs(), bold));

  rich->SetSel(0, 0);
  rich->ReplaceSel(u"big ");  // before the run: the same characters stay bold
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), {{10, 15, ArgbColor(), 0, RunWeight::Bold}}));
  EXPECT_EQ(rich->GetTextRange(10, 15), u"world");
  rich->SetSel(12, 12);
  rich->ReplaceSel(u"\u4E2D");  // inside: the run grows
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), {{10, 16, ArgbColor(), 0, RunWeight::Bold}}));
  rich->SetSel(16, 16);
  rich->ReplaceSel(u"!");  // after its end: the run stays as it was
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), {{10, 16, ArgbColor(), 0, RunWeight::Bold}}));
  rich->SetSel(2, 12);
  rich->ReplaceSel(u"");  // over its start: what is left of it stays bold
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), {{2, 6, ArgbColor(), 0, RunWeight::Bold}}));
  EXPECT_EQ(rich->GetTextRange(2, 6), u"\u4E2Drld");
  rich->SetSel(0, -1);
  rich->ReplaceSel(u"gone");
  EXPECT_TRUE(rich->Engine().Runs().empty());
  EXPECT_EQ(rich->Undo(), 1);  // the text and its runs come back together
  EXPECT_EQ(rich->GetText(), u"bi\u4E2Drld!");
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), {{2, 6, ArgbColor(), 0, RunWeight::Bold}}));

  // Undo walks back step by step with the runs of each step, and redo walks forward again.
  const std::vector<std::u16string> back{u"big hello wo\u4E2Drld!", u"big hello wo\u4E2Drld", u"big hello world",
                                         u"hello world"};
  for (const std::u16string& text : back) {
    EXPECT_EQ(rich->Undo(), 1);
    EXPECT_EQ(rich->GetText(), text);
  }
  EXPECT_EQ(rich->Undo(), 0);
  EXPECT_TRUE(SameRuns(rich->Engine().Runs(), bold));
  for (int step = 0; step < 5; ++step) EXPECT_EQ(rich->Redo(), 1);
  EXPECT_EQ(rich->Redo(), 0);
  EXPECT_EQ(rich->GetText(), u"gone");
  EXPECT_EQ(rich->Undo(), 1);
  rich->ReplaceSel(u"x");  // a new change forgets what was undone
  EXPECT_FALSE(rich->CanRedo());
}

TEST_F(RichEditFormatTest, LinesAreTheOnesPangoBreaksAndScrollStaysInside) {
  MRichEdit* rich = Field(84);
  rich->SetText(u"one two three four five six seven eight nine ten eleven twelve\nthirteen fourteen");
  rich->Engine().SetRuns({{8, 13, ArgbColor(), 40, RunWeight::Inherit}});  // one tall word: lines differ in height
  const int count = rich->GetLineCount();
  ASSERT_GE(count, 4);
  std::u16string joined;
  int previousTop = -1;
  for (int line = 0; line < count; ++line) {
    SCOPED_TRACE(line);
    const int start = rich->LineIndex(line);
    const int length = rich->LineLength(start);
    EXPECT_EQ(rich->LineFromChar(start), line);
    const int last = start + std::max(length - 1, 0);  // a wrapped line's end is the next line's start
    EXPECT_EQ(rich->LineFromChar(last), line);
    joined += rich->GetTextRange(start, start + length);
    if (line + 1 < count && rich->GetText()[static_cast<std::size_t>(start + length)] == u'\n') joined += u'\n';
    // Pango's own caret for the line's first and last units stands on one band, below the previous line.
    rich->SetSel(start, start);
    const int top = rich->Engine().CaretRect().top;
    EXPECT_GT(top, previousTop);
    rich->SetSel(last, last);
    EXPECT_EQ(rich->Engine().CaretRect().top, top);
    previousTop = top;
  }
  EXPECT_EQ(joined, rich->GetText());
  EXPECT_EQ(rich->LineIndex(count), -1);
  EXPECT_EQ(rich->LineScroll(2), 2);
  EXPECT_EQ(rich->GetFirstVisibleLine(), 2);
  EXPECT_EQ(rich->LineScroll(1000), count - 1);
  EXPECT_EQ(rich->LineScroll(-1000), 0);
}

TEST_F(RichEditFormatTest, AlignedLinesStandCentredOrAtTheRightOfTheWrapWidth) {
  MRichEdit* rich = Field(86);
  rich->SetText(u"short\nmuch longer second line");
  const auto edges = [&](int line) {
    const int start = rich->LineIndex(line);
    rich->SetSel(start, start);
    const int left = rich->Engine().CaretRect().left;
    const int end = start + rich->LineLength(start);
    rich->SetSel(end, end);
    return std::pair{left, rich->Engine().CaretRect().left};
  };
  const int wrap = kRect.Width() - 8;
  ASSERT_EQ(edges(0).first, 0);
  rich->SetParagraphAlign(ParagraphAlign::Right);
  EXPECT_NEAR(edges(0).second, wrap, 2);
  EXPECT_NEAR(edges(1).second, wrap, 2);
  rich->SetParagraphAlign(ParagraphAlign::Centre);
  for (int line = 0; line < 2; ++line) {
    const auto [left, right] = edges(line);
    EXPECT_GT(left, 0);
    EXPECT_NEAR(left, wrap - right, 2);  // as much room on either side
  }
  rich->SetSel(1, 1);  // hit tests follow the moved lines
  const Rect caret = rich->Engine().CaretRect();
  rich->Engine().PlaceCaret(Point{caret.left, caret.top + 1}, SelectionMove::Move);
  EXPECT_EQ(rich->Engine().Caret(), 1);
}

TEST_F(RichEditFormatTest, ZoomScalesTheDrawnTextAndResets) {
  MRichEdit* rich = Field(85);
  rich->SetBackColor(ArgbColor(0xFFFFFFFF));
  rich->SetTextColor(ArgbColor(0xFF000000));
  rich->SetText(u"Hg");
  Repaint();
  const int plain = InkRows();
  ASSERT_GT(plain, 4);
  ASSERT_TRUE(rich->SetZoom(2, 1));
  Repaint();
  const int doubled = InkRows();
  EXPECT_GT(doubled, plain * 17 / 10);
  EXPECT_LT(doubled, plain * 23 / 10);
  EXPECT_FALSE(rich->SetZoom(1, 0));
  EXPECT_FALSE(rich->SetZoom(100, 1));
  ASSERT_TRUE(rich->SetZoom(0, 0));
  Repaint();
  EXPECT_EQ(InkRows(), plain);
}

}  // namespace
}  // namespace cataloguetest
