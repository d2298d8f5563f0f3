// The rich edit family inside the host window: typing and commands of
// MRichEdit with its formatted runs, the tip of MEditEx, the icon of
// CLogonEdit, the number rules of CSpinButton, and the open flag of
// CColorCombo.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "zephui/CColorCombo.h"
#include "zephui/CLogonEdit.h"
#include "zephui/CSpinButton.h"
#include "zephui/Headless.h"
#include "zephui/MEditEx.h"
#include "zephui/MRichEdit.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

constexpr Rect kRect{40, 60, 240, 92};
constexpr Rect kOther{40, 120, 240, 152};
constexpr Rect kTextBand{44, 66, 150, 86};  // where the first words of kRect's text lie

class RichEditTest : public CatalogueFixture {
 protected:
  void Click(Point at) {
    Headless::AdvanceClock(1000);
    Headless::MoveMouseToClient(hwnd_, 5, 5);
    Headless::ClickClient(hwnd_, at.x, at.y);
    Settle();
  }
  static void Press(std::uint32_t vk, std::uint32_t modifier = 0) {
    if (modifier != 0) Headless::KeyDown(modifier);
    Headless::PressKey(vk);
    if (modifier != 0) Headless::KeyUp(modifier);
    Settle();
  }
  int Count(UINT code) const {
    int n = 0;
    for (const auto& note : dialog_->notes) n += note.code == code ? 1 : 0;
    return n;
  }
  // True when some presented pixel of `rect` is (near) `colour`.
  bool Shows(const Rect& rect, ArgbColor colour) const {
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        if (Headless::PresentedPixel(hwnd_, x, y) == colour) return true;
      }
    }
    return false;
  }
};

TEST_F(RichEditTest, TypingFormattingAndContextCommands) {
  auto* rich = Add<MRichEdit>(u"MRichEdit", 70, kRect, u"");
  ASSERT_NE(rich, nullptr);
  rich->SetFont(rich->GetTextFont(), 20, 1);
  Click(Point{140, 76});
  EXPECT_EQ(dialog_->GetPaintManager().GetCurrentCaretObject(), rich);
  Headless::TypeText(u"red \u0645\u0631\u062D\u0628\u0627");  // Latin, then Arabic
  Settle();
  EXPECT_EQ(rich->GetText(), u"red \u0645\u0631\u062D\u0628\u0627");

  rich->SetSel(0, 3);
  rich->SetSelectionCharFormat(ArgbColor(0xFFFF0000), 0, RunWeight::Bold);
  rich->SetSel(9, 9);
  Settle();
  EXPECT_TRUE(Shows(kTextBand, ArgbColor(0xFFFF0000)));

  EXPECT_FALSE(rich->IsCommandEnabled(RICHEDIT_COPY));
  EXPECT_TRUE(rich->IsCommandEnabled(RICHEDIT_PASTE));
  Press(VK_HOME, VK_SHIFT);
  EXPECT_TRUE(rich->IsCommandEnabled(RICHEDIT_CUT));
  EXPECT_EQ(rich->RunCommand(RICHEDIT_CUT), 1);
  EXPECT_EQ(rich->GetText(), u"");
  EXPECT_TRUE(rich->IsCommandEnabled(RICHEDIT_UNDO));
  EXPECT_FALSE(rich->IsCommandEnabled(RICHEDIT_REDO));
  rich->RunCommand(RICHEDIT_UNDO);
  EXPECT_EQ(rich->GetText().size(), 9U);
  EXPECT_TRUE(rich->IsCommandEnabled(RICHEDIT_REDO));
  Press('Y', VK_CONTROL);
  EXPECT_EQ(rich->GetText(), u"");

  rich->SetText(u"fixed");
  rich->SetReadOnly(true);
  rich->SetSelAll();
  EXPECT_TRUE(rich->IsCommandEnabled(RICHEDIT_COPY));
  EXPECT_FALSE(rich->IsCommandEnabled(RICHEDIT_CUT));
  EXPECT_FALSE(rich->IsCommandEnabled(RICHEDIT_CLEAR));
  EXPECT_EQ(rich->RunCommand(RICHEDIT_PASTE), 0);
  Headless::TypeText(u"x");
  Settle();
  EXPECT_EQ(rich->GetText(), u"fixed");
  EXPECT_EQ(Count(NOTIFY_PRESSED), 1);
  EXPECT_EQ(Count(NOTIFY_CLICKED), 1);

  // A right click opens the context menu; its report runs the command, Escape closes it without one.
  rich->SetReadOnly(false);
  rich->SetSel(0, 0);
  Headless::ClickClient(hwnd_, 140, 76, Headless::Button::Right);
  Settle();
  const HWND menu = FindWindow(u"", u"Menu Window");
  ASSERT_NE(menu, nullptr);
  Headless::PressKey(VK_ESCAPE);
  Settle();
  EXPECT_FALSE(IsWindow(menu));
  Headless::ClickClient(hwnd_, 140, 76, Headless::Button::Right);
  Settle();
  PostMessage(hwnd_, WM_COMMAND, 0, RICHEDIT_SELECT_ALL);  // what choosing "SelectAll(&A)" posts
  Settle();
  int from = -1;
  int to = -1;
  rich->GetSel(from, to);
  EXPECT_EQ(std::make_pair(from, to), std::make_pair(0, 5));
}

