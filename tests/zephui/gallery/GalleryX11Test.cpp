// The control gallery on the test binary's private Xvfb: a screenshot of every
// control, and the popups and the edit field driven with real pointer and key
// events through XTEST.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/zephui/gallery/GalleryDialog.h"
#include "zephui/CComboBoxList.h"
#include "zephui/CComboBoxWnd.h"
#include "zephui/MComboBox.h"
#include "zephui/MEdit.h"
#include "zephui/MenuWnd.h"
#include "zephui/Window.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/X11Fixture.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{100, 100, 100 + GalleryDialog::kBlockWidth, 100 + GalleryDialog::kBlockHeight};
constexpr std::uint32_t kBackground = 0x202830;  // the dialog's fill, as the screen's RGB

class GalleryOnX11 : public X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    dialog_ = std::make_unique<GalleryDialog>();
    hwnd_ = dialog_->Create(nullptr, u"Gallery", WS_POPUP | WS_VISIBLE, 0, kWindow);
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_TRUE(PumpUntil([this] { return ScreenPixel(kWindow.left + 620, kWindow.top + 350) == kBackground; }));
  }
  void TearDown() override {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    dialog_.reset();
    X11Fixture::TearDown();
  }
  // A real pointer move to a screen point, then a left click there.
  void ClickAt(int x, int y) {
    XTestFakeMotionEvent(client_, 0, x, y, CurrentTime);
    XSync(client_, False);
    Settle(60);
    XTestFakeButtonEvent(client_, 1, True, CurrentTime);
    XTestFakeButtonEvent(client_, 1, False, CurrentTime);
    XFlush(client_);
  }
  void ClickClient(const Rect& rect) {
    ClickAt(kWindow.left + (rect.left + rect.right) / 2, kWindow.top + (rect.top + rect.bottom) / 2);
  }
  // Handles messages for a short while, so the pointer's move is seen before the click that follows it.
  void Settle(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    PumpUntil([until] { return std::chrono::steady_clock::now() >= until; });
  }
  void Type(KeySym sym) {
    const KeyCode code = XKeysymToKeycode(client_, sym);
    XTestFakeKeyEvent(client_, code, True, CurrentTime);
    XTestFakeKeyEvent(client_, code, False, CurrentTime);
    XFlush(client_);
  }
  int Count(std::uint32_t id, UINT code) const {
    int count = 0;
    for (const auto& note : dialog_->notes) count += note.id == id && note.code == code ? 1 : 0;
    return count;
  }

  std::unique_ptr<GalleryDialog> dialog_;
  HWND hwnd_ = nullptr;
};

TEST_F(GalleryOnX11, EveryControlIsDrawnAndPhotographed) {
  // The Apply button's face is not the dialog's fill once its skin is drawn.
  const Rect apply = dialog_->ControlRect(GalleryDialog::kApplyId);
  EXPECT_NE(ScreenPixel(kWindow.left + apply.left + 50, kWindow.top + apply.top + 16), kBackground);
  const std::filesystem::path shot = std::filesystem::current_path() / "gallery.png";
  ASSERT_TRUE(WriteScreenPng(client_, shot));
  EXPECT_GT(std::filesystem::file_size(shot), 10000U);
}

TEST_F(GalleryOnX11, AComboRowClickedReportsItsIndexAndRetitlesTheBox) {
  MComboBox* combo = dialog_->combo;
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->GetTitle(), u"Red");
  ClickClient(combo->GetRect());
  ASSERT_TRUE(PumpUntil([combo] { return combo->IsOpen(); }));
  CComboBoxWnd* popup = combo->GetPopup();
  ASSERT_TRUE(PumpUntil([popup] { return IsWindowVisible(popup->GetSafeHwnd()); }));
  Rect window;
  GetWindowRect(popup->GetSafeHwnd(), window);
  const Rect list = popup->GetList()->GetRect();
  dialog_->notes.clear();
  ClickAt(window.left + list.left + 20, window.top + list.top + 45);  // the second row
  ASSERT_TRUE(PumpUntil([this] { return Count(GalleryDialog::kComboId, NOTIFY_CLICKED) > 0; }));
  const std::vector<GalleryDialog::Note> expected{{GalleryDialog::kComboId, NOTIFY_CLICKED, 1}};
  EXPECT_EQ(dialog_->notes, expected);
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetTitle(), u"Green");
  EXPECT_TRUE(PumpUntil([combo] { return !combo->IsOpen(); }));
}

TEST_F(GalleryOnX11, AMenuRowClickedReportsOnceAndTheMenuCloses) {
  auto* menu = new MenuWnd(nullptr);  // deletes itself when its window goes
  ASSERT_EQ(menu->Create(hwnd_, Point{kWindow.left + 200, kWindow.top + 120}, GalleryDialog::kMenuReport), 1);
  menu->AddMenu(u"Copy", 201, u"", 0, 0);
  menu->AddMenu(u"Paste", 202, u"", 0, 0);
  menu->AddMenu(u"Delete", 203, u"", 0, 0);
  const HWND menuWindow = menu->GetSafeHwnd();
  ASSERT_TRUE(PumpUntil([menuWindow] { return IsWindowVisible(menuWindow); }));
  Rect window;
  GetWindowRect(menuWindow, window);
  const Rect row = menu->GetControl(202)->GetRect();
  ClickAt(window.left + row.left + 30, window.top + (row.top + row.bottom) / 2);
  ASSERT_TRUE(PumpUntil([this, menuWindow] { return !dialog_->menuReports.empty() && !IsWindow(menuWindow); }));
  Settle(200);  // room for a second report, which must not come
  EXPECT_EQ(dialog_->menuReports, std::vector<LPARAM>{202});
  EXPECT_FALSE(IsWindow(menuWindow));
}

TEST_F(GalleryOnX11, KeysTypedIntoTheEditBecomeItsTextAndReportChanges) {
  MEdit* edit = dialog_->edit;
  ASSERT_NE(edit, nullptr);
  edit->SetEditText(u"");
  ClickClient(edit->GetRect());
  ASSERT_TRUE(PumpUntil([edit] { return edit->IsEditFocused() && GetFocus() == edit->GetEditWindow(); }));
  dialog_->notes.clear();
  for (const KeySym sym : {XK_g, XK_a, XK_l, XK_l, XK_e, XK_r, XK_y}) Type(sym);
  ASSERT_TRUE(PumpUntil([edit] { return edit->GetEditText() == u"gallery"; })) << edit->GetEditText().size();
  EXPECT_TRUE(PumpUntil([this] { return Count(GalleryDialog::kEditId, NOTIFY_EDIT_CHANGED) > 0; }));
  for (const auto& note : dialog_->notes) EXPECT_EQ(note.id, GalleryDialog::kEditId);
}

}  // namespace
}  // namespace zephuitest
