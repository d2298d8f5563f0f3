// Window timers of the paint manager: control timers with their id rules,
// and the status message hold, fade and progress run.
#include "tests/zephui/core/ControlHost.h"
#include "zephui/Headless.h"

using namespace ZephUI;

namespace controltest {
namespace {

class ManagerTimers : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    MakeHost(700, 500);
    control_ = host_->AddColour(3, Rect{20, 20, 120, 80});
  }
  PaintManager& Manager() { return *host_->manager; }

  ColourControl* control_ = nullptr;
};

TEST_F(ManagerTimers, AControlTimerRunsOnceAndRestartsOnItsOldWindowTimerAfterAKill) {
  ASSERT_EQ(Manager().SetTimer(control_, 7, 100), 1);
  const std::uintptr_t id = Manager().GetTimerWindowId(control_, 7);
  EXPECT_EQ(id, (4096U + 1U) % 240U);  // the first id after the starting one
  EXPECT_EQ(Manager().SetTimer(control_, 7, 50), 0);  // already running
  Headless::RunFor(350);
  EXPECT_EQ(control_->log.timers, 3);

  EXPECT_EQ(Manager().KillTimer(control_, 7), 1);
  EXPECT_EQ(Manager().KillTimer(control_, 7), 0);
  Headless::RunFor(300);
  EXPECT_EQ(control_->log.timers, 3);

  EXPECT_EQ(Manager().SetTimer(control_, 7, 20), 1);
  EXPECT_EQ(Manager().GetTimerWindowId(control_, 7), id);
  Headless::RunFor(100);
  EXPECT_EQ(control_->log.timers, 8);  // the new period counts
}

TEST_F(ManagerTimers, DifferentKeysAndControlsGetTheirOwnWindowTimers) {
  ColourControl* other = host_->AddColour(4, Rect{130, 20, 230, 80});
  ASSERT_EQ(Manager().SetTimer(control_, 1, 100), 1);
  ASSERT_EQ(Manager().SetTimer(control_, 2, 100), 1);
  ASSERT_EQ(Manager().SetTimer(other, 1, 100), 1);
  const std::uintptr_t a = Manager().GetTimerWindowId(control_, 1);
  const std::uintptr_t b = Manager().GetTimerWindowId(control_, 2);
  const std::uintptr_t c = Manager().GetTimerWindowId(other, 1);
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(c, a + 2);
  Headless::RunFor(100);
  EXPECT_EQ(control_->log.timers, 2);
  EXPECT_EQ(other->log.timers, 1);
  EXPECT_EQ(Manager().KillTimer(control_), 1);  // forgets both records
  EXPECT_EQ(Manager().GetTimerWindowId(control_, 1), 0U);
  EXPECT_EQ(Manager().SetTimer(control_, 1, 100), 1);
  EXPECT_NE(Manager().GetTimerWindowId(control_, 1), a);  // a fresh id, not the old record's
}

TEST_F(ManagerTimers, ControlTimerIdsWrapAndSkipTheOverlayTimers) {
  std::vector<std::uintptr_t> ids;
  for (std::uint32_t key = 0; key < 237; ++key) {  // every id but the three reserved ones
    ASSERT_EQ(Manager().SetTimer(control_, key, 1000), 1);
    ids.push_back(Manager().GetTimerWindowId(control_, key));
  }
  for (std::uintptr_t reserved : {TIMER_MESSAGE_HOLD, TIMER_MESSAGE_FADE, TIMER_PROGRESS}) {
    EXPECT_EQ(std::count(ids.begin(), ids.end(), reserved), 0) << reserved;
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());  // no two records share a timer
  EXPECT_LT(ids.back(), 240U);
}

