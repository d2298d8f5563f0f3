// Controls removed while something may still use them: inside their own
// handler, inside a nested modal loop, from an animation tick, while they are
// the hover, focus, tooltip or caret control, and a window destroyed while a
// tick runs. Run under AddressSanitizer: any use after destruction fails.
#include <future>
#include <thread>

#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/ModalLoop.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ControlLifetime : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    MakeHost();
    control_ = host_->AddColour(3, Rect{20, 20, 120, 80});
    control_->destroyed = &destroyed_;
  }

  // Input of every kind over the place where the control was.
  void PokeEverywhere() {
    Headless::MoveMouseToClient(host_->hwnd, 60, 50);
    Headless::ClickClient(host_->hwnd, 60, 50);
    Headless::Wheel(120);
    Headless::PressKey('A');
    Headless::RunFor(600);
  }

  ColourControl* control_ = nullptr;
  std::atomic<bool> destroyed_{false};
};

TEST_F(ControlLifetime, AControlRemovedInItsOwnClickHandlerLivesUntilTheMessageIsDone) {
  bool destroyedInside = true;
  control_->onUp = [&] {
    host_->manager->RemoveControl(control_);
    destroyedInside = destroyed_;
  };
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_FALSE(destroyedInside);
  EXPECT_TRUE(destroyed_);
  EXPECT_EQ(host_->manager->GetControl(3), nullptr);
  EXPECT_EQ(host_->manager->GetHoverControl(), nullptr);
  EXPECT_EQ(host_->manager->GetFocusControl(), nullptr);
  EXPECT_FALSE(host_->manager->IsCaptured());
  PokeEverywhere();
}

TEST_F(ControlLifetime, AChildRemovedByItsPanelInsideItsHandlerIsForgottenByThePanel) {
  ColourPanel* panel = host_->AddPanel(4, Rect{150, 20, 290, 180});
  auto* child = static_cast<ColourControl*>(
      panel->AddChild(std::make_unique<ColourControl>(panel, 5, Rect{160, 30, 260, 90}), 1));
  std::atomic<bool> childDestroyed{false};
  child->destroyed = &childDestroyed;
  child->onDown = [&] { panel->RemoveControl(child); };
  Headless::ClickClient(host_->hwnd, 200, 50);
  Headless::Pump();
  EXPECT_TRUE(childDestroyed);
  EXPECT_EQ(panel->GetHoverChild(), nullptr);
  EXPECT_EQ(panel->GetControl(5), nullptr);
  Headless::MoveMouseToClient(host_->hwnd, 210, 60);
  Headless::ClickClient(host_->hwnd, 210, 60);
  Headless::Pump();
}

