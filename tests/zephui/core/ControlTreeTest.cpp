// The control tree: search order, the factory, repaints on state changes,
// panel scroll bars, layout positions and animation timer bookkeeping.
#include <atomic>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/ControlFactory.h"
#include "zephui/Headless.h"
#include "zephui/MScroll.h"
#include "zephui/ZTimer.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ControlTree : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    MakeHost(300, 200);
    Settle();
  }
  PaintManager& Manager() { return *host_->manager; }
  Rect UpdateRect() const {
    Rect rect;
    GetUpdateRect(host_->hwnd, rect);
    return rect;
  }
};

TEST_F(ControlTree, SearchByIdGoesDepthFirstThroughControlsBeforeAreas) {
  ColourControl* area = host_->AddColour(5, Rect{}, 0);
  ColourPanel* panel = host_->AddPanel(1, Rect{0, 0, 100, 100});
  ColourControl* later = host_->AddColour(5, Rect{});
  MControl* nested = panel->AddChild(std::make_unique<ColourControl>(panel, 5, Rect{}), 1);
  EXPECT_EQ(Manager().GetControl(5), nested);
  panel->RemoveControl(nested);
  EXPECT_EQ(Manager().GetControl(5), later);
  Manager().RemoveControl(later);
  EXPECT_EQ(Manager().GetControl(5), area);
  EXPECT_EQ(panel->GetControl(SCROLLBAR_VERTICAL_ID), panel->GetScrollVertical());
  EXPECT_EQ(Manager().GetControl(99), nullptr);
}

TEST_F(ControlTree, TheFactoriesBuildOnlyTheClassesOfTheirScopeIntoTheAskedList) {
  ColourPanel* panel = host_->AddPanel(1, Rect{0, 0, 100, 100});
  EXPECT_EQ(Manager().CreateControl(host_->face.get(), u"TestPanelOnly", 2, Rect{}, u"", true, true), nullptr);
  EXPECT_EQ(panel->CreateControl(u"TestDialogOnly", 2, Rect{}, u"", true, true), nullptr);
  EXPECT_EQ(Manager().CreateControl(host_->face.get(), u"", 2, Rect{}, u"", true, true), nullptr);
  EXPECT_EQ(Manager().CreateControl(host_->face.get(), u"testcolour", 2, Rect{}, u"", true, true), nullptr);

  MControl* area = Manager().CreateArea(host_->face.get(), u"TestColour", 3, Rect{}, u"", true, true);
  MControl* control = Manager().CreateControl(host_->face.get(), u"TestColour", 4, Rect{}, u"", true, false);
  MControl* unlisted = Manager().CreateControl(7, host_->face.get(), u"TestColour", 5, Rect{}, u"", true, true);
  ASSERT_NE(unlisted, nullptr);
  EXPECT_EQ(Manager().GetAreas(), std::vector<MControl*>{area});
  EXPECT_EQ(Manager().GetControls(), (std::vector<MControl*>{panel, control}));
  EXPECT_FALSE(control->IsEnabled());
  EXPECT_EQ(control->GetManager(), &Manager());
  EXPECT_EQ(control->GetParantObject(), host_->face.get());

  MControl* child = panel->CreateControl(u"TestPanelOnly", 6, Rect{}, u"", true, true);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetManager(), &Manager());
  EXPECT_EQ(child->GetParantObject(), panel);
  EXPECT_EQ(panel->GetControls().back(), child);
}

TEST_F(ControlTree, StateChangesRepaintOnlyWhenSomethingChanged) {
  auto* control = static_cast<ColourControl*>(host_->AddColour(1, Rect{10, 10, 50, 30}));
  control->SetVisible(true);
  control->SetEnabled(true);
  control->SetAlignment(0);
  EXPECT_EQ(UpdateRect(), Rect{});
  control->SetTitle(control->GetTitle());  // a title always repaints
  EXPECT_EQ(UpdateRect(), (Rect{10, 10, 50, 30}));
  Settle();
  control->SetVisible(false);
  EXPECT_EQ(UpdateRect(), (Rect{10, 10, 50, 30}));
  Settle();
  control->SetTitle(u"hidden");
  control->SetRect(Rect{60, 10, 90, 30});
  EXPECT_EQ(UpdateRect(), Rect{});
  control->SetVisible(true);
  control->SetRect(Rect{100, 10, 140, 30});
  EXPECT_EQ(UpdateRect(), (Rect{60, 10, 140, 30}));
}

