// The key picker and a record list of twenty macro steps drawn on a real X
// server (a private Xvfb) with the generated skin, kept as screenshots in the
// working folder: picker_keys.png and recordlist_steps.png.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "zephui/Backend.h"
#include "zephui/CRecordList.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/MDialog.h"
#include "zephui/MTabLayout.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/Window.h"

#include <X11/Xlib.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{20, 20, 960, 600};
constexpr Rect kPicker{12, 12, 916, 248};
constexpr Rect kRecords{12, 270, 452, 570};

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

TEST(KeyboardListsOnX11, PickerAndRecordListAreDrawnWithTheSkin) {
  static XvfbServer server;
  if (!server.Start() || !SelectBackend(BackendKind::X11)) GTEST_SKIP() << "Xvfb is not available";
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
  dialog.GetPaintManager().Invalidate();

  Display* client = XOpenDisplay(nullptr);
  ASSERT_NE(client, nullptr);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  MSG msg;
  while (std::chrono::steady_clock::now() < until) {
    while (PeekMessage(msg)) {
      TranslateMessage(msg);
      DispatchMessage(msg);
    }
    XSync(client, False);
  }
  const std::filesystem::path screen = std::filesystem::current_path() / "keyboard_lists_screen.png";
  ASSERT_TRUE(WriteScreenPng(client, screen));
  XCloseDisplay(client);
  const auto onScreen = [](const Rect& r) {
    return Rect{kWindow.left + r.left, kWindow.top + r.top, kWindow.left + r.right, kWindow.top + r.bottom};
  };
  EXPECT_TRUE(Crop(screen, onScreen(kPicker), std::filesystem::current_path() / "picker_keys.png"));
  EXPECT_TRUE(Crop(screen, onScreen(kRecords), std::filesystem::current_path() / "recordlist_steps.png"));
  EXPECT_EQ(records->GetRowRect(19).bottom, kRecords.bottom);
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace zephuitest
