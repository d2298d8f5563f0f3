// MDialog: creation and layout, the factory, notifications from its controls,
// translucency and the overlays it places.
#include "tests/zephui/windows/DialogFixture.h"
#include "zephui/Headless.h"
#include "zephui/MAirBladder.h"
#include "zephui/MPanel.h"
#include "zephui/MShadow.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Dialog : public DialogFixture {};

TEST_F(Dialog, CreationDropsCaptionAndFrameThenBuildsTheControlsWithTheManagerAttached) {
  SampleDialog dialog;
  const std::uint32_t asked = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME;
  const HWND hwnd = dialog.Create(nullptr, u"Sample", asked, 0, kDialogRect);
  ASSERT_NE(hwnd, nullptr);
  const std::uint32_t style = GetWindowStyle(hwnd);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0U);
  EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
  EXPECT_EQ(dialog.initRects, (std::vector<Rect>{Rect{0, 0, 360, 200}}));
  EXPECT_TRUE(dialog.managerReadyAtInit);
  EXPECT_EQ(dialog.GetPaintManager().GetPaintWnd(), hwnd);
  MControl* ok = dialog.GetControl(SampleDialog::kOkId);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->GetParantObject(), static_cast<MObject*>(&dialog));
  EXPECT_EQ(ok->GetManager(), &dialog.GetPaintManager());
  EXPECT_EQ(dialog.GetControls().size(), 3U);
  EXPECT_TRUE(dialog.IsClass(u"MDialog"));
}

TEST_F(Dialog, ASizeChangeLaysTheControlsOutAgainUnlessTheWindowIsATinyStrip) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  MoveWindow(hwnd, 100, 100, 500, 320);
  ASSERT_FALSE(dialog.sizeRects.empty());
  EXPECT_EQ(dialog.sizeRects.back(), (Rect{0, 0, 500, 320}));
  const std::size_t before = dialog.sizeRects.size();
  MoveWindow(hwnd, 100, 100, 1, 320);
  EXPECT_EQ(dialog.sizeRects.size(), before);
}

TEST_F(Dialog, EachFactoryBuildsOnlyTheNamesItKnows) {
  SampleDialog dialog;
  dialog.buildControls = false;
  Open(dialog);
  EXPECT_NE(dialog.CreateControl(u"SampleDialogOnly", 1, Rect{0, 0, 10, 10}, u"", true, true), nullptr);
  EXPECT_EQ(dialog.CreateControl(u"SamplePanelOnly", 2, Rect{0, 0, 10, 10}, u"", true, true), nullptr);
  EXPECT_EQ(dialog.CreateControl(u"", 3, Rect{0, 0, 10, 10}, u"", true, true), nullptr);
  EXPECT_EQ(dialog.CreateControl(u"sampletext", 4, Rect{0, 0, 10, 10}, u"", true, true), nullptr);
  MControl* area = dialog.CreateArea(u"SampleText", 5, Rect{0, 0, 10, 10}, u"", true, true);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(dialog.GetPaintManager().GetAreas(), (std::vector<MControl*>{area}));

  auto* panel = dynamic_cast<MPanel*>(dialog.CreateControl(u"SamplePanel", 6, Rect{0, 0, 200, 100}, u"", true, true));
  ASSERT_NE(panel, nullptr);
  MControl* inner = panel->CreateControl(u"SamplePanelOnly", 7, Rect{5, 5, 50, 20}, u"", true, true);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->GetParantObject(), static_cast<MObject*>(panel));
  EXPECT_EQ(panel->CreateControl(u"SampleDialogOnly", 8, Rect{5, 5, 50, 20}, u"", true, true), nullptr);
  EXPECT_EQ(dialog.GetControl(7), inner);
  EXPECT_EQ(dialog.GetControls().size(), 2U);
}

TEST_F(Dialog, AButtonReportsToOnMessageWithItsIdAndTheDialogSeesThePressToo) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  const Point apply = Centre(SampleDialog::kApplyRect);
  Click(hwnd, apply);
  using N = SampleDialog::Notification;
  EXPECT_EQ(dialog.notifications, (std::vector<N>{{SampleDialog::kApplyId, NOTIFY_PRESSED},
                                                  {SampleDialog::kApplyId, NOTIFY_CLICKED}}));
  EXPECT_EQ(dialog.presses, (std::vector<Point>{apply}));
}

TEST_F(Dialog, AControlRemovedWhileItReportsIsGoneAfterwardsAndNothingBreaks) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  dialog.onNotify = [&dialog](std::uint32_t id, UINT code) {
    if (id == SampleDialog::kApplyId && code == NOTIFY_CLICKED) {
      dialog.GetPaintManager().RemoveControl(dialog.GetControl(id));
    }
  };
  Click(hwnd, Centre(SampleDialog::kApplyRect));
  EXPECT_EQ(dialog.GetControl(SampleDialog::kApplyId), nullptr);
  EXPECT_EQ(dialog.GetControls().size(), 2U);
  Click(hwnd, Centre(SampleDialog::kApplyRect));  // where it was
  EXPECT_EQ(dialog.notifications.size(), 2U);
}

