// The device list, battery gauge and update buttons on a headless dialog:
// which keyboards show in which order, the current device type, the battery
// level text, the update badge and the download progress picture.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/BatteryCtrl.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/DPIControl.h"
#include "zephui/DownloadButton.h"
#include "zephui/Headless.h"
#include "zephui/LoadingWnd.h"
#include "zephui/MTabLayout.h"
#include "zephui/PaintManager.h"
#include "zephui/UpgradeButton.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr ArgbColor kBadgeRed{0xFFFF0000};

class DeviceControlsTest : public CatalogueFixture {
 protected:
  ArgbColor Shown(int x, int y) {
    dialog_->GetPaintManager().Invalidate();
    Settle();
    return Headless::PresentedPixel(hwnd_, x, y);
  }
  void Press(int x, int y) {
    Headless::MoveMouseToClient(hwnd_, x, y);
    Headless::Pump();
    Headless::ButtonDown(Headless::Button::Left);
    Headless::ButtonUp(Headless::Button::Left);
    Headless::Pump();
    Headless::AdvanceClock(1000);
  }
};

TEST_F(DeviceControlsTest, DeviceListShowsConnectedRowsFirstAndKeepsTheCurrentType) {
  auto* devices = Add<CDeviceCtrl>(u"CDeviceCtrl", 80, Rect{10, 10, 210, 190}, u"");
  ASSERT_NE(devices, nullptr);
  devices->SetImage(u"btn_test.png", 4);
  devices->AddDevice(u"T40", 0, 0, 201, true);
  devices->AddDevice(u"T20", 0, 0, 202, true);
  devices->AddDevice(u"T40 twin", 0, 0, 201, true);
  EXPECT_NE(Shown(100, 30), Centre(0));  // listed rows but nothing connected: an empty list
  EXPECT_EQ(devices->GetCurDeviceType(), 0);

  devices->SetDeviceState(202, DEVICE_STATE_CONNECTED);
  EXPECT_EQ(Shown(20, 20), Centre(1));  // the connected row comes first, lit
  EXPECT_EQ(Shown(20, 10 + 50 + 10), Centre(0));
  EXPECT_EQ(devices->GetItemRect(1), (Rect{0, 0, 200, 38}));
  EXPECT_EQ(devices->GetItemRect(0), (Rect{0, 50, 200, 88}));
  EXPECT_EQ(devices->GetItemRect(2), (Rect{0, 100, 200, 138}));
  EXPECT_EQ(devices->GetCurDeviceType(), 202);

  devices->SetDeviceState(201, DEVICE_STATE_CONNECTED);  // only the first item of the type
  EXPECT_EQ(devices->GetConnectCount(), 2);
  devices->SetDeviceState(201, DEVICE_STATE_HIDDEN);  // stays current while another is connected
  EXPECT_EQ(devices->GetCurDeviceType(), 201);
  Shown(0, 0);
  EXPECT_EQ(devices->GetItemRect(0), Rect{});

  Press(20, 10 + 50 + 10);  // the listed "T40 twin" row
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{80, NOTIFY_PRESSED, 2, 0}}));
  EXPECT_EQ(devices->GetCurDeviceType(), 201);
  devices->ResetAllState();
  EXPECT_EQ(devices->GetCurDeviceType(), 0);
  EXPECT_NE(Shown(20, 20), Centre(1));
}

TEST_F(DeviceControlsTest, BatteryShowsItsLevelAsTextOnlyAboveZeroAndNotWhileCharging) {
  auto* battery = Add<BatteryCtrl>(u"BatteryCtrl", 81, Rect{10, 10, 150, 40}, u"");
  ASSERT_NE(battery, nullptr);
  EXPECT_EQ(battery->SetBatteryIcon(u"btn_test.png", u"missing.png"), 1);
  battery->SetImage(u"btn_test.png", 1);  // an 80 x 20 outline
  const auto textPixels = [&] {
    dialog_->GetPaintManager().Invalidate();
    Settle();
    int white = 0;
    for (int y = 10; y < 30; ++y) {
      for (int x = 10; x < 90; ++x) white += Headless::PresentedPixel(hwnd_, x, y) == kWhite ? 1 : 0;
    }
    return white;
  };
  EXPECT_GT(textPixels(), 0);
  EXPECT_EQ(battery->GetTitle(), u"100%");
  battery->SetBatteryInfo(0, false);
  EXPECT_EQ(textPixels(), 0);
  battery->SetBatteryInfo(37, false);
  EXPECT_GT(textPixels(), 0);
  EXPECT_EQ(battery->GetTitle(), u"37%");
  battery->SetBatteryInfo(37, true);
  EXPECT_EQ(textPixels(), 0);
}

