// MButton: states from the mouse and the enabled flag, notifications, and the
// four cached slots it renders.
#include <gtest/gtest.h>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/ControlFactory.h"
#include "zephui/Headless.h"
#include "zephui/MButton.h"
#include "zephui/MPanel.h"
#include "zephui/MText.h"

using namespace ZephUI;
using renderprobe::Near;

namespace cataloguetest {
namespace {

constexpr std::uint32_t kId = 40;
constexpr Rect kRect{40, 60, 160, 100};  // 120 x 40, client pixels

class MButtonTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    button_ = Add<MButton>(u"MButton", kId, kRect, u"Apply");
    ASSERT_NE(button_, nullptr);
  }
  void MoveTo(int x, int y) { Headless::MoveMouseToClient(hwnd_, x, y); Headless::Pump(); }
  static void Press() { Headless::ButtonDown(Headless::Button::Left); Headless::Pump(); }
  static void Release() { Headless::ButtonUp(Headless::Button::Left); Headless::Pump(); }
  // A white bold title without skin, so that only the title differs between slots.
  void PlainTitle() {
    button_->SetFont(button_->GetTextFont(), 20, 1);
    button_->SetTextColor(ArgbColor(0xFFFFFFFF));
    Settle();
  }

  MButton* button_ = nullptr;
  const Point inside_{100, 80};
};

using Note = NoteDialog::Note;

TEST_F(MButtonTest, FactoryBuildsBothClassesOnDialogsAndPanels) {
  auto* hidden = dynamic_cast<MButton*>(dialog_->CreateControl(u"MButton", 41, kRect, u"Off", false, false));
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(hidden->IsVisible());
  EXPECT_EQ(hidden->GetState(), BUTTON_STATE_DISABLED);
  EXPECT_EQ(hidden->GetTitle(), u"Off");

  ControlFactory::Register(u"CataloguePanel", FactoryScope::Dialog, [](const ControlArgs& a) {
    return std::unique_ptr<MControl>(std::make_unique<MPanel>(a.parent, a.id, a.rect, a.visible));
  });
  auto* panel = dynamic_cast<MPanel*>(dialog_->CreateControl(u"CataloguePanel", 42, kRect, u"", true, true));
  ASSERT_NE(panel, nullptr);
  EXPECT_NE(dynamic_cast<MButton*>(panel->CreateControl(u"MButton", 43, kRect, u"In", true, true)), nullptr);
  EXPECT_NE(dynamic_cast<MText*>(panel->CreateControl(u"MText", 44, kRect, u"Label", true, true)), nullptr);
  ControlFactory::Unregister(u"CataloguePanel");
}

TEST_F(MButtonTest, MouseDrivesStatesAndNotifications) {
  MoveTo(inside_.x, inside_.y);
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_HOVER);
  Press();
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_PRESSED);
  Release();
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_HOVER);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{kId, NOTIFY_PRESSED, 0, 0}, {kId, NOTIFY_CLICKED, 0, 0}}));

  // A press released outside is no click; the press is held while the pointer wanders.
  Headless::AdvanceClock(1000);  // past the double-click time
  Press();
  MoveTo(10, 10);
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_PRESSED);
  Release();
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_NORMAL);
  EXPECT_EQ(dialog_->notes.size(), 3U);

  // The second press of a double click, released outside, lets go of the button too.
  Headless::AdvanceClock(1000);
  MoveTo(inside_.x, inside_.y);
  Press();
  Release();
  Press();
  MoveTo(10, 10);
  Release();
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_NORMAL);
  EXPECT_EQ(dialog_->notes.size(), 6U);  // pressed, clicked, pressed: no click outside
  Headless::AdvanceClock(1000);

  button_->SetEnabled(false);
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_DISABLED);
  MoveTo(inside_.x, inside_.y);
  Press();
  Release();
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_DISABLED);
  EXPECT_EQ(dialog_->notes.size(), 6U);
  button_->SetEnabled(true);
  EXPECT_EQ(button_->GetState(), BUTTON_STATE_NORMAL);
}

TEST_F(MButtonTest, StateChangesKeepTheCacheAndTitleChangesDropIt) {
  ASSERT_TRUE(button_->GetUpdate());
  const Image* cache = button_->GetMemImage();
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(cache->Width(), 4 * kRect.Width());
  MoveTo(inside_.x, inside_.y);
  Press();
  EXPECT_TRUE(button_->GetUpdate());
  EXPECT_EQ(button_->GetMemImage(), cache);
  button_->SetTitle(u"Other");
  EXPECT_FALSE(button_->GetUpdate());
}

TEST_F(MButtonTest, SkinFramesAreNineSlicedWithUnscaledCorners) {
  ASSERT_EQ(button_->SetImage(u"btn_test.png", 4), 1);
  Settle();
  const int w = kRect.Width();
  const int h = kRect.Height();
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_EQ(SlotPixel(*button_, slot, 3, 1), kCorner) << slot;
    EXPECT_EQ(SlotPixel(*button_, slot, w - 4, h - 2), kCorner) << slot;
    EXPECT_TRUE(Near(SlotPixel(*button_, slot, 6, 1), kEdge, 8)) << slot;
    EXPECT_TRUE(Near(SlotPixel(*button_, slot, w - 7, h - 2), kEdge, 8)) << slot;
    EXPECT_TRUE(Near(SlotPixel(*button_, slot, 8, h / 2), Centre(slot), 8)) << slot;
  }
  // The window shows the slot of the current state.
  MoveTo(inside_.x, inside_.y);
  Settle();
  EXPECT_TRUE(Near(Headless::PresentedPixel(hwnd_, kRect.left + 8, kRect.top + h / 2), Centre(1), 8));
}

TEST_F(MButtonTest, PressedTitleMovesOnePixelDownRight) {
  PlainTitle();
  const auto ink = [](ArgbColor p) { return p.Red() > 0x80; };
  const Rect hover = SlotBox(*button_, BUTTON_STATE_HOVER, ink);
  const Rect pressed = SlotBox(*button_, BUTTON_STATE_PRESSED, ink);
  ASSERT_GT(hover.Width(), 0);
  EXPECT_EQ(pressed, (Rect{hover.left + 1, hover.top + 1, hover.right + 1, hover.bottom + 1}));
  for (int y = hover.top; y < hover.bottom; ++y) {
    for (int x = hover.left; x < hover.right; ++x) {
      ASSERT_EQ(SlotPixel(*button_, 2, x + 1, y + 1), SlotPixel(*button_, 1, x, y)) << x << "," << y;
    }
  }
}

TEST_F(MButtonTest, DisabledTitleIsOpaqueGrey) {
  PlainTitle();
  const auto bright = [](ArgbColor p) { return p.Red() > 0x80; };
  EXPECT_GT(SlotBox(*button_, BUTTON_STATE_DISABLED, Is(ArgbColor(0xFF808080))).Width(), 0);
  EXPECT_EQ(SlotBox(*button_, BUTTON_STATE_DISABLED, bright), Rect{});
  EXPECT_EQ(SlotBox(*button_, BUTTON_STATE_NORMAL, Is(ArgbColor(0xFF808080))), Rect{});
  EXPECT_GT(SlotBox(*button_, BUTTON_STATE_NORMAL, Is(ArgbColor(0xFFFFFFFF))).Width(), 0);
}

}  // namespace
}  // namespace cataloguetest
