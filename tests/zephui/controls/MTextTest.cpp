// MText: placement of single and wrapped text, the marked substring, the
// shadow and the back fill, probed in its cached rendering.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/MRender.h"
#include "zephui/MText.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr ArgbColor kGreen{0xFF00FF00};

class MTextTest : public CatalogueFixture {
 protected:
  MText* Make(const Rect& rect, std::u16string_view title) {
    MText* text = Add<MText>(u"MText", 50, rect, title);
    if (text == nullptr) return nullptr;
    text->SetFont(text->GetTextFont(), 20, 1);
    text->SetTextColor(kWhite);
    Settle();
    return text;
  }
  static bool Ink(ArgbColor p) { return p.Red() > 0x80 || p.Green() > 0x80; }
};

TEST_F(MTextTest, CentredTitleSitsInTheMiddle) {
  const Rect rect{20, 20, 220, 80};
  MText* text = Make(rect, u"Hello");
  ASSERT_NE(text, nullptr);
  text->SetAlignment(1, 4);
  Settle();
  const Rect ink = SlotBox(*text, 0, Ink);
  ASSERT_GT(ink.Width(), 0);
  EXPECT_LE(std::abs(ink.left - (rect.Width() - ink.right)), 1);
  EXPECT_LE(std::abs(ink.top - (rect.Height() - ink.bottom)), 6);  // ink is not the whole line height
}

TEST_F(MTextTest, MultiLineWrapsFromTheTopOrCentred) {
  const Rect rect{20, 20, 140, 180};
  MText* text = Make(rect, u"one two three four five");
  ASSERT_NE(text, nullptr);
  const int line = MRender::GetTextBounds(text->GetGDIFont(), u"one").height;
  const Rect single = SlotBox(*text, 0, Ink);
  EXPECT_LT(single.Height(), line + 2);  // one clipped line without wrapping
  text->EnableMultiLine(true);
  Settle();
  const Rect top = SlotBox(*text, 0, Ink);
  EXPECT_GT(top.Height(), 2 * line);
  EXPECT_LT(top.top, line);
  text->EnableVCenter(true);
  Settle();
  const Rect centred = SlotBox(*text, 0, Ink);
  EXPECT_EQ(centred.Height(), top.Height());
  EXPECT_LE(std::abs(centred.top - (rect.Height() - centred.bottom)), 6);
}

TEST_F(MTextTest, MarkIsDrawnInItsColourBetweenThePieces) {
  MText* text = Make(Rect{20, 20, 320, 60}, u"");
  ASSERT_NE(text, nullptr);
  text->SetMarkText(u"Press OK now", u"OK", kGreen, 0);
  Settle();
  const Rect mark = SlotBox(*text, 0, Is(kGreen));
  const Rect plain = SlotBox(*text, 0, Is(kWhite));
  ASSERT_GT(mark.Width(), 0);
  EXPECT_LT(plain.left, mark.left);
  EXPECT_GT(plain.right, mark.right);
  EXPECT_EQ(text->GetTitle(), u"Press OK now");

  text->SetMarkText(u"OK", kGreen, 7);  // searching starts after the only occurrence
  Settle();
  EXPECT_EQ(SlotBox(*text, 0, Is(kGreen)), Rect{});
  text->SetTitleMarkText(u"OK or OK", u"OK", 3);  // the colour stays; the second one is marked
  Settle();
  EXPECT_GT(SlotBox(*text, 0, Is(kGreen)).left, SlotBox(*text, 0, Is(kWhite)).left);
}

TEST_F(MTextTest, ShadowAndBackFill) {
  MText* text = Make(Rect{20, 20, 220, 60}, u"Shade");
  ASSERT_NE(text, nullptr);
  const auto drawn = [](ArgbColor p) { return p.Red() > 0x30; };  // anything but the dark background
  const Rect plain = SlotBox(*text, 0, drawn);
  EXPECT_EQ(SlotBox(*text, 0, Is(ArgbColor(0xFF505050))), Rect{});
  text->EnableShadow(true);
  Settle();
  EXPECT_GT(SlotBox(*text, 0, Is(ArgbColor(0xFF505050))).Width(), 0);
  EXPECT_EQ(SlotBox(*text, 0, drawn), (Rect{plain.left, plain.top, plain.right + 1, plain.bottom + 1}));

  text->EnableTextBack(true, ArgbColor(0xFF0000FF));
  Settle();
  EXPECT_EQ(SlotPixel(*text, 0, 0, 0), ArgbColor(0xFF0000FF));
  EXPECT_EQ(SlotPixel(*text, 0, 199, 39), ArgbColor(0xFF0000FF));
}

}  // namespace
}  // namespace cataloguetest