TEST_F(DeviceControlsTest, UpdateButtonsShowTheBadgeAndTheDownloadProgress) {
  auto* page = Add<MTabLayout>(u"MTabLayout", 60, Rect{0, 0, 400, 200}, u"");
  ASSERT_NE(page, nullptr);
  auto* upgrade = dynamic_cast<UpgradeButton*>(
      page->CreateControl(u"UpgradeButton", 82, Rect{10, 10, 110, 40}, u"Update", true, true));
  auto* download = dynamic_cast<DownloadButton*>(
      page->CreateControl(u"DownloadButton", 83, Rect{10, 60, 210, 90}, u"Download", true, true));
  ASSERT_NE(upgrade, nullptr);
  ASSERT_NE(download, nullptr);
  upgrade->SetImage(u"btn_test.png", 4);
  download->SetImage(u"btn_test.png", 4);
  EXPECT_NE(Shown(98, 14), kBadgeRed);
  upgrade->SetUpgradeStatus(1);
  EXPECT_EQ(Shown(98, 14), kBadgeRed);  // inside the 16-pixel circle at the top-right corner
  EXPECT_NE(Shown(92, 18), kBadgeRed);
  Press(30, 25);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{82, NOTIFY_PRESSED, 0, 0}, {82, NOTIFY_CLICKED, 0, 0}}));

  // Half done: frame 1 over the left 100 pixels, frame 0 stretched over the whole button.
  download->SetDownloadProcess(50);
  EXPECT_EQ(Shown(10 + 60, 75), Centre(1));
  EXPECT_EQ(Shown(10 + 130, 75), Centre(0));
  download->SetDownloadProcess(0);  // a plain button again
  EXPECT_NE(Shown(10 + 60, 75), Centre(1));
}

TEST_F(DeviceControlsTest, ResolutionCellsCheckOneOfTheirGroup) {
  PaintManager& manager = dialog_->GetPaintManager();
  DPIControl* cells[3] = {};
  for (int i = 0; i < 3; ++i) {
    auto cell = std::make_unique<DPIControl>(dialog_.get(), 90 + i, Rect{10, 10 + 30 * i, 110, 36 + 30 * i}, true);
    cells[i] = static_cast<DPIControl*>(manager.AddControl(std::move(cell), 1));
    cells[i]->SetDPIValue(800 * (i + 1));
  }
  cells[2]->SetGroupName(u"other");
  cells[0]->SetCheck(true);
  cells[2]->SetCheck(true);
  Settle();
  Press(60, 10 + 30 + 10);  // the second cell
  EXPECT_FALSE(cells[0]->GetCheck());
  EXPECT_TRUE(cells[1]->GetCheck());
  EXPECT_TRUE(cells[2]->GetCheck());  // another group
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{91, NOTIFY_CHECK, 1600, 0}}));
  EXPECT_EQ(cells[1]->GetClassNameW(), u"DPIControl");
}

TEST_F(DeviceControlsTest, LoadingWindowStepsItsAnimationOnItsTimer) {
  LoadingWnd loading;
  ASSERT_NE(loading.CreateDlg(hwnd_, Rect{150, 150, 350, 300}), nullptr);
  ASSERT_EQ(loading.LoadAnimateImage(u"btn_test.png", 4), 1);
  EXPECT_EQ(loading.LoadGifImage(u"missing.gif"), 0);
  std::vector<int> frames;
  for (int step = 0; step < 5; ++step) {
    frames.push_back(loading.GetAnimationFrame());
    Headless::RunFor(18);
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 0}));
  loading.CloseWindow();
  EXPECT_EQ(loading.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace cataloguetest
