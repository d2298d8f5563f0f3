// MShadow: the click-through shadow window that follows its dialog, its
// picture, its limits and letting go of the dialog.
#include <memory>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/MShadow.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kDialog{200, 150, 500, 350};

class Shadow : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    dialog_ = MakeWindow(kDialog.left, kDialog.top, kDialog.Width(), kDialog.Height());
  }

  static Rect WindowRect(HWND hwnd) {
    Rect rect;
    GetWindowRect(hwnd, rect);
    return rect;
  }

  static int AlphaAt(HWND hwnd, int x, int y) { return Headless::PresentedPixel(hwnd, x, y).Alpha(); }

  HWND dialog_ = nullptr;
};

TEST_F(Shadow, ItIsAClickThroughLayeredWindowJustBehindItsDialog) {
  const HWND other = MakeWindow(0, 0, 100, 100);
  SetActiveWindow(dialog_);
  MShadow shadow;
  ASSERT_TRUE(shadow.Create(dialog_, true));
  const HWND hwnd = shadow.GetHwnd();
  EXPECT_EQ(GetClassName(hwnd), u"ShadowWnd");
  const std::uint32_t ex = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
  EXPECT_EQ(GetWindowExStyle(hwnd) & ex, ex);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(WindowRect(hwnd), (Rect{200, 150, 510, 360}));  // grown by the sharpness 5, moved by 5, 5
  EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{dialog_, hwnd, other}));
  EXPECT_EQ(GetActiveWindow(), dialog_);
  EXPECT_NE(WindowFromPoint(Point{505, 355}), hwnd);

  SetActiveWindow(other);
  SetActiveWindow(dialog_);
  EXPECT_EQ(GetTopLevelWindows(), (std::vector<HWND>{dialog_, hwnd, other}));
}

TEST_F(Shadow, ItFollowsMovesSizesAndVisibility) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  const HWND hwnd = shadow.GetHwnd();
  SetWindowPos(dialog_, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect(hwnd), (Rect{10, 20, 320, 230}));
  MoveWindow(dialog_, 10, 20, 100, 50);
  EXPECT_EQ(WindowRect(hwnd), (Rect{10, 20, 120, 80}));
  ShowWindow(dialog_, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  ShowWindow(dialog_, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  ShowWindow(dialog_, SW_MINIMIZE);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  ShowWindow(dialog_, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  ShowWindow(dialog_, SW_MAXIMIZE);
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(Shadow, ShowAndHideAreTheCallersChoiceOnTopOfTheDialogs) {
  MShadow shadow;
  shadow.Create(dialog_, false);
  EXPECT_FALSE(IsWindowVisible(shadow.GetHwnd()));
  MoveWindow(dialog_, 0, 0, 300, 200);
  EXPECT_FALSE(IsWindowVisible(shadow.GetHwnd()));
  shadow.Show(true);
  EXPECT_TRUE(IsWindowVisible(shadow.GetHwnd()));
  shadow.Show(false);
  EXPECT_FALSE(IsWindowVisible(shadow.GetHwnd()));
}

TEST_F(Shadow, ThePictureIsDarkUnderTheDialogAndFadesOutAcrossTheSharpness) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  ASSERT_TRUE(shadow.SetDarkness(200));
  ASSERT_TRUE(shadow.SetSharpness(10));
  ASSERT_TRUE(shadow.SetPosition(0, 0));
  ASSERT_TRUE(shadow.SetColor(GdiColor::FromRgb(255, 0, 0)));
  const HWND hwnd = shadow.GetHwnd();
  EXPECT_EQ(WindowRect(hwnd), (Rect{190, 140, 510, 360}));
  const int middle = WindowRect(hwnd).Height() / 2;
  EXPECT_EQ(AlphaAt(hwnd, 10, middle), 200);
  EXPECT_EQ(AlphaAt(hwnd, 160, middle), 200);
  EXPECT_LT(AlphaAt(hwnd, 0, middle), 10);
  int previous = 0;
  for (int x = 0; x <= 10; ++x) {
    const int alpha = AlphaAt(hwnd, x, middle);
    EXPECT_GE(alpha, previous) << x;
    previous = alpha;
  }
  EXPECT_GT(AlphaAt(hwnd, 5, middle), 20);
  EXPECT_LT(AlphaAt(hwnd, 5, middle), 180);
  const ArgbColor pixel = Headless::PresentedPixel(hwnd, 100, middle);
  EXPECT_EQ(pixel.Red(), pixel.Alpha());  // premultiplied red
  EXPECT_EQ(pixel.Blue(), 0);
  EXPECT_LT(AlphaAt(hwnd, 1, 1), AlphaAt(hwnd, 1, middle));  // the corners are rounder than the sides
}

TEST_F(Shadow, ARoundDialogCastsARoundShadow) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  shadow.SetPosition(0, 0);
  const HWND hwnd = shadow.GetHwnd();
  const int squareCorner = AlphaAt(hwnd, 6, 6);
  SetWindowRoundRegion(dialog_, 40);
  shadow.Update();
  EXPECT_EQ(squareCorner, 150);
  EXPECT_LT(AlphaAt(hwnd, 6, 6), 50);
  EXPECT_EQ(AlphaAt(hwnd, 25, 25), 150);
}

TEST_F(Shadow, GrowsWithItsSizeAndRefusesValuesOutOfRange) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  const HWND hwnd = shadow.GetHwnd();
  EXPECT_TRUE(shadow.SetSize(10));
  EXPECT_EQ(WindowRect(hwnd), (Rect{190, 140, 520, 370}));
  const Rect before = WindowRect(hwnd);
  EXPECT_FALSE(shadow.SetSize(36));
  EXPECT_FALSE(shadow.SetSize(-36));
  EXPECT_FALSE(shadow.SetSharpness(-1));
  EXPECT_FALSE(shadow.SetSharpness(36));
  EXPECT_FALSE(shadow.SetDarkness(-1));
  EXPECT_FALSE(shadow.SetDarkness(256));
  EXPECT_FALSE(shadow.SetPosition(36, 0));
  EXPECT_FALSE(shadow.SetPosition(0, -36));
  EXPECT_EQ(WindowRect(hwnd), before);
  EXPECT_TRUE(shadow.SetSize(-35));
  EXPECT_TRUE(shadow.SetSharpness(35));
  EXPECT_TRUE(shadow.SetDarkness(0));
  EXPECT_TRUE(shadow.SetPosition(-35, 35));
  EXPECT_EQ(WindowRect(hwnd), (Rect{200 - 35, 150 + 35, 500 - 35, 350 + 35}));
}

