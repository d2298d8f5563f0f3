// The key picker and a record list of twenty macro steps drawn on a real X
// server (a private Xvfb) with the generated skin, kept as screenshots in the
// working folder: picker_keys.png, recordlist_steps.png and, with a step's
// delay editor open, recordlist_editing.png.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "zephui/Backend.h"
#include "zephui/CDeviceCtrl.h"
#include "zephui/CRecordList.h"
#include "zephui/DListBox.h"
#include "zephui/DownloadButton.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/MDialog.h"
#include "zephui/MTabLayout.h"
#include "zephui/Message.h"
#include "zephui/UpgradeButton.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{20, 20, 960, 600};
constexpr Rect kPicker{12, 12, 916, 248};
constexpr Rect kRecords{12, 270, 452, 570};
constexpr Rect kProfiles{480, 270, 720, 430};
constexpr Rect kDevices{740, 270, 920, 420};
constexpr std::uintptr_t kTickTimer = 500;  // keeps the loop turning while the server works

bool Crop(const std::filesystem::path& screen, const Rect& area, const std::filesystem::path& out) {
  cairo_surface_t* whole = cairo_image_surface_create_from_png(screen.c_str());
  cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
  cairo_t* cr = cairo_create(part);
  cairo_set_source_surface(cr, whole, -area.left, -area.top);
  cairo_paint(cr);
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(part, out.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(part);
  cairo_surface_destroy(whole);
  return written;
}

// Lets the window system work for a while (painting is paced) while the X server catches up.
void Pump(Display* client, int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  XSync(client, False);
  while (std::chrono::steady_clock::now() < until) {
    if (!PeekMessage(msg)) {
      WaitMessage();  // reads the X connection; the window's tick timer keeps this from blocking long
      continue;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
}

Rect OnScreen(const Rect& r) {
  return Rect{kWindow.left + r.left, kWindow.top + r.top, kWindow.left + r.right, kWindow.top + r.bottom};
}

// Writes the screen, then the part of it at `area` (dialog client pixels) as `name` in the working folder.
bool Shoot(Display* client, const Rect& area, const char* name) {
  const std::filesystem::path screen = std::filesystem::current_path() / "keyboard_lists_screen.png";
  return WriteScreenPng(client, screen) && Crop(screen, OnScreen(area), std::filesystem::current_path() / name);
}


// A profile list, the device list and the update buttons, drawn beside the record list for a look at them.
void AddSideControls(MTabLayout& page) {
  auto* profiles = dynamic_cast<DListBox*>(page.CreateControl(u"DListBox", 63, kProfiles, u"", true, true));
  auto* devices = dynamic_cast<CDeviceCtrl*>(page.CreateControl(u"CDeviceCtrl", 64, kDevices, u"", true, true));
  auto* upgrade = dynamic_cast<UpgradeButton*>(
      page.CreateControl(u"UpgradeButton", 65, Rect{480, 450, 680, 488}, u"Software update", true, true));
  auto* download = dynamic_cast<DownloadButton*>(
      page.CreateControl(u"DownloadButton", 66, Rect{480, 500, 680, 538}, u"Download", true, true));
  ASSERT_TRUE(profiles != nullptr && devices != nullptr && upgrade != nullptr && download != nullptr);
  profiles->SetImage(u"icon//icon_circle.png", 2);
  profiles->SetEditImage(u"img_edit.png", 4);
  profiles->SetFont(u"Arial", 14, 0);
  for (const char16_t* name : {u"Default", u"Gaming", u"Office", u"Night", u"Travel", u"Spare"}) {
    profiles->AddString(name, 0);
  }
  profiles->SetCurSel(1);
  devices->SetImage(u"img_device_state.png", 2);
  devices->SetFont(u"Arial", 20, 1);
  devices->AddDevice(u"T40", 0, 0, 201, true);
  devices->AddDevice(u"T20", 0, 0, 202, true);
  devices->SetDeviceState(201, DEVICE_STATE_CONNECTED);
  upgrade->SetImage(u"btn_apply.png", 4);
  upgrade->SetUpgradeStatus(1);
  download->SetImage(u"btn_apply.png", 4);
  download->SetDownloadProcess(40);
}

TEST(KeyboardListsOnX11, PickerAndRecordListAreDrawnWithTheSkin) {
  if (XvfbServer::Shared() == nullptr || !SelectBackend(BackendKind::X11)) GTEST_SKIP() << "Xvfb is not available";
  MDialog dialog;
  const HWND hwnd = dialog.Create(nullptr, u"Keyboard lists", WS_POPUP | WS_VISIBLE, 0, kWindow);
  ASSERT_NE(hwnd, nullptr);
  dialog.GetPaintManager().SetBackColor(GdiColor::FromRgb(20, 22, 26), GdiColor::FromRgb(20, 22, 26));
  auto* page = dynamic_cast<MTabLayout*>(
      dialog.CreateControl(u"MTabLayout", 60, Rect{0, 0, kWindow.Width(), kWindow.Height()}, u"", true, true));
  ASSERT_NE(page, nullptr);
  auto* picker = dynamic_cast<KeyFuncControl*>(page->CreateControl(u"KeyFuncControl", 61, kPicker, u"", true, true));
  auto* records = dynamic_cast<CRecordList*>(page->CreateControl(u"CRecordList", 62, kRecords, u"", true, true));
  ASSERT_NE(picker, nullptr);
  ASSERT_NE(records, nullptr);
  picker->SetImage(u"img_customkey.png", 4);
  picker->SetFont(u"Arial", 10, 0);
  picker->InitItemInfo();
  picker->SetItemCheckByItemData(41, 0, 0);
  records->SetFont(u"Arial", 14, 0);
  for (int i = 0; i < 20; ++i) {
    const std::u16string key(1, static_cast<char16_t>(u'A' + i / 2));
    records->AddString(key, i % 2 == 0 ? RECORD_KEY_DOWN : RECORD_KEY_UP, 4 + i / 2, 30 + 5 * i);
  }
  records->SetCurSel(17);
  AddSideControls(*page);
  dialog.GetPaintManager().Invalidate();
  SetTimer(hwnd, kTickTimer, 20);

  Display* client = XOpenDisplay(nullptr);
  ASSERT_NE(client, nullptr);
  Pump(client, 1500);
  EXPECT_TRUE(Shoot(client, kPicker, "picker_keys.png"));
  EXPECT_TRUE(Shoot(client, kRecords, "recordlist_steps.png"));
  EXPECT_EQ(records->GetRowRect(19).bottom, kRecords.bottom);

  // A click in the delay column of a step opens the delay editor over it.
  const Rect row = OnScreen(records->GetRowRect(18));
  XTestFakeMotionEvent(client, 0, row.left + 360, row.top + 20, CurrentTime);
  XFlush(client);
  Pump(client, 300);  // the pointer arrives over the row before the press
  XTestFakeButtonEvent(client, 1, True, CurrentTime);
  XTestFakeButtonEvent(client, 1, False, CurrentTime);
  XFlush(client);
  Pump(client, 1000);
  EXPECT_EQ(records->GetEditItem(), 18);
  EXPECT_TRUE(Shoot(client, kRecords, "recordlist_editing.png"));
  XCloseDisplay(client);
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace zephuitest
