// MAirBladder: the balloon window around its anchor for each type, its line
// count, its 5-second hide timer and what it presents.
#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/MAirBladder.h"
#include "zephui/RenderTypes.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kX = 600;
constexpr int kY = 400;
const std::u16string kText = u"Balloon text";

class Balloon : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    hwnd_ = balloon_.Create(nullptr, u"AirBladder Window", WS_POPUP | WS_VISIBLE, 0, Rect{0, 0, 10, 10});
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_TRUE(balloon_.LoadBKImage(u"img_tip_bk.png"));
    ASSERT_TRUE(balloon_.LoadArrowLImage(u"img_tip_arrow_left.png"));
    ASSERT_TRUE(balloon_.LoadArrowRImage(u"img_tip_arrow_right.png"));
    ASSERT_TRUE(balloon_.LoadArrowTImage(u"img_tip_arrow_top.png"));
  }

  // The text block of `text` as the balloon measured it, read back from a type 3 window (w + 40 by h + 30).
  Size Block(const std::u16string& text) {
    balloon_.SetAirBladderMsg(text, kX, kY, 3, 0);
    const Rect fit = balloon_.GetFitRect();
    return Size{fit.Width() - 40, fit.Height() - 30};
  }

  int DarkPixels(const Rect& area) const {
    int dark = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const ArgbColor p = Headless::PresentedPixel(hwnd_, x, y);
        if (p.Alpha() > 200 && p.Red() < 35) ++dark;
      }
    }
    return dark;
  }

  MAirBladder balloon_;
  HWND hwnd_ = nullptr;
};

TEST_F(Balloon, EachTypePlacesTheWindowAroundItsAnchor) {
  const Size block = Block(kText);
  const int w = block.width;
  const int h = block.height;
  ASSERT_GT(w, 40);
  ASSERT_GT(h, 10);
  const Rect expected[] = {
      {},
      {kX, kY - h / 2 - 10, kX + w + 40, kY - h / 2 - 10 + h + 20},
      {kX - w - 40, kY - 27, kX, kY + h - 7},
      {kX - 25, kY, kX + w + 15, kY + h + 30},
      {kX - (w + 30) / 2, kY - h - 20, kX - (w + 30) / 2 + w + 30, kY},
      {kX, kY - 10, kX + w + 40, kY + h - 45},
  };
  for (int type = 1; type <= 5; ++type) {
    balloon_.SetAirBladderMsg(kText, kX, kY, type, 0);
    EXPECT_EQ(balloon_.GetFitRect(), expected[type]) << "type " << type;
    Rect window;
    GetWindowRect(hwnd_, window);
    if (expected[type].Height() > 0) {
      EXPECT_EQ(window, expected[type]) << "type " << type;
    }
    EXPECT_EQ(balloon_.GetType(), type);
    EXPECT_EQ(balloon_.GetAnchor(), (Point{kX, kY}));
  }
  balloon_.SetAirBladderMsg(kText, kX, kY, 9, 0);
  EXPECT_EQ(balloon_.GetFitRect(), (Rect{}));
}

TEST_F(Balloon, LinesAreCountedByLineFeedsAndEachAddsALine) {
  const Size one = Block(u"Abc");
  const Size three = Block(u"Abc\nAbc\nAbc");
  EXPECT_EQ(balloon_.GetLineCount(), 3);
  EXPECT_EQ(three.height % 3, 0);
  EXPECT_NEAR(three.height / 3, one.height, 2);
  EXPECT_EQ(three.width, one.width);
  balloon_.SetAirBladderMsg(u"Abc\nAbc\nAbc", kX, kY, 5, 0);
  EXPECT_EQ(balloon_.GetLineCount(), 1);  // type 5 takes two lines off
  EXPECT_EQ(balloon_.GetText(), u"Abc\nAbc\nAbc");
}

TEST_F(Balloon, EveryTypeButFourHidesItselfAfterFiveSeconds) {
  balloon_.SetAirBladderMsg(kText, kX, kY, 1, 0);
  Headless::RunFor(4999);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  Headless::RunFor(1);
  EXPECT_FALSE(IsWindowVisible(hwnd_));

  ShowWindow(hwnd_, SW_SHOWNA);
  balloon_.SetAirBladderMsg(kText, kX, kY, 4, 0);
  Headless::RunFor(60000);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
}

TEST_F(Balloon, ATypeFourMessageStopsAnEarlierHideTimer) {
  balloon_.SetAirBladderMsg(kText, kX, kY, 2, 0);
  Headless::RunFor(1000);
  balloon_.SetAirBladderMsg(kText, kX, kY, 4, 0);
  Headless::RunFor(10000);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
}

TEST_F(Balloon, OnlyADifferentMessageRestartsTheTimer) {
  balloon_.SetAirBladderMsg(kText, kX, kY, 3, 1);
  Headless::RunFor(3000);
  balloon_.SetAirBladderMsg(kText, kX, kY, 3, 1);
  Headless::RunFor(2000);
  EXPECT_FALSE(IsWindowVisible(hwnd_));

  ShowWindow(hwnd_, SW_SHOWNA);
  balloon_.SetAirBladderMsg(kText, kX, kY, 3, 2);  // another mode is another message
  Headless::RunFor(3000);
  balloon_.SetAirBladderMsg(kText, kX + 1, kY, 3, 2);
  Headless::RunFor(3000);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  Headless::RunFor(2000);
  EXPECT_FALSE(IsWindowVisible(hwnd_));
}

TEST_F(Balloon, ItPresentsBubbleArrowAndTextWithPerPixelAlpha) {
  balloon_.SetAirBladderMsg(kText, kX, kY, 1, 0);
  EXPECT_NE(GetWindowExStyle(hwnd_) & WS_EX_LAYERED, 0U);
  const Rect fit = balloon_.GetFitRect();
  const int middle = fit.Height() / 2;
  EXPECT_EQ(Headless::PresentedPixel(hwnd_, 2, 2).Alpha(), 0);        // beside the arrow
  EXPECT_GT(Headless::PresentedPixel(hwnd_, 3, middle).Alpha(), 0);   // the arrow at the anchor
  EXPECT_EQ(Headless::PresentedPixel(hwnd_, fit.Width() - 1, middle).Alpha(), 0);  // one pixel left free
  EXPECT_EQ(Headless::PresentedPixel(hwnd_, fit.Width() - 6, 3).Alpha(), 255);     // the bubble
  EXPECT_GT(DarkPixels(Rect{16, 0, fit.Width() - 8, fit.Height()}), 20);          // the text
  EXPECT_EQ(DarkPixels(Rect{16, 0, fit.Width() - 8, 3}), 0);
}

TEST_F(Balloon, ShowingItLeavesTheActiveWindowActive) {
  const HWND active = MakeWindow(0, 0, 100, 100);
  ShowWindow(hwnd_, SW_HIDE);
  balloon_.SetAirBladderMsg(kText, kX, kY, 3, 0);
  ShowWindow(hwnd_, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  EXPECT_EQ(GetActiveWindow(), active);
}

TEST_F(Balloon, WithoutAWindowItOnlyMeasures) {
  MAirBladder none;
  none.SetAirBladderMsg(kText, kX, kY, 3, 0);
  EXPECT_GT(none.GetFitRect().Width(), 40);
  EXPECT_EQ(none.GetLineCount(), 1);
  EXPECT_FALSE(none.LoadBKImage(u"no_such_picture.png"));
}

}  // namespace
}  // namespace zephuitest