TEST_F(ControlLifetime, AControlRemovedInsideANestedModalLoopStaysAliveForTheHandlerThatStartedIt) {
  constexpr UINT kRemove = WM_USER + 1;
  ModalLoop inner;
  bool destroyedAfterLoop = true;
  host_->handlers[kRemove] = [&]() -> LRESULT {
    host_->manager->RemoveControl(control_);
    // Input handled by the inner loop after the removal must not reach the control.
    PostMessage(host_->hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    PostMessage(host_->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    PostMessage(host_->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    PostMessage(host_->hwnd, WM_USER + 2, 0, 0);
    return 0;
  };
  host_->handlers[WM_USER + 2] = [&]() -> LRESULT {
    inner.End(0);
    return 0;
  };
  control_->onDown = [&] {
    PostMessage(host_->hwnd, kRemove, 0, 0);
    inner.Run();
    destroyedAfterLoop = destroyed_;
  };
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_FALSE(destroyedAfterLoop);
  EXPECT_TRUE(destroyed_);
  EXPECT_EQ(host_->manager->GetHoverControl(), nullptr);
  EXPECT_EQ(host_->manager->GetFocusControl(), nullptr);
}

TEST_F(ControlLifetime, AControlRemovedFromAnAnimationTickIsDestroyedOnTheWindowsThread) {
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  ASSERT_EQ(host_->manager->GetFocusControl(), control_);
  std::thread::id removedOn;
  control_->onTimer = [&] {
    removedOn = std::this_thread::get_id();
    host_->manager->RemoveControl(control_);
  };
  control_->SetRunTimer(true);
  control_->AddMTimer();
  host_->manager->SetMTimer(10);
  Headless::AdvanceClock(10);  // the tick has run when this returns
  EXPECT_NE(removedOn, std::this_thread::get_id());
  EXPECT_FALSE(destroyed_);  // waits for the window's thread
  EXPECT_EQ(host_->manager->GetControls().size(), 0U);
  EXPECT_EQ(host_->manager->GetFocusControl(), nullptr);
  EXPECT_EQ(host_->manager->GetHoverControl(), nullptr);
  Headless::Pump();
  EXPECT_TRUE(destroyed_);
  Headless::AdvanceClock(50);  // later ticks find nothing to call
  PokeEverywhere();
}

TEST_F(ControlLifetime, RemovingTheHoverFocusTooltipAndCaretControlClearsEveryReference) {
  control_->SetTooltip(u"tip");
  control_->SetTabStop(true);
  Headless::MoveMouseToClient(host_->hwnd, 50, 50);
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  PaintManager& manager = *host_->manager;
  ASSERT_EQ(manager.GetHoverControl(), control_);
  ASSERT_EQ(manager.GetFocusControl(), control_);
  ASSERT_EQ(manager.GetTooltipCtrlID(), 3U);
  ASSERT_TRUE(IsWindowVisible(manager.GetTooltipWindow()));
  manager.CreateCaret(nullptr, 2, 12);
  manager.SetCaretPos(control_, 30, 30);
  manager.ShowCaret(true);
  ASSERT_EQ(manager.SetTimer(control_, 1, 100), 1);
  manager.AddMTimer(control_);
  manager.SetMTimer(10);

  manager.RemoveControl(control_);
  EXPECT_TRUE(destroyed_);  // nothing in progress: destroyed at once
  EXPECT_EQ(manager.GetHoverControl(), nullptr);
  EXPECT_EQ(manager.GetFocusControl(), nullptr);
  EXPECT_EQ(manager.GetTooltipCtrlID(), 0U);
  EXPECT_FALSE(IsWindowVisible(manager.GetTooltipWindow()));
  EXPECT_EQ(manager.GetCurrentCaretObject(), nullptr);
  EXPECT_EQ(manager.GetTimerWindowId(control_, 1), 0U);
  EXPECT_EQ(manager.DeleteFSTimer(control_), 0);
  PokeEverywhere();  // timers, ticks and input find nothing of it
}

TEST_F(ControlLifetime, TheWindowDestroyedWhileATickRunsWaitsForTheTick) {
  std::promise<void> entered;
  std::atomic<bool> tickDone{false};
  control_->onTimer = [&] {
    if (tickDone) return;
    entered.set_value();
    // Keeps the tick busy while the window's thread tears down.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    tickDone = true;
  };
  control_->SetRunTimer(true);
  control_->AddMTimer();
  host_->manager->SetMTimer(10);
  std::thread clock([] { Headless::AdvanceClock(10); });
  entered.get_future().wait();
  host_->Destroy();
  clock.join();
  EXPECT_TRUE(tickDone);
  EXPECT_TRUE(destroyed_);
  EXPECT_FALSE(host_->manager->IsInitialised());
}

TEST_F(ControlLifetime, ClearingAllControlsFromAHandlerKeepsTheRunningOneAlive) {
  ColourControl* second = host_->AddColour(9, Rect{150, 20, 250, 80});
  std::atomic<bool> secondDestroyed{false};
  second->destroyed = &secondDestroyed;
  bool aliveInside = false;
  control_->onUp = [&] {
    host_->manager->ClearAllControls();
    aliveInside = !destroyed_ && !secondDestroyed;
  };
  Headless::ClickClient(host_->hwnd, 50, 50);
  Headless::Pump();
  EXPECT_TRUE(aliveInside);
  EXPECT_TRUE(destroyed_);
  EXPECT_TRUE(secondDestroyed);
  PokeEverywhere();
}

// A control built into the manager's unlisted list may name a panel as its
// parent; neither removing that panel nor destroying the window may leave it
// walking through the destroyed panel (AddressSanitizer catches the walk).
TEST_F(ControlLifetime, AnUnlistedControlNamingAPanelGoesWithThePanelAndTheWindow) {
  ColourPanel* removed = host_->AddPanel(4, Rect{150, 20, 290, 180});
  ColourPanel* kept = host_->AddPanel(6, Rect{150, 20, 290, 180});
  auto* nested = static_cast<ColourControl*>(
      kept->AddChild(std::make_unique<ColourControl>(kept, 8, Rect{160, 30, 260, 90}), 1));
  MControl* first = host_->manager->CreateControl(2, removed, u"TestColour", 5, Rect{160, 30, 200, 60}, u"", true, true);
  MControl* second = host_->manager->CreateControl(7, nested, u"TestColour", 7, Rect{160, 30, 200, 60}, u"", true, true);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  host_->manager->RemoveControl(removed);
  Headless::Pump();
  PokeEverywhere();
  host_->Destroy();
  Headless::Pump();
  EXPECT_TRUE(destroyed_);
}

}  // namespace
}  // namespace controltest
