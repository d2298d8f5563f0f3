// Macros played by the worker: passes, delays, the three loop types and what
// stops them. Key events during playback come from the clock's hook, on the
// playing thread.
#include "tests/macros/PlaybackFixture.h"

namespace {

using namespace playbacktest;
using Texts = std::vector<std::string>;
using Waits = std::vector<std::uint32_t>;

const std::vector<Step> kTapA{{kPress, kVkA, 20}, {kRelease, kVkA, 30}};
const Texts kTapPass{"kbd[4]", "wait 20", "kbd[]", "wait 30"};

class PlaybackMacroTest : public PlaybackTest {
 protected:
  // Runs the action on the nth pause (1-based), after recording the pause.
  void OnPause(int nth, std::function<void()> action) {
    clock_.onSleep = [this, nth, action, count = 0](std::uint32_t ms) mutable {
      RecordPause(ms);
      loopTypeSeen_ = player_.playingLoopType();
      if (++count == nth) action();
    };
  }

  int loopTypeSeen_ = -1;
};

TEST_F(PlaybackMacroTest, CountedMacroPlaysEachPassThenResets) {
  player_.playMacro(AddMacro(MacroLoop::Count, 3, kTapA));
  EXPECT_EQ(Timeline(), Seq({kReset, kTapPass, kReset, kTapPass, kReset, kTapPass, kReset}));
}

TEST_F(PlaybackMacroTest, StepsWaitAtLeastFiveMillisecondsMediaKeysUseTheConsumerReport) {
  // Virtual key 0 converts to nothing and plays as bit 0, "no key".
  player_.playMacro(AddMacro(MacroLoop::Count, 1,
                             {{kPress, kVkVolumeUp, 0}, {kRelease, kVkVolumeUp, 3}, {kPress, 0, 7}, {kRelease, 0, 5}}));
  EXPECT_EQ(clock_.inner.Waits(), (Waits{5, 5, 7, 5}));
  EXPECT_EQ(Writes(), Seq({kReset, {"cons[233]", "cons[0]", "kbd[0]", "kbd[]"}, kReset}));
}

TEST_F(PlaybackMacroTest, ToggleMacroEndsAfterTheCurrentStepOnTheNextPressOfAnAssignedKey) {
  OnPause(3, [this] {  // in the second pass
    player_.onFilterKey(kKeyB, true);
    loopTypeSeen_ = player_.playingLoopType();
  });
  player_.playMacro(AddMacro(MacroLoop::UntilPressedAgain, 1, kTapA));
  EXPECT_EQ(Timeline(), Seq({kReset, kTapPass, kReset, {"kbd[4]", "wait 20", "kbd[4,5]"}, kReset}));
  EXPECT_EQ(loopTypeSeen_, 0);  // cleared by the press at once
  EXPECT_FALSE(player_.stopRequested());
}

TEST_F(PlaybackMacroTest, HoldMacroEndsAtOnceOnAMacroKeyReleaseOnly) {
  OnPause(2, [this] {
    player_.onFilterKey(kKeyB, true);  // presses and other keys' releases go on
    player_.onFilterKey(kKeyB, false);
  });
  clock_.onSleep = [this, first = clock_.onSleep, count = 0](std::uint32_t ms) mutable {
    first(ms);
    if (++count == 3) player_.onFilterKey(kMacroKey, false);
  };
  player_.playMacro(AddMacro(MacroLoop::WhileHeld, 1, kTapA));
  EXPECT_EQ(clock_.inner.Waits(), (Waits{20, 30, 20}));
  EXPECT_EQ(loopTypeSeen_, 16);
  EXPECT_EQ(player_.playingLoopType(), 0);
}

TEST_F(PlaybackMacroTest, CountedMacroIgnoresStopKeysAndASecondMacroKeyQueuesNothing) {
  queue_.Append(1);  // the worker keeps the playing macro queued
  OnPause(1, [this] {
    player_.onFilterKey(kMacroKey, true);
    player_.onFilterKey(kMacroKey, false);
  });
  player_.playMacro(AddMacro(MacroLoop::Count, 2, kTapA));
  EXPECT_EQ(clock_.inner.Waits().size(), 4u);
  EXPECT_EQ(queue_.ids, std::deque<std::uint32_t>{1});
}

TEST_F(PlaybackMacroTest, AStoppedMacroLeavesNoStopForTheNextOne) {
  OnPause(1, [this] { player_.onFilterKey(kMacroKey, true); });
  player_.playMacro(AddMacro(MacroLoop::UntilPressedAgain, 1, kTapA));
  clock_.inner.ClearWaits();
  clock_.onSleep = nullptr;
  player_.playMacro(AddMacro(MacroLoop::Count, 2, kTapA));
  EXPECT_EQ(clock_.inner.Waits(), (Waits{20, 30, 20, 30}));
}

TEST_F(PlaybackMacroTest, MissingAndEmptyMacrosEndAtOnce) {
  player_.playMacro(999);
  player_.playMacro(AddMacro(MacroLoop::UntilPressedAgain, 1, {}));  // would spin until stopped
  EXPECT_EQ(Writes(), Seq({kReset, kReset}));
}

TEST_F(PlaybackMacroTest, ShutDownEndsPlaybackReleasesEverythingAndIgnoresLaterKeys) {
  OnPause(3, [this] { player_.shutDown(); });
  player_.playMacro(AddMacro(MacroLoop::UntilPressedAgain, 1, kTapA));
  EXPECT_EQ(Writes(), Seq({kReset, {"kbd[4]", "kbd[]"}, kReset, {"kbd[4]"}, kReset, kReset}));
  backend_->writes.clear();
  player_.onFilterKey(kKeyB, true);
  player_.playMacro(AddMacro(MacroLoop::Count, 1, kTapA));
  EXPECT_TRUE(backend_->writes.empty());
}

// An imported step may carry any delay; playback waits at most the recorder's
// longest delay, in slices, and a stop ends the wait at the next slice.
TEST_F(PlaybackMacroTest, LongPausesAreClampedAndEndOnStop) {
  const auto total = [this] {
    std::uint64_t sum = 0;
    for (std::uint32_t ms : clock_.inner.Waits()) sum += ms;
    return sum;
  };
  player_.playMacro(AddMacro(MacroLoop::Count, 1, {{kPress, kVkA, 2147483647}, {kRelease, kVkA, 5}}));
  EXPECT_EQ(total(), 31000u + 5u);
  EXPECT_EQ(Writes(), Seq({kReset, {"kbd[4]", "kbd[]"}, kReset}));

  const std::uint64_t before = total();
  OnPause(1, [this] { player_.onFilterKey(kKeyB, true); });
  player_.playMacro(AddMacro(MacroLoop::UntilPressedAgain, 1, {{kPress, kVkA, 30000}, {kRelease, kVkA, 30000}}));
  EXPECT_EQ(total() - before, MacroPlayer::kStopCheckMs);
}

}  // namespace