TEST_F(RichEditTest, SpinFieldKeepsItsValueInRange) {
  auto* spin = Add<CSpinButton>(u"CSpinButton", 71, kRect, u"");
  auto* other = Add<MEditEx>(u"MEditEx", 72, kOther, u"");
  ASSERT_NE(spin, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(spin->GetText(), u"0");
  Click(Point{140, 76});
  Press(VK_DOWN);
  EXPECT_EQ(Count(NOTIFY_SPIN), 0);  // already at the bottom of the range
  Press(VK_UP);
  EXPECT_EQ(spin->GetCurValue(), 1);
  EXPECT_EQ(spin->GetText(), u"1");
  EXPECT_EQ(Count(NOTIFY_SPIN), 1);

  spin->SetSelAll();
  Headless::TypeText(u"4a2");
  Settle();
  EXPECT_EQ(spin->GetCurValue(), 42);
  EXPECT_EQ(Count(NOTIFY_SPIN), 3);  // "4", then "42"
  spin->SetRange(10, 50);
  spin->SetSelAll();
  Headless::TypeText(u"9999");
  Settle();
  EXPECT_EQ(spin->GetText(), u"99");  // no more digits than the maximum has
  EXPECT_EQ(spin->GetCurValue(), 42);
  Click(Point{140, 136});             // the focus leaves: the field shows its value again
  EXPECT_EQ(spin->GetText(), u"42");
}

TEST_F(RichEditTest, TipShowsOnlyWhileEmptyAndUnfocused) {
  auto* edit = Add<MEditEx>(u"MEditEx", 73, kRect, u"");
  ASSERT_NE(edit, nullptr);
  edit->SetFont(edit->GetTextFont(), 20, 1);
  edit->SetTipInfo(u"Search");
  Settle();
  const ArgbColor grey(0xFF808080);
  EXPECT_TRUE(edit->IsShowingTip());
  EXPECT_TRUE(Shows(kTextBand, grey));
  Click(Point{140, 76});
  EXPECT_FALSE(edit->IsShowingTip());
  EXPECT_FALSE(Shows(kTextBand, grey));
}

TEST_F(RichEditTest, LogonFieldShowsTheIconsFirstFrameAtItsLeftAndWritesAfterIt) {
  auto* logon = static_cast<CLogonEdit*>(dialog_->GetPaintManager().AddControl(
      std::make_unique<CLogonEdit>(dialog_.get(), 75, kRect, u"", true, true), 1));
  logon->SetFont(logon->GetTextFont(), 20, 1);
  logon->SetTextColor(ArgbColor(0xFFFFFF00));
  logon->SetTipInfo(u"Account");
  EXPECT_EQ(logon->SetIconImage(u"no_such_icon.png", 4), 0);
  EXPECT_EQ(logon->GetIconRect(), Rect{});
  ASSERT_EQ(logon->SetIconImage(u"btn_test.png", 4), 1);
  const Rect icon = logon->GetIconRect();
  EXPECT_EQ(icon, (Rect{46, 66, 66, 86}));  // one 20-pixel frame, 6 from the left, centred in the 32-pixel field
  dialog_->GetPaintManager().Invalidate();
  Settle();
  EXPECT_TRUE(Shows(icon, Centre(0)));
  EXPECT_FALSE(Shows(icon, Centre(1)));
  const Rect besideIcon{kRect.left, kRect.top, icon.right + 6, kRect.bottom};
  const Rect afterIcon{icon.right + 6, kRect.top, kRect.right, kRect.bottom};
  const ArgbColor grey(0xFF808080);
  EXPECT_FALSE(Shows(besideIcon, grey));
  EXPECT_TRUE(Shows(afterIcon, grey));

  Click(Point{140, 76});
  Headless::TypeText(u"WWW");
  Settle();
  const ArgbColor yellow(0xFFFFFF00);
  EXPECT_FALSE(Shows(besideIcon, yellow));
  EXPECT_TRUE(Shows(afterIcon, yellow));
}

TEST_F(RichEditTest, ColourComboTogglesItsOpenFlag) {
  auto* colour = static_cast<CColorCombo*>(dialog_->GetPaintManager().AddControl(
      std::make_unique<CColorCombo>(dialog_.get(), 74, kRect, true, true), 1));
  colour->SetColor(GdiColor::FromRgb(0, 200, 0));
  dialog_->GetPaintManager().Invalidate();
  Settle();
  EXPECT_TRUE(Shows(kTextBand, ArgbColor(0xFF00C800)));
  Click(Point{140, 76});
  EXPECT_TRUE(colour->IsOpen());
  EXPECT_EQ(dialog_->notes.back(), (NoteDialog::Note{74, NOTIFY_CLICKED, 0, 1}));
  Click(Point{140, 76});
  EXPECT_FALSE(colour->IsOpen());
  EXPECT_EQ(dialog_->notes.back(), (NoteDialog::Note{74, NOTIFY_CLICKED, 0, 0}));
  colour->SetOpen(true);
  colour->SetEnabled(false);
  EXPECT_FALSE(colour->IsOpen());
}

}  // namespace
}  // namespace cataloguetest
