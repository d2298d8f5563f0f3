// The key filter's thread and the worker at once: a stop set on one thread
// ends the macro playing on the other, and the device's writes stay whole.
// Also run under ThreadSanitizer.
#include <linux/input-event-codes.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "macros/virtualdevice/UinputHidBackend.h"
#include "tests/fakes/FakeUinputSink.h"
#include "tests/macros/PlaybackFixture.h"

namespace {

using namespace playbacktest;
using PlaybackThreadTest = PlaybackTest;

// Keys whose last event on the sink was a press.
std::vector<int> HeldKeys(const FakeUinputSink& sink) {
  std::map<int, int> last;
  for (const auto& e : sink.events) {
    if (e.type == EV_KEY) last[e.code] = e.value;
  }
  std::vector<int> held;
  for (auto [code, value] : last) {
    if (value != 0) held.push_back(code);
  }
  return held;
}

TEST_F(PlaybackThreadTest, HoldMacroEndsWhenTheFilterThreadReportsTheRelease) {
  std::atomic<bool> paused{false}, released{false};
  clock_.onSleep = [&](std::uint32_t ms) {
    RecordPause(ms);  // the filter side has finished whenever this runs again
    paused = true;
    paused.notify_all();
    released.wait(false);
  };
  std::thread worker([&] {
    player_.playMacro(AddMacro(MacroLoop::WhileHeld, 1, {{kPress, kVkA, 20}, {kRelease, kVkA, 30}}));
    paused = true;  // never leave this side waiting, even if no step ran
    paused.notify_all();
  });
  paused.wait(false);
  player_.onFilterKey(kMacroKey, false);
  released = true;
  released.notify_all();
  worker.join();
  EXPECT_EQ(Writes(), Seq({kReset, {"kbd[4]"}, kReset}));
  EXPECT_EQ(player_.playingLoopType(), 0);
}

// Both threads write to one uinput device as fast as they can: every event
// group must end in exactly one SYN, and nothing may stay held at the end.
TEST_F(PlaybackThreadTest, ConcurrentFilterKeysDuringAHoldMacroLeaveNothingHeld) {
  auto owned = std::make_unique<FakeUinputSink>();
  FakeUinputSink* sink = owned.get();
  VHidev device(std::make_unique<UinputHidBackend>(std::move(owned)));
  MacroPlayer player(device, store_, queue_, clock_);
  player.setAssignedKeys({Row(kMacroKey, AssignmentType::Macro, 1), Row(kKeyB, AssignmentType::Key, 5)});
  clock_.onSleep = [&player, pauses = 0](std::uint32_t) mutable {
    if (++pauses == 20000) {  // a broken stop fails instead of hanging
      ADD_FAILURE() << "the macro did not stop";
      player.shutDown();
    }
  };
  const std::uint32_t id = AddMacro(MacroLoop::WhileHeld, 1, {{kPress, kVkA, 1}, {kRelease, kVkA, 1}});
  std::atomic<bool> done{false};
  std::thread worker([&] {
    player.playMacro(id);
    done = true;
  });
  while (player.playingLoopType() == 0 && !done) std::this_thread::yield();
  for (int i = 0; i < 200; ++i) player.onFilterKey(kKeyB, i % 2 == 0);
  player.onFilterKey(kMacroKey, false);
  worker.join();

  int group = 0;
  for (const auto& e : sink->events) {
    EXPECT_TRUE(e.type != EV_SYN || group > 0) << "SYN without events";
    group = e.type == EV_SYN ? 0 : group + 1;
  }
  EXPECT_EQ(group, 0);
  EXPECT_EQ(HeldKeys(*sink), std::vector<int>{});
}

// The exit's shutDown while the filter thread taps an assigned key: a press
// that passed the player's check just before the shutdown must not reach the
// device after its reset, where no release would ever follow.
TEST_F(PlaybackThreadTest, ShutDownRacingFilterKeysLeavesNothingHeld) {
  int stuck = 0;
  for (int trial = 0; trial < 300; ++trial) {
    auto owned = std::make_unique<FakeUinputSink>();
    FakeUinputSink* sink = owned.get();
    VHidev device(std::make_unique<UinputHidBackend>(std::move(owned)));
    ASSERT_TRUE(device.openVirtualDevice());
    MacroPlayer player(device, store_, queue_, clock_);
    player.setAssignedKeys({Row(kKeyB, AssignmentType::Key, 5)});
    std::atomic<int> taps{0};
    std::atomic<bool> done{false};
    std::thread filter([&] {
      for (int i = 0; !done || i % 2 == 1; ++i, ++taps) player.onFilterKey(kKeyB, i % 2 == 0);
    });
    while (taps < 1 + trial % 16) std::this_thread::yield();
    player.shutDown();
    done = true;
    filter.join();
    if (!HeldKeys(*sink).empty()) ++stuck;
  }
  EXPECT_EQ(stuck, 0) << "trials that left a key held";
}

}  // namespace
