// What the paint manager presents: background colours, controls, the caret,
// the status message; which area a repaint covers and how often it paints.
#include <cstdlib>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace controltest {
namespace {

::testing::AssertionResult Near(ArgbColor actual, std::uint32_t expected, int tolerance = 1) {
  const ArgbColor e(expected);
  const int diffs[] = {actual.Alpha() - e.Alpha(), actual.Red() - e.Red(), actual.Green() - e.Green(),
                       actual.Blue() - e.Blue()};
  for (int d : diffs) {
    if (std::abs(d) > tolerance) {
      return ::testing::AssertionFailure() << std::hex << "0x" << actual.Value() << " is not 0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// Border RGB 16, 168, 253 and back RGB 9, 13, 19, both drawn at alpha 254 (premultiplied here).
constexpr std::uint32_t kBorderLayered = 0xFE10A7FC;
constexpr std::uint32_t kBackLayered = 0xFE090D13;
constexpr std::uint32_t kBackOpaque = 0xFF090D13;

class ManagerPaint : public ControlFixture {
 protected:
  ArgbColor Pixel(int x, int y) const { return Headless::PresentedPixel(host_->hwnd, x, y); }
  PaintManager& Manager() { return *host_->manager; }
  Rect UpdateRect() const {
    Rect rect;
    GetUpdateRect(host_->hwnd, rect);
    return rect;
  }
};

TEST_F(ManagerPaint, WithoutPictureTheWindowShowsBorderAndBackColoursAtAlpha254) {
  MakeHost(200, 100);
  Manager().SetLayeredWindow(true);
  Manager().Invalidate();
  Settle();
  EXPECT_NE(GetWindowExStyle(host_->hwnd) & WS_EX_LAYERED, 0U);
  EXPECT_TRUE(Near(Pixel(0, 0), kBorderLayered));
  EXPECT_TRUE(Near(Pixel(199, 50), kBorderLayered));
  EXPECT_TRUE(Near(Pixel(1, 1), kBackLayered));
  EXPECT_TRUE(Near(Pixel(100, 50), kBackLayered));
  EXPECT_EQ(Pixel(0, 0).Alpha(), 254);
  EXPECT_EQ(Pixel(100, 50).Alpha(), 254);
}

TEST_F(ManagerPaint, ControlsAreDrawnOverTheBackgroundAreasBelowControls) {
  MakeHost(200, 100);
  host_->AddColour(1, Rect{20, 20, 120, 80}, 1, ArgbColor(0xFF00FF00));
  host_->AddColour(2, Rect{60, 10, 160, 50}, 0, ArgbColor(0xFF0000FF));  // an area, added later
  Manager().Invalidate();
  Settle();
  EXPECT_TRUE(Near(Pixel(30, 60), 0xFF00FF00));
  EXPECT_TRUE(Near(Pixel(100, 30), 0xFF00FF00));  // the control covers the area
  EXPECT_TRUE(Near(Pixel(140, 20), 0xFF0000FF));
  EXPECT_TRUE(Near(Pixel(180, 90), kBackOpaque));
}

TEST_F(ManagerPaint, ARepaintCoversTheControlInOpaqueAndLayeredWindows) {
  MakeHost(200, 100);
  ColourControl* control = host_->AddColour(1, Rect{20, 20, 60, 50});
  Manager().Invalidate();
  Settle();
  control->UpdateControl(CacheReset::Keep);
  EXPECT_EQ(UpdateRect(), (Rect{20, 20, 60, 50}));
  Settle();
  EXPECT_EQ(control->log.lastPaint, (Rect{20, 20, 60, 50}));

  Manager().SetLayeredWindow(true);
  EXPECT_EQ(UpdateRect(), (Rect{0, 0, 200, 100}));  // composed differently from now on
  Settle();
  control->UpdateControl(CacheReset::Keep);
  EXPECT_EQ(UpdateRect(), (Rect{20, 20, 60, 50}));
  Settle();
  EXPECT_EQ(control->log.lastPaint, (Rect{20, 20, 60, 50}));
}

TEST_F(ManagerPaint, ARepaintRerendersLaterOverlappingControlsOnly) {
  MakeHost(300, 200);
  ColourControl* before = host_->AddColour(1, Rect{0, 0, 50, 50});
  ColourControl* changed = host_->AddColour(2, Rect{20, 20, 120, 80});
  ColourControl* over = host_->AddColour(3, Rect{100, 60, 200, 150});
  ColourControl* apart = host_->AddColour(4, Rect{250, 150, 290, 190});
  for (ColourControl* c : {before, changed, over, apart}) c->SetUpdate(true, GdiColor());
  Settle();
  changed->UpdateControl(CacheReset::Reset);
  EXPECT_FALSE(changed->GetUpdate());
  EXPECT_FALSE(over->GetUpdate());
  EXPECT_TRUE(before->GetUpdate());
  EXPECT_TRUE(apart->GetUpdate());
  EXPECT_EQ(UpdateRect(), (Rect{20, 20, 200, 150}));
}

TEST_F(ManagerPaint, TheCaretBlinksInItsOwnersColourWhileTheOwnerHasFocus) {
  MakeHost(200, 100);
  ColourControl* edit = host_->AddColour(1, Rect{10, 10, 190, 40}, 1, ArgbColor(0xFF000000));
  edit->SetTextColor(ArgbColor(0xFFFFFF00));
  Manager().SetFocusControl(edit);
  Manager().CreateCaret(nullptr, 2, 12);
  Manager().SetCaretPos(edit, 50, 20);
  Manager().ShowCaret(true);
  Manager().Invalidate();
  Settle();
  EXPECT_TRUE(Near(Pixel(50, 20), 0xFFFEFE00));
  EXPECT_TRUE(Near(Pixel(52, 20), 0xFF000000));  // two pixels wide
  Headless::RunFor(530);
  EXPECT_TRUE(Near(Pixel(50, 20), 0xFF000000));  // blink phase off
  Headless::RunFor(530);
  EXPECT_TRUE(Near(Pixel(50, 20), 0xFFFEFE00));
  Manager().SetFocusControl(nullptr);
  Manager().Invalidate();
  Headless::RunFor(1100);
  EXPECT_TRUE(Near(Pixel(50, 20), 0xFF000000));
}

TEST_F(ManagerPaint, TheStatusMessageBoxIsDrawnUntilItHasFaded) {
  MakeHost(700, 500);
  Manager().SetMessage(u"Saved", Rect{250, 440, 450, 498}, MsgLevel::Info);
  Settle();
  EXPECT_TRUE(Near(Pixel(250, 440), 0xFFE6E6E6));
  EXPECT_TRUE(Near(Pixel(448, 496), 0xFFE6E6E6));
  EXPECT_TRUE(Near(Pixel(252, 442), 0xFFFEFEFE));
  EXPECT_TRUE(Near(Pixel(440, 490), 0xFFFEFEFE));
  EXPECT_TRUE(Near(Pixel(249, 440), kBackOpaque));
  Headless::RunFor(3000 + 50 * 25);
  EXPECT_TRUE(Near(Pixel(300, 470), kBackOpaque));
}

TEST_F(ManagerPaint, PaintsComeAtMostOncePerFifteenMilliseconds) {
  MakeHost(200, 100);
  Manager().Invalidate();
  Settle();
  const int presented = Headless::PresentCount(host_->hwnd);
  for (int i = 0; i < 3; ++i) {
    Manager().InvalidateRect(Rect{i * 10, 0, i * 10 + 5, 5}, EraseMode::Keep);
    Headless::Pump();
  }
  EXPECT_EQ(Headless::PresentCount(host_->hwnd), presented);  // held back, not lost
  Headless::RunFor(15);
  EXPECT_EQ(Headless::PresentCount(host_->hwnd), presented + 1);
}

TEST_F(ManagerPaint, NothingIsPaintedWhileMinimisedOrWithoutAnUpdateArea) {
  MakeHost(200, 100);
  Manager().Invalidate();
  Settle();
  const int presented = Headless::PresentCount(host_->hwnd);
  SendMessage(host_->hwnd, WM_PAINT, 0, 0);
  EXPECT_EQ(Headless::PresentCount(host_->hwnd), presented);
  ShowWindow(host_->hwnd, SW_MINIMIZE);
  Manager().Invalidate();
  SendMessage(host_->hwnd, WM_PAINT, 0, 0);
  Settle();
  EXPECT_EQ(Headless::PresentCount(host_->hwnd), presented);
}

}  // namespace
}  // namespace controltest