TEST_F(Shadow, APictureTakesThePlaceOfTheComputedShadow) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  EXPECT_FALSE(shadow.SetImage(u"no_such_picture.png", Rect{6, 6, 6, 6}));
  shadow.SetSize(8);
  shadow.SetPosition(0, 0);
  ASSERT_TRUE(shadow.SetImage(u"img_tip_bk.png", Rect{6, 6, 6, 6}));
  const HWND hwnd = shadow.GetHwnd();
  EXPECT_EQ(WindowRect(hwnd), (Rect{192, 142, 508, 358}));  // no soft edge around a picture
  EXPECT_GT(AlphaAt(hwnd, 158, 3), 0);
}

TEST_F(Shadow, TheDialogGoingTakesTheShadowAlongAfterItsOwnProcedureSawTheEnd) {
  MShadow shadow;
  shadow.Create(dialog_, true);
  const HWND hwnd = shadow.GetHwnd();
  DestroyWindow(dialog_);
  EXPECT_EQ(Procedure(dialog_).Count(WM_NCDESTROY), 1);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(shadow.GetHwnd(), nullptr);
  shadow.Update();
}

TEST_F(Shadow, DeletingTheShadowGivesTheDialogItsProcedureBack) {
  WindowProcedure* own = GetWindowProcedure(dialog_);
  auto shadow = std::make_unique<MShadow>();
  shadow->Create(dialog_, true);
  const HWND hwnd = shadow->GetHwnd();
  EXPECT_NE(GetWindowProcedure(dialog_), own);
  Procedure(dialog_).Clear();
  MoveWindow(dialog_, 0, 0, 50, 50);
  EXPECT_EQ(Procedure(dialog_).Count(WM_SIZE), 1);  // the dialog still gets its messages
  shadow.reset();
  EXPECT_EQ(GetWindowProcedure(dialog_), own);
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace zephuitest
