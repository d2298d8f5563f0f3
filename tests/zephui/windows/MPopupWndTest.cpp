// MPopupWnd: closing itself when it loses activation, its creation, its
// controls, its owner and its shape.
#include "tests/zephui/windows/DialogFixture.h"
#include "tests/zephui/windows/SamplePopup.h"
#include "zephui/Headless.h"
#include "zephui/MControl.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kPopupRect{150, 260, 250, 360};

class Popup : public DialogFixture {
 protected:
  // A popup on the heap that deletes itself at its end, as a drop-down list does.
  SamplePopup* OpenPopup(MObject* owner, HWND ownerWindow, bool& deleted) {
    auto* popup = new SamplePopup(owner);
    popup->deleteAtEnd = true;
    popup->deleted = &deleted;
    popup->Create(ownerWindow, u"Popup", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, kPopupRect);
    Headless::Pump();
    return popup;
  }
};

TEST_F(Popup, ItClosesItselfWhenAnotherProgramIsActivated) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  bool deleted = false;
  const HWND hwnd = OpenPopup(nullptr, owner, deleted)->GetSafeHwnd();
  ASSERT_EQ(GetActiveWindow(), hwnd);
  Headless::ActivateOtherProgram();
  Headless::Pump();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Popup, ItClosesItselfWhenAnotherOfOurWindowsIsActivated) {
  const HWND owner = MakeWindow(0, 0, 400, 400);
  bool deleted = false;
  const HWND hwnd = OpenPopup(nullptr, owner, deleted)->GetSafeHwnd();
  SetActiveWindow(owner);
  Headless::Pump();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindow(owner));
}

TEST_F(Popup, APopupOpenedFromAButtonClosesWhenTheDialogIsClickedAgain) {
  SampleDialog dialog;
  const HWND dialogWindow = Open(dialog);
  bool deleted = false;
  HWND popupWindow = nullptr;
  dialog.onNotify = [&](std::uint32_t id, UINT code) {
    if (id == SampleDialog::kApplyId && code == NOTIFY_CLICKED) {
      popupWindow = OpenPopup(&dialog, dialogWindow, deleted)->GetSafeHwnd();
    }
  };
  Click(dialogWindow, Centre(SampleDialog::kApplyRect));
  ASSERT_NE(popupWindow, nullptr);
  EXPECT_EQ(GetActiveWindow(), popupWindow);
  EXPECT_FALSE(deleted);
  Click(dialogWindow, Point{20, 20});
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(popupWindow));
  EXPECT_EQ(GetActiveWindow(), dialogWindow);
}

TEST_F(Popup, ItIsAToolWindowWithoutWindowDragThatBuildsItsControls) {
  SampleDialog dialog;
  const HWND owner = Open(dialog);
  SamplePopup popup(&dialog);
  const HWND hwnd = popup.Create(owner, u"Popup", WS_POPUP | WS_VISIBLE | WS_CAPTION, WS_EX_TOPMOST | WS_EX_APPWINDOW,
                                 kPopupRect);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetWindowExStyle(hwnd), WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowStyle(hwnd) & WS_CAPTION, 0U);
  EXPECT_FALSE(popup.GetPaintManager().IsWndDragEnabled());
  EXPECT_NE(popup.GetControl(SamplePopup::kButtonId), nullptr);
  EXPECT_EQ(popup.GetParent(), static_cast<MObject*>(&dialog));
  EXPECT_NE(popup.CreateControl(u"SampleDialogOnly", 30, Rect{0, 0, 5, 5}, u"", true, true), nullptr);
  EXPECT_EQ(popup.CreateControl(u"SamplePanelOnly", 31, Rect{0, 0, 5, 5}, u"", true, true), nullptr);
  EXPECT_NE(popup.CreateArea(u"SampleText", 32, Rect{0, 0, 5, 5}, u"", true, true), nullptr);
}

TEST_F(Popup, ItsControlsReportToItAndItReachesItsOwner) {
  SampleDialog dialog;
  const HWND owner = Open(dialog);
  SamplePopup popup(&dialog);
  const HWND hwnd = popup.Create(owner, u"Popup", WS_POPUP | WS_VISIBLE, 0, kPopupRect);
  Headless::Pump();
  Click(hwnd, Centre(SamplePopup::kButtonRect));
  EXPECT_EQ(popup.notified, (std::vector<std::uint32_t>{SamplePopup::kButtonId, SamplePopup::kButtonId}));

  EXPECT_EQ(popup.SendMessageToParent(WM_USER + 5, 1, 2), 0);
  using N = SampleDialog::Notification;
  EXPECT_EQ(dialog.notifications.back(), (N{0, WM_USER + 5}));

  MControl* panel = dialog.CreateControl(u"SamplePanel", 40, Rect{0, 0, 50, 50}, u"", true, true);
  SamplePopup fromControl(panel);
  fromControl.SendMessageToParent(WM_USER + 6, 0, 0);  // a panel passes it on to the dialog
  EXPECT_EQ(dialog.notifications.back(), (N{0, WM_USER + 6}));

  SamplePopup orphan(nullptr);
  EXPECT_EQ(orphan.SendMessageToParent(WM_USER + 7, 0, 0), 0);
  EXPECT_EQ(dialog.notifications.back(), (N{0, WM_USER + 6}));
}

TEST_F(Popup, MovingOrResizingLaysItOutAgain) {
  SamplePopup popup(nullptr);
  const HWND hwnd = popup.Create(nullptr, u"Popup", WS_POPUP | WS_VISIBLE, 0, kPopupRect);
  popup.sizeRects.clear();
  MoveWindow(hwnd, 10, 10, 180, 90);
  ASSERT_FALSE(popup.sizeRects.empty());
  EXPECT_EQ(popup.sizeRects.back(), (Rect{0, 0, 180, 90}));
}

TEST_F(Popup, SetupRegionRoundsItsCorners) {
  SamplePopup none(nullptr);
  none.SetupRegion(12);
  SamplePopup popup(nullptr);
  const HWND hwnd = popup.Create(nullptr, u"Popup", WS_POPUP | WS_VISIBLE, 0, kPopupRect);
  popup.SetupRegion(12);
  EXPECT_EQ(GetWindowRoundRegion(hwnd), 12);
  EXPECT_FALSE(WindowRegionContains(hwnd, Point{0, 0}));
  EXPECT_TRUE(WindowRegionContains(hwnd, Point{50, 50}));
}

}  // namespace
}  // namespace zephuitest
