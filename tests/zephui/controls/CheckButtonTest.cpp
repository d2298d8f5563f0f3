// Check boxes and radio buttons: the eight states from mouse, keys and the
// enabled flag, the notifications, groups per container, and the slots.
#include <gtest/gtest.h>

#include <memory>

#include "tests/zephui/controls/CatalogueFixture.h"
#include "tests/zephui/render/RenderProbe.h"
#include "zephui/CCheckButton.h"
#include "zephui/CRadioButton.h"
#include "zephui/Headless.h"
#include "zephui/MPanel.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;

namespace cataloguetest {
namespace {

using Note = NoteDialog::Note;
constexpr int kBox = 16;
constexpr Rect kRect{40, 60, 200, 90};

ArgbColor BoxColour(int frame) { return ArgbColor(0xFF000000u | (0x20u * (frame + 1))); }

class CheckButtonTest : public CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    // Eight frames of one colour each, so a slot tells which frame it shows.
    const auto strip = renderprobe::Painted(8 * kBox, kBox, [](int x, int) { return BoxColour(x / kBox); });
    ASSERT_TRUE(strip->SavePng(SkinLocator::SkinPath(u"box_test.png")));
  }
  void ClickAt(int x, int y) {
    Headless::ClickClient(hwnd_, x, y);
    Headless::Pump();
    Headless::AdvanceClock(1000);  // no double click with the next one
  }
  MPanel* AddPanel(std::uint32_t id, const Rect& rect) {
    return static_cast<MPanel*>(
        dialog_->GetPaintManager().AddControl(std::make_unique<MPanel>(dialog_.get(), id, rect, true), 1));
  }
};

TEST_F(CheckButtonTest, ClickTogglesAndReleaseOutsideDoesNothing) {
  auto* box = Add<CCheckButton>(u"CCheckButton", 7, kRect, u"Loop");
  ASSERT_NE(box, nullptr);
  ClickAt(60, 70);
  EXPECT_EQ(box->GetCheck(), 1);
  EXPECT_EQ(box->GetState(), 5);  // hover, checked
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{7, NOTIFY_CLICKED, 0, 0}}));

  Headless::ButtonDown(Headless::Button::Left);
  Headless::Pump();
  EXPECT_EQ(box->GetState(), 6);
  Headless::MoveMouseToClient(hwnd_, 10, 10);
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  EXPECT_EQ(box->GetCheck(), 1);
  EXPECT_EQ(box->GetState(), 4);
  EXPECT_EQ(dialog_->notes.size(), 1U);
}

TEST_F(CheckButtonTest, SpaceTogglesOnlyTheFocusedBox) {
  auto* first = Add<CCheckButton>(u"CCheckButton", 7, kRect, u"One");
  auto* second = Add<CCheckButton>(u"CCheckButton", 8, Rect{40, 100, 200, 130}, u"Two");
  ASSERT_NE(second, nullptr);
  Headless::PressKey(VK_SPACE);
  Headless::Pump();
  EXPECT_EQ(first->GetCheck() + second->GetCheck(), 0);  // nothing has focus yet

  PaintManager& manager = dialog_->GetPaintManager();
  EXPECT_EQ(manager.GetNextFocusableControl(), first);  // the boxes are tab stops
  manager.SetFocusControl(second);
  Headless::PressKey(VK_SPACE);
  Headless::Pump();
  EXPECT_EQ(first->GetCheck(), 0);
  EXPECT_EQ(second->GetCheck(), 1);
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{8, NOTIFY_CHECK, 0, 1}}));
}

TEST_F(CheckButtonTest, DisabledBoxKeepsItsCheck) {
  auto* box = Add<CCheckButton>(u"CCheckButton", 7, kRect, u"Off");
  box->SetEnabled(false);
  EXPECT_EQ(box->SetCheck(1), 0);
  EXPECT_EQ(box->GetState(), 3);
  ClickAt(60, 70);
  EXPECT_EQ(box->GetCheck(), 0);
  EXPECT_TRUE(dialog_->notes.empty());
  box->SetEnabled(true);
  EXPECT_EQ(box->SetCheck(1), 1);
  box->SetEnabled(false);
  EXPECT_EQ(box->GetState(), 7);
  EXPECT_EQ(box->SetCheck(0), 1);
}

TEST_F(CheckButtonTest, RadioGroupsAreNamedAndPerContainer) {
  MPanel* left = AddPanel(20, Rect{0, 0, 200, 100});
  MPanel* right = AddPanel(21, Rect{200, 0, 400, 100});
  const auto radio = [](MPanel* panel, std::uint32_t id, int top, std::u16string group) {
    auto* r = dynamic_cast<CRadioButton*>(panel->CreateControl(u"CRadioButton", id, Rect{panel->GetRect().left, top,
                                                               panel->GetRect().right, top + 20}, u"", true, true));
    r->SetGroupName(std::move(group));
    return r;
  };
  CRadioButton* a1 = radio(left, 31, 0, u"speed");
  CRadioButton* a2 = radio(left, 32, 20, u"speed");
  CRadioButton* a3 = radio(left, 33, 40, u"side");
  CRadioButton* b1 = radio(right, 41, 0, u"speed");
  a1->SetCheck(1);
  a3->SetCheck(1);
  b1->SetCheck(1);
  ClickAt(50, 30);  // a2
  EXPECT_EQ(a2->GetCheck(), 1);
  EXPECT_EQ(a1->GetCheck(), 0);
  EXPECT_EQ(a3->GetCheck(), 1);  // another group name
  EXPECT_EQ(b1->GetCheck(), 1);  // another container
  EXPECT_EQ(std::u16string(a2->GetClassNameW()), u"RadioButton");
  EXPECT_EQ(dialog_->notes, (std::vector<Note>{{32, NOTIFY_CLICKED, 0, 0}}));

  a1->SetControlCheck(1);  // no group reset
  EXPECT_EQ(a2->GetCheck(), 1);
}

TEST_F(CheckButtonTest, SlotsShowTheBoxFrameThenTheTitle) {
  auto* box = Add<CCheckButton>(u"CCheckButton", 7, kRect, u"Label");
  ASSERT_EQ(box->SetImage(u"box_test.png", 8), 1);
  box->SetFont(box->GetTextFont(), 18, 1);
  box->SetTextColor(ArgbColor(0xFFFFFFFF));
  Settle();
  const int mid = kRect.Height() / 2;
  for (int slot = 0; slot < 8; ++slot) {
    EXPECT_EQ(SlotPixel(*box, slot, kBox / 2, mid), BoxColour(slot)) << slot;
    const Rect ink = SlotBox(*box, slot, [](ArgbColor p) { return p.Red() > 0x60; });
    ASSERT_GT(ink.Width(), 0) << slot;
    EXPECT_GE(ink.left, kBox + 8) << slot;
    EXPECT_LT(ink.left, kBox + 12) << slot;
  }
  const auto grey = [](ArgbColor p) { return p.Red() == p.Blue() && p.Red() >= 0x7E && p.Red() <= 0x80; };
  EXPECT_GT(SlotBox(*box, 3, grey).Width(), 0);
  EXPECT_EQ(SlotBox(*box, 7, Is(ArgbColor(0xFFFFFFFF))), Rect{});
}

}  // namespace
}  // namespace cataloguetest
