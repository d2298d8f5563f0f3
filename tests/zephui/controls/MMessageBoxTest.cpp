// MMessageBox: which button, key or outside close gives which result, the
// owner blocked meanwhile, and the box sized to its text.
#include <gtest/gtest.h>

#include <functional>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/MButton.h"
#include "zephui/MMessageBox.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

// What to do once the box is up; run from a timer inside its modal loop.
std::function<void(HWND box)> g_act;

void ActOnBox(HWND owner, UINT, std::uintptr_t id, std::uint32_t) {
  const HWND box = FindWindow(u"ZephClient", u"Question");
  if (box == nullptr) return;
  KillTimer(owner, id);
  g_act(box);
}

class MMessageBoxTest : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    owner_ = MakeWindow(100, 100, 800, 600);
  }
  int ShowAndAct(std::uint32_t type, std::function<void(HWND)> act) {
    g_act = std::move(act);
    SetTimer(owner_, 1, 50, &ActOnBox);
    return MMessageBox::Show(owner_, u"Apply the changes?", u"Question", type);
  }
  int Press(std::uint32_t type, std::vector<std::uint32_t> keys) {
    return ShowAndAct(type, [keys](HWND) {
      for (std::uint32_t key : keys) Headless::PressKey(key);
    });
  }
  // Clicks button `index` of a box of `count` buttons (right-aligned, 90 wide, 10 apart, 16 above the bottom).
  int Click(std::uint32_t type, int index, int count) {
    return ShowAndAct(type, [this, index, count](HWND box) {
      EXPECT_FALSE(IsWindowEnabled(owner_));  // modal on its owner
      Rect client;
      GetClientRect(box, client);
      const int x = client.right - 20 - (count - index) * 100 + 10 + 45;
      Headless::ClickClient(box, x, client.bottom - 16 - 15);
    });
  }

  HWND owner_ = nullptr;
};

TEST_F(MMessageBoxTest, EachButtonClosesWithItsResult) {
  EXPECT_EQ(Click(MB_OK, 0, 1), IDOK);
  EXPECT_EQ(Click(MB_OKCANCEL, 1, 2), IDCANCEL);
  EXPECT_EQ(Click(MB_YESNO, 0, 2), IDYES);
  EXPECT_EQ(Click(MB_YESNOCANCEL, 1, 3), IDNO);
  EXPECT_EQ(Click(MB_YESNOCANCEL, 2, 3), IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(FindWindow(u"ZephClient", u"Question"), nullptr);
}

TEST_F(MMessageBoxTest, EnterTakesTheFocusedButtonAndEscapeTheSafeAnswer) {
  EXPECT_EQ(Press(MB_YESNO, {VK_RETURN}), IDYES);
  EXPECT_EQ(Press(MB_OKCANCEL, {VK_TAB, VK_RETURN}), IDCANCEL);
  EXPECT_EQ(Press(MB_YESNOCANCEL, {VK_ESCAPE}), IDCANCEL);
  EXPECT_EQ(Press(MB_YESNO, {VK_ESCAPE}), IDNO);
  EXPECT_EQ(Press(MB_OK, {VK_ESCAPE}), IDOK);
  EXPECT_EQ(ShowAndAct(MB_OKCANCEL, [](HWND box) { Headless::RequestClose(box); }), IDCANCEL);
}

TEST_F(MMessageBoxTest, TheBoxFitsItsTextWrappingLongText) {
  {
    // The first dialog of the process registers the skin's fonts as it is created; measure after that.
    MMessageBox first(u"Saved.", u"Question", MB_OK);
    DestroyWindow(first.CreateBox(owner_));
  }
  MMessageBox brief(u"Saved.", u"Question", MB_OK);
  std::u16string words;
  for (int i = 0; i < 30; ++i) words += u"profile ";
  MMessageBox wordy(words, u"Question", MB_YESNOCANCEL);
  const HWND small = brief.CreateBox(owner_);
  const HWND large = wordy.CreateBox(owner_);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  Rect a;
  Rect b;
  GetClientRect(small, a);
  GetClientRect(large, b);
  EXPECT_EQ(a.Width(), 300);
  EXPECT_EQ(b.Width(), 420 + 2 * 20);  // wrapped at the widest measure
  const Font font(Manager::GetFontName(), Manager::GetFontWidth());
  const int lines = MRender::GetTextBounds(font, TextFormat::WordBreak, 420, words).height;
  const int line = MRender::GetTextBounds(font, TextFormat::WordBreak, 420, u"Saved.").height;
  EXPECT_GE(lines, 2 * line);
  EXPECT_EQ(b.Height() - a.Height(), lines - line);
  // Centred on the owner.
  Rect window;
  GetWindowRect(small, window);
  EXPECT_NEAR(window.left + window.Width() / 2, 100 + 400, 1);
  EXPECT_NEAR(window.top + window.Height() / 2, 100 + 300, 1);
}

TEST_F(MMessageBoxTest, TheTitleOfTheButtonEnterWouldPressIsLit) {
  MMessageBox box(u"Apply the changes?", u"Question", MB_YESNOCANCEL);
  const HWND hwnd = box.CreateBox(owner_);
  const auto title = [&box](int i) {
    return static_cast<MButton*>(box.GetControl(MESSAGEBOX_FIRST_BUTTON_ID + i))->GetTextColor();
  };
  const ArgbColor lit{0xFF10A8FD};
  const ArgbColor plain{0xFFFFFFFF};
  EXPECT_EQ(title(0), lit);
  EXPECT_EQ(title(1), plain);
  MSG tab;
  tab.hwnd = hwnd;
  tab.message = WM_KEYDOWN;
  tab.wParam = VK_TAB;
  EXPECT_TRUE(box.PreTranslateMessage(tab));
  EXPECT_EQ(title(0), plain);
  EXPECT_EQ(title(1), lit);
}

}  // namespace
}  // namespace zephuitest
