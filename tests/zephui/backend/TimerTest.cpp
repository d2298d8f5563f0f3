// Window timers and periodic timers on the controllable clock.
#include <atomic>
#include <thread>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/PeriodicTimer.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class Timers : public HeadlessFixture {};

TEST_F(Timers, FireInOrderOfExpiryWithTiesInCreationOrder) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  std::vector<std::pair<std::uintptr_t, std::uint64_t>> fired;
  const std::uint64_t start = Headless::Now();
  Procedure(w).On(WM_TIMER, [&](HWND, WPARAM id, LPARAM) -> LRESULT {
    fired.emplace_back(id, Headless::Now() - start);
    return 0;
  });
  SetTimer(w, 1, 300);
  SetTimer(w, 2, 100);
  SetTimer(w, 3, 200);
  Headless::RunFor(600);
  const std::vector<std::pair<std::uintptr_t, std::uint64_t>> expected{
      {2, 100}, {2, 200}, {3, 200}, {1, 300}, {2, 300}, {2, 400}, {3, 400}, {2, 500}, {1, 600}, {2, 600}, {3, 600}};
  EXPECT_EQ(fired, expected);
}

TEST_F(Timers, KillStopsATimerAndSetStartsItAgain) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  EXPECT_NE(SetTimer(w, 7, 50), 0u);
  Headless::RunFor(120);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 2);
  EXPECT_TRUE(KillTimer(w, 7));
  EXPECT_FALSE(KillTimer(w, 7));
  Headless::RunFor(500);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 2);
  SetTimer(w, 7, 50);
  Headless::RunFor(49);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 2);
  Headless::RunFor(1);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 3);
}

TEST_F(Timers, IdZeroIsAnOrdinaryTimer) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  EXPECT_NE(SetTimer(w, 0, 20), 0u);
  Headless::RunFor(20);
  ASSERT_EQ(Procedure(w).Count(WM_TIMER), 1);
  EXPECT_EQ(Procedure(w).Last(WM_TIMER)->wParam, 0u);
}

TEST_F(Timers, TicksMissedWhileNobodyPumpedComeAsOne) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  SetTimer(w, 1, 100);
  Headless::AdvanceClock(350);
  Headless::Pump();
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 1);
  Headless::RunFor(99);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 1);
  Headless::RunFor(1);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 2);
}

TEST_F(Timers, ATimerOfADestroyedWindowNeverFires) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  RecordingProcedure& procedure = Procedure(w);
  SetTimer(w, 1, 10);
  DestroyWindow(w);
  Headless::RunFor(100);
  EXPECT_EQ(procedure.Count(WM_TIMER), 0);
  EXPECT_EQ(SetTimer(w, 1, 10), 0u);
}

std::atomic<int> callbackTicks{0};
void CountTick(HWND, UINT message, std::uintptr_t id, std::uint32_t) {
  if (message == WM_TIMER && id == 4) ++callbackTicks;
}

TEST_F(Timers, ACallbackTimerCallsTheCallbackInsteadOfTheProcedure) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  callbackTicks = 0;
  SetTimer(w, 4, 30, CountTick);
  Headless::RunFor(90);
  EXPECT_EQ(callbackTicks.load(), 3);
  EXPECT_EQ(Procedure(w).Count(WM_TIMER), 0);
}

TEST_F(Timers, PeriodicTimersTickOnTheirThreadForEveryPeriodPassed) {
  std::atomic<int> ticks{0};
  std::thread::id tickedOn;
  const std::uint32_t id = StartPeriodicTimer(10, [&](std::uint32_t) {
    tickedOn = std::this_thread::get_id();
    ++ticks;
  });
  Headless::AdvanceClock(55);
  EXPECT_EQ(ticks.load(), 5);
  EXPECT_NE(tickedOn, std::this_thread::get_id());
  EXPECT_TRUE(StopPeriodicTimer(id));
  Headless::AdvanceClock(100);
  EXPECT_EQ(ticks.load(), 5);
  EXPECT_FALSE(StopPeriodicTimer(id));
}

TEST_F(Timers, AParkedPeriodicTimerIsSilentUntilResumedAndAResumeFirstCancelsThePark) {
  std::atomic<int> ticks{0};
  const std::uint32_t id = StartPeriodicTimer(10, [&](std::uint32_t) { ++ticks; });
  Headless::AdvanceClock(25);
  ASSERT_EQ(ticks.load(), 2);
  ResumePeriodicTimer(id);  // a wake-up while the timer runs...
  EXPECT_FALSE(PausePeriodicTimer(id));  // ...outranks the next park
  Headless::AdvanceClock(10);
  EXPECT_EQ(ticks.load(), 3);
  EXPECT_TRUE(PausePeriodicTimer(id));
  Headless::AdvanceClock(1000);
  EXPECT_EQ(ticks.load(), 3);
  ResumePeriodicTimer(id);  // counts a whole period from now, not from the last tick
  Headless::AdvanceClock(9);
  EXPECT_EQ(ticks.load(), 3);
  Headless::AdvanceClock(1);
  EXPECT_EQ(ticks.load(), 4);
  EXPECT_TRUE(StopPeriodicTimer(id));
  EXPECT_FALSE(PausePeriodicTimer(id));
}

TEST_F(Timers, RunForInterleavesPeriodicTicksWithWindowTimers) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  std::atomic<int> ticks{0};
  // The tick posts; the post must be handled at its own time, before the window timer at 25.
  const std::uint32_t id = StartPeriodicTimer(10, [&](std::uint32_t) {
    if (++ticks == 2) PostMessage(w, WM_USER, 0, 0);
  });
  SetTimer(w, 1, 25);
  Headless::RunFor(30);
  StopPeriodicTimer(id);
  EXPECT_EQ(Procedure(w).Sequence({WM_USER, WM_TIMER}), (std::vector<UINT>{WM_USER, WM_TIMER}));
}

}  // namespace
}  // namespace zephuitest