TEST_F(ManagerTimers, TheAnimationTimerParksWhileNothingMovesAndAChangeOrARunningControlWakesIt) {
  control_->timerAnswer = 0;  // registered and running, but nothing to move
  control_->SetRunTimer(true);
  control_->AddMTimer();
  Manager().SetMTimer(10);
  Headless::AdvanceClock(5000);
  const int parkedAt = control_->log.timers;
  EXPECT_GT(parkedAt, 0);
  EXPECT_LT(parkedAt, 500);
  Headless::AdvanceClock(5000);
  EXPECT_EQ(control_->log.timers, parkedAt);

  control_->UpdateControl(CacheReset::Reset);  // a change may start an animation
  Headless::AdvanceClock(30);
  EXPECT_EQ(control_->log.timers, parkedAt + 3);
  control_->timerAnswer = 1;  // a moving control keeps every tick
  Headless::AdvanceClock(5000);
  EXPECT_EQ(control_->log.timers, parkedAt + 503);

  control_->timerAnswer = 0;
  control_->SetRunTimer(false);
  Headless::AdvanceClock(5000);
  const int parkedAgain = control_->log.timers;
  control_->SetRunTimer(true);  // told to run again without a repaint
  Headless::AdvanceClock(10);
  EXPECT_EQ(control_->log.timers, parkedAgain + 1);
}

TEST_F(ManagerTimers, AStatusMessageHoldsThreeSecondsThenFadesOut) {
  Manager().SetMessage(u"Saved", Rect{250, 440, 450, 498}, MsgLevel::Info);
  EXPECT_EQ(Manager().GetMessageAlpha(), 255);
  Headless::RunFor(3000);
  EXPECT_EQ(Manager().GetMessageAlpha(), 255);  // the hold ends, the fade begins
  Headless::RunFor(50);
  EXPECT_EQ(Manager().GetMessageAlpha(), 245);
  Headless::RunFor(50 * 22);
  EXPECT_EQ(Manager().GetMessageAlpha(), 25);
  Headless::RunFor(50);
  EXPECT_EQ(Manager().GetMessageAlpha(), 0);  // 15 would be below 20
  Headless::RunFor(1000);
  EXPECT_EQ(Manager().GetMessageAlpha(), 0);
}

TEST_F(ManagerTimers, AMessageSetWhileAnotherFadesRestartsAtFullAlphaWithAFreshHold) {
  Manager().SetMessage(u"First", Rect{250, 440, 450, 498}, MsgLevel::Info);
  Headless::RunFor(3000 + 50 * 5);
  ASSERT_EQ(Manager().GetMessageAlpha(), 205);
  Manager().SetMessage(u"Second", Rect{10, 10, 210, 68}, MsgLevel::Warning);
  EXPECT_EQ(Manager().GetMessageAlpha(), 255);
  EXPECT_EQ(Manager().GetMessageText(), u"Second");
  EXPECT_EQ(Manager().GetMessageRect(), (Rect{10, 10, 210, 68}));
  Headless::RunFor(2990);
  EXPECT_EQ(Manager().GetMessageAlpha(), 255);
  Headless::RunFor(60);
  EXPECT_EQ(Manager().GetMessageAlpha(), 245);
}

TEST_F(ManagerTimers, ProgressRunsTwoPerTickToItsTargetAndFadesAfterAHundred) {
  Manager().SetProgress(50, u"Loading", Rect{});
  EXPECT_EQ(Manager().GetMessageRect(), (Rect{0, 440, 700, 498}));  // the bottom band
  EXPECT_EQ(Manager().GetShownProgress(), 0);
  Headless::RunFor(100);
  EXPECT_EQ(Manager().GetShownProgress(), 20);
  Headless::RunFor(200);
  EXPECT_EQ(Manager().GetShownProgress(), 50);  // stops at the target
  Manager().SetProgress(53, u"Loading", Rect{});
  EXPECT_EQ(Manager().GetShownProgress(), 53);  // close targets are jumped to
  Manager().SetProgress(100, u"Done", Rect{});
  Headless::RunFor(240);
  EXPECT_EQ(Manager().GetShownProgress(), 100);
  EXPECT_EQ(Manager().GetMessageAlpha(), 255);
  Headless::RunFor(50 * 24);
  EXPECT_EQ(Manager().GetMessageAlpha(), 0);
  EXPECT_EQ(Manager().GetShownProgress(), 0);
}

}  // namespace
}  // namespace controltest