TEST_F(Dialog, AConstantAlphaMakesTheWindowLayeredAndSeeThrough) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  EXPECT_EQ(GetWindowExStyle(hwnd) & WS_EX_LAYERED, 0U);
  const int opaque = Headless::PresentedPixel(hwnd, 10, 100).Alpha();
  dialog.SetWindowAlpha(128);
  dialog.SetupBackTranslucent();
  InvalidateRect(hwnd, nullptr);
  Headless::RunFor(100);
  EXPECT_NE(GetWindowExStyle(hwnd) & WS_EX_LAYERED, 0U);
  EXPECT_GE(opaque, 250);
  EXPECT_NEAR(Headless::PresentedPixel(hwnd, 10, 100).Alpha(), opaque / 2, 3);
}

TEST_F(Dialog, ADefaultStatusBoxSitsCentredAtTheBottomMovedByTheOffset) {
  SampleDialog dialog;
  dialog.Create(nullptr, u"Sample", WS_POPUP | WS_VISIBLE, 0, Rect{0, 0, 700, 500});
  PaintManager& manager = dialog.GetPaintManager();
  dialog.SetMessage(u"Saved", Rect{}, MsgLevel::Info);
  EXPECT_EQ(manager.GetMessageRect(), (Rect{250, 440, 450, 498}));
  EXPECT_EQ(manager.GetMessageText(), u"Saved");
  dialog.SetMessageOffset(10);
  dialog.SetMessage(u"Saved", Rect{300, 200, 300, 260}, MsgLevel::Info);  // empty: no width
  EXPECT_EQ(manager.GetMessageRect(), (Rect{250, 450, 450, 508}));
  dialog.SetMessage(u"Here", Rect{10, 10, 100, 50}, MsgLevel::Warning);
  EXPECT_EQ(manager.GetMessageRect(), (Rect{10, 10, 100, 50}));
}

TEST_F(Dialog, BalloonPointsLieUnderAControlAndABalloonNeedsARealPoint) {
  SampleDialog dialog;
  Open(dialog);
  MControl* apply = dialog.GetControl(SampleDialog::kApplyId);
  EXPECT_EQ(dialog.GetAirBladderPoint(apply, 0), (Point{140, 252}));
  EXPECT_EQ(dialog.GetAirBladderPoint(apply, 1), (Point{200, 252}));
  EXPECT_EQ(dialog.GetAirBladderPoint(apply, 2), (Point{260, 252}));
  EXPECT_EQ(dialog.GetAirBladderPoint(apply, 3), (Point{}));
  EXPECT_EQ(dialog.GetAirBladderPoint(nullptr, 0), (Point{}));

  EXPECT_EQ(dialog.SetAirBladderMsg(u"Tip", Point{0, 252}, 1), 0);
  EXPECT_EQ(dialog.GetPaintManager().GetAirBladder(), nullptr);
  EXPECT_EQ(dialog.SetAirBladderMsg(u"Tip", dialog.GetAirBladderPoint(apply, 1), 3), 1);
  MAirBladder* balloon = dialog.GetPaintManager().GetAirBladder();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->GetText(), u"Tip");
  EXPECT_EQ(balloon->GetAnchor(), (Point{200, 252}));
  EXPECT_TRUE(IsWindowVisible(balloon->GetSafeHwnd()));
}

TEST_F(Dialog, TheShadowCallsReachTheShadowOfTheWindow) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  dialog.CreateShadow(true, false);
  MShadow* shadow = dialog.GetPaintManager().GetShadow();
  ASSERT_NE(shadow, nullptr);
  ASSERT_NE(shadow->GetHwnd(), nullptr);
  EXPECT_EQ(dialog.SetSize(36), 0);
  EXPECT_EQ(dialog.SetSize(10), 1);
  Rect dialogRect;
  Rect shadowRect;
  GetWindowRect(hwnd, dialogRect);
  GetWindowRect(shadow->GetHwnd(), shadowRect);
  EXPECT_LT(shadowRect.left, dialogRect.left);
  EXPECT_GT(shadowRect.bottom, dialogRect.bottom);
  EXPECT_EQ(dialog.SetShadowShow(false), 1);
  EXPECT_FALSE(IsWindowVisible(shadow->GetHwnd()));
}

TEST_F(Dialog, WithoutAWindowTheOverlaysAndPointsDoNothing) {
  SampleDialog dialog;
  EXPECT_EQ(dialog.GetAirBladderPoint(nullptr, 1), (Point{}));
  dialog.SetMessage(u"Nothing", Rect{}, MsgLevel::Info);
  dialog.SetProgress(50, u"Half", Rect{});
  dialog.SetupBackTranslucent();
  dialog.OnMaximize();
  dialog.OnMinimize();
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(GetTopLevelWindows().empty());
}

}  // namespace
}  // namespace zephuitest