TEST_F(ControlTree, PanelScrollBarsLieAlongTheEdgesAndShowOnlyForLargerContent) {
  ColourPanel* panel = host_->AddPanel(1, Rect{10, 10, 110, 60});
  const std::vector<MControl*> children = panel->GetControls();
  ASSERT_EQ(children.size(), 2U);
  EXPECT_EQ(children[0], panel->GetScrollVertical());
  EXPECT_EQ(children[1], panel->GetScrollHorizontal());
  EXPECT_EQ(panel->GetScrollVertical()->GetRect(), (Rect{103, 10, 110, 60}));
  EXPECT_EQ(panel->GetScrollHorizontal()->GetRect(), (Rect{10, 53, 110, 60}));
  EXPECT_FALSE(panel->GetScrollVertical()->IsVisible());
  panel->SetVirtualSize(100, 200);
  EXPECT_TRUE(panel->GetScrollVertical()->IsVisible());
  EXPECT_FALSE(panel->GetScrollHorizontal()->IsVisible());
  EXPECT_EQ(panel->GetScrollVertical()->GetScrollRange(), 200);
  panel->SetRect(Rect{0, 0, 150, 100});  // a new size forgets the content size
  EXPECT_FALSE(panel->GetScrollVertical()->IsVisible());
  EXPECT_EQ(panel->GetScrollVertical()->GetRect(), (Rect{143, 0, 150, 100}));
}

TEST_F(ControlTree, DraggingAScrollBarThumbScrollsThePanelAndNotifies) {
  ColourPanel* panel = host_->AddPanel(1, Rect{10, 10, 110, 110});
  panel->SetVirtualSize(0, 400);
  MScroll* bar = panel->GetScrollVertical();
  const Rect thumb = bar->ThumbRect();
  ASSERT_EQ(thumb.top, 10);
  Headless::MoveMouseToClient(host_->hwnd, 105, thumb.top + 2);
  Headless::ButtonDown(Headless::Button::Left);
  Headless::MoveMouseToClient(host_->hwnd, 105, thumb.top + 2 + 30);
  Headless::ButtonUp(Headless::Button::Left);
  Headless::Pump();
  EXPECT_GT(bar->GetScrollPos(), 0);
  EXPECT_EQ(panel->GetVerticalOffset(), 300 * bar->GetScrollPos() / 400);
  ASSERT_FALSE(host_->face->notes.empty());
  EXPECT_EQ(host_->face->notes.back().id, SCROLLBAR_VERTICAL_ID);
  EXPECT_EQ(host_->face->notes.back().code, NOTIFY_SCROLL);
  EXPECT_EQ(host_->face->notes.back().wParam, static_cast<WPARAM>(bar->GetScrollPos()));
}

TEST_F(ControlTree, LayoutPositionsResolveFromEitherEndTheMiddleOrAPercentage) {
  const auto at = [](int mode, bool far, float amount) {
    return MControl::PositionItem2Value(PositionItem{mode, far, amount}, 100, 300);
  };
  EXPECT_EQ(at(0, false, 10.9F), 110);
  EXPECT_EQ(at(0, true, 10.0F), 290);
  EXPECT_EQ(at(1, false, 5.0F), 205);
  EXPECT_EQ(at(1, true, 5.0F), 195);
  EXPECT_EQ(at(2, false, 25.0F), 150);
  EXPECT_EQ(at(2, false, 150.0F), 300);  // capped at the high end
  EXPECT_EQ(at(3, false, 25.0F), 0);
}

class CountingTimer : public ZTimer {
 public:
  ~CountingTimer() override { KillMTimer(); }
  std::atomic<int> ticks{0};
  std::atomic<int> named{0};

 protected:
  void OnMTimer(std::uint32_t) override { ++ticks; }
  void OnMTimer(std::uint32_t, std::u16string_view name) override {
    if (name == u"blink") ++named;
  }
};

TEST_F(ControlTree, AnimationTimersAreFoundByIdAndNameAndStop) {
  CountingTimer timer;
  const std::uint32_t plain = timer.SetMTimer(10);
  const std::uint32_t app = timer.SetAppTimer(20, u"blink");
  EXPECT_EQ(ZTimer::GetFSTimer(plain), &timer);
  EXPECT_TRUE(timer.IsAppTimer(app));
  EXPECT_FALSE(timer.IsAppTimer(plain));
  EXPECT_TRUE(timer.GetTimerIsRun(u"blink"));
  EXPECT_EQ(timer.GetTimerName(app), u"blink");
  Headless::AdvanceClock(40);
  EXPECT_EQ(timer.ticks, 6);
  EXPECT_EQ(timer.named, 2);
  EXPECT_EQ(timer.KillMTimer(plain), 1);
  EXPECT_EQ(ZTimer::GetFSTimer(plain), nullptr);
  Headless::AdvanceClock(40);
  EXPECT_EQ(timer.ticks, 8);
  EXPECT_EQ(timer.KillMTimer(app), 0);
  EXPECT_FALSE(timer.GetTimerIsRun(app));
}

}  // namespace
}  // namespace controltest
