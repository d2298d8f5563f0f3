// MDialog: close codes through the modal loop, the dialog message, and a
// dialog that ends (and deletes itself) from inside one of its own messages.
#include <memory>

#include "tests/zephui/windows/DialogFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class DialogClose : public DialogFixture {};

TEST_F(DialogClose, EachCloseCallEndsTheModalLoopWithItsCodeAfterTheWindowWent) {
  struct Case {
    void (MDialog::*close)();
    std::uint32_t code;
  };
  const Case cases[] = {{&MDialog::DoOK, 1}, {&MDialog::DoCancel, 2}, {&MDialog::DoClose, 2},
                        {&MDialog::DoYes, 6}, {&MDialog::DoNo, 7}};
  const HWND owner = MakeWindow(0, 0, 600, 500);
  for (const Case& c : cases) {
    SampleDialog dialog;
    const HWND hwnd = Open(dialog, owner, true);
    (dialog.*c.close)();
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), c.code);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(dialog.closeCodes, (std::vector<WPARAM>{c.code}));
    EXPECT_EQ(dialog.finalCalls, 1);
    EXPECT_TRUE(dialog.windowGoneAtFinal);
    EXPECT_TRUE(IsWindowEnabled(owner));
  }
}

TEST_F(DialogClose, ShowModalWithoutAWindowGivesAllOnes) {
  SampleDialog dialog;
  EXPECT_EQ(dialog.ShowModal(SW_SHOW), 0xFFFFFFFFU);
  dialog.DoOK();  // nothing to post to
  MSG msg;
  EXPECT_FALSE(PeekMessage(msg));
}

TEST_F(DialogClose, TheDialogMessageAnswersAtOnceAndClosesLaterWithItsParameters) {
  SampleDialog dialog;
  const HWND hwnd = Open(dialog);
  EXPECT_EQ(SendMessage(hwnd, WM_DIALOG_CLOSE, 6, 9), 1);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(SendMessage(hwnd, WM_ERASEBKGND, 0, 0), 1);
  Headless::Pump();
  EXPECT_EQ(dialog.closeCodes, (std::vector<WPARAM>{6}));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(DialogClose, TheOkButtonEndsAModalDialogThatDeletesItself) {
  const HWND owner = MakeWindow(0, 0, 600, 500);
  bool deleted = false;
  auto* dialog = new SampleDialog;
  dialog->deleteAtEnd = true;
  dialog->deleted = &deleted;
  const HWND hwnd = Open(*dialog, owner);
  Headless::ClickClient(hwnd, Centre(SampleDialog::kOkRect).x, Centre(SampleDialog::kOkRect).y);
  EXPECT_EQ(dialog->ShowModal(SW_SHOW), 1U);
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(DialogClose, ADialogDestroyedInsideItsOwnMessageLivesUntilThatMessageIsDone) {
  bool deleted = false;
  bool aliveInHandler = false;
  auto* dialog = new SampleDialog;
  dialog->deleteAtEnd = true;
  dialog->deleted = &deleted;
  const HWND hwnd = Open(*dialog);
  dialog->onNotify = [&](std::uint32_t id, UINT code) {
    if (id != SampleDialog::kApplyId || code != NOTIFY_CLICKED) return;
    DestroyWindow(hwnd);
    aliveInHandler = !deleted;
  };
  Click(hwnd, Centre(SampleDialog::kApplyRect));
  EXPECT_TRUE(aliveInHandler);
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(DialogClose, DeletingADialogDestroysItsWindowAndControls) {
  auto dialog = std::make_unique<SampleDialog>();
  const HWND hwnd = Open(*dialog);
  EXPECT_EQ(dialog->GetControls().size(), 3U);
  dialog.reset();
  EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace zephuitest
