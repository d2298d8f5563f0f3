#include "mainwindow/CThreadBasic.h"

#include <gtest/gtest.h>

#include <atomic>

#include "tests/mainwindow/FakeClock.h"

namespace {

// Counts its steps and asks the loop to end after the given number (0: never).
class CountingThread : public CThreadBasic {
 public:
  CountingThread(Clock& clock, int stopAfter) : CThreadBasic(clock), stopAfter_(stopAfter) {}
  ~CountingThread() override { Stop(); }

  std::atomic<int> steps{0};

 protected:
  void Step() override {
    if (++steps == stopAfter_) RequestStop();
  }

 private:
  const int stopAfter_;
};

TEST(CThreadBasicTest, SecondStartIsRefusedUntilStopped) {
  FakeClock clock(1234);
  CountingThread thread(clock, 0);
  EXPECT_EQ(thread.Start(), 1);
  EXPECT_EQ(thread.Start(), 0);
  EXPECT_TRUE(thread.IsRunning());
  EXPECT_EQ(thread.StartTickMs(), 1234u);

  thread.Stop();
  EXPECT_FALSE(thread.IsRunning());
  thread.WaitFinished();  // already finished: must not block
  EXPECT_EQ(thread.Start(), 1);
}

TEST(CThreadBasicTest, RepeatModeSleepsThePeriodAfterEveryStep) {
  FakeClock clock;
  std::atomic<int> periodSleeps{0};
  clock.OnSleep([&periodSleeps](std::uint32_t ms) { periodSleeps += ms == 16 ? 1 : 0; });
  CountingThread thread(clock, 5);
  ASSERT_EQ(thread.Start(), 1);
  thread.WaitFinished();
  EXPECT_EQ(thread.steps.load(), 5);
  EXPECT_EQ(periodSleeps.load(), 5);
  EXPECT_FALSE(thread.IsRunning());
}

TEST(CThreadBasicTest, OnceModeStepsOnceAndCanBeStartedAgain) {
  FakeClock clock;
  clock.OnSleep([](std::uint32_t) { ADD_FAILURE() << "a single step needs no pause"; });
  CountingThread thread(clock, 0);
  ASSERT_EQ(thread.Start(CThreadBasic::LoopMode::Once), 1);
  thread.WaitFinished();
  EXPECT_EQ(thread.steps.load(), 1);
  EXPECT_FALSE(thread.IsRunning());

  ASSERT_EQ(thread.Start(CThreadBasic::LoopMode::Once), 1);
  thread.WaitFinished();
  EXPECT_EQ(thread.steps.load(), 2);
}

}  // namespace
