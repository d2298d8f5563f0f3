// A dialog's tooltip: its text is drawn whole, to the last letter, for texts
// of every length, and the tip goes when another program takes the focus.
#include "tests/zephui/windows/DialogFixture.h"
#include "zephui/Font.h"
#include "zephui/Headless.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/PaintManager.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr int kTipTextSize = 12;  // what the tip draws in
constexpr int kTipMargin = 4;     // left of the text
constexpr int kFitsOneLine = 236; // well below the tip's widest line: a longer text wraps, as it should

class ToolTip : public DialogFixture {
 protected:
  // The rightmost column of the tip with dark (text) pixels, inside its border.
  static int RightmostInk(HWND tip) {
    Rect rect;
    GetWindowRect(tip, rect);
    int rightmost = -1;
    for (int x = 1; x < rect.Width() - 1; ++x) {
      for (int y = 1; y < rect.Height() - 1; ++y) {
        if (Headless::PresentedPixel(tip, x, y).Red() < 0x80) rightmost = x;
      }
    }
    return rightmost;
  }
};

TEST_F(ToolTip, ItsTextIsDrawnToTheLastLetterAndItGoesWhenAnotherProgramTakesTheFocus) {
  SampleDialog dialog;
  Open(dialog);
  Headless::Pump();
  const Font font(Manager::GetFontName(), kTipTextSize);
  std::u16string text = u"Shows the";
  for (const char16_t* word : {u" Popup", u" button", u" of", u" the", u" page", u" now", u" and", u" so"}) {
    text += word;
    const int width = MRender::GetTextBounds(font, text).width;
    if (width > kFitsOneLine) break;
    dialog.SetTooltip(text, Rect{40, 40, 320, 80});
    Headless::RunFor(50);
    const HWND tip = dialog.GetPaintManager().GetTooltipWindow();
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_GE(RightmostInk(tip), kTipMargin + width - 4) << "clipped: " << std::string(text.begin(), text.end());
  }
  const HWND tip = dialog.GetPaintManager().GetTooltipWindow();
  Headless::ActivateOtherProgram();
  Headless::Pump();
  EXPECT_FALSE(IsWindowVisible(tip));
}

}  // namespace
}  // namespace zephuitest
