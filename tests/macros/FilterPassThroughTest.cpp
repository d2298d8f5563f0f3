// What the filter does with the events of one grabbed keyboard, fed straight
// to the pass-through without a reader thread.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "macros/filter/FilterPassThrough.h"
#include "tests/fakes/FakeEvdevDevice.h"
#include "tests/macros/FilterTestRig.h"

namespace {

using filtertest::CloneLog;
using filtertest::LoggingSink;
using filtertest::Sent;

constexpr std::uint16_t kCodeA = 0x104;  // layout code of A

class FilterPassThroughTest : public ::testing::Test {
 protected:
  FilterPassThroughTest() {
    std::vector<std::uint16_t> codes{kCodeA};
    auto table = std::make_shared<const KeyFilterTable>(*KeyFilterTable::decode(KeyFilterTable::encode(codes)));
    auto sink = std::make_unique<LoggingSink>(log_, false);
    sink->Create({});
    passThrough_ = std::make_unique<FilterPassThrough>(table, std::move(sink), keys_);
  }

  void feed(const std::vector<InputEvent>& events, ReaderPhase phase = ReaderPhase::Reading) {
    for (const InputEvent& e : events) passThrough_->onEvent(e, phase);
  }

  std::vector<FilterKeyEvent> reported() {
    std::vector<FilterKeyEvent> all;
    while (auto key = keys_.tryPop()) all.push_back(*key);
    return all;
  }

  std::shared_ptr<CloneLog> log_ = std::make_shared<CloneLog>();
  CancellableQueue<FilterKeyEvent> keys_;
  std::unique_ptr<FilterPassThrough> passThrough_;
};

TEST_F(FilterPassThroughTest, AFrameWithBothKindsPassesOnlyTheUnlistedKey) {
  feed({{EV_MSC, MSC_SCAN, 0x700E1}, {EV_KEY, KEY_LEFTSHIFT, 1},
        {EV_MSC, MSC_SCAN, 0x70004}, {EV_KEY, KEY_A, 1}, {EV_SYN, SYN_REPORT, 0}});
  EXPECT_EQ(log_->events(), (std::vector<Sent>{{EV_MSC, MSC_SCAN, 0x700E1}, {EV_KEY, KEY_LEFTSHIFT, 1},
                                               {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_EQ(reported().size(), 1u);
}

TEST_F(FilterPassThroughTest, EventsReadBeforeTheGrabAreLeftToTheSystem) {
  feed(FakeEvdevDevice::keyFrame(KEY_A, 0), ReaderPhase::BeforeGrab);
  feed(FakeEvdevDevice::keyFrame(KEY_B, 0), ReaderPhase::BeforeGrab);
  EXPECT_TRUE(reported().empty());
  EXPECT_TRUE(log_->events().empty());
}

TEST_F(FilterPassThroughTest, NonKeyEventsAndDroppedMarkersAreHandledLikeTheKernelWould) {
  feed({{EV_LED, LED_CAPSL, 1}, {EV_SYN, SYN_REPORT, 0}, {EV_SYN, SYN_DROPPED, 0}, {EV_SYN, SYN_REPORT, 0}});
  EXPECT_EQ(log_->events(), (std::vector<Sent>{{EV_LED, LED_CAPSL, 1}, {EV_SYN, SYN_REPORT, 0}}));
}

TEST_F(FilterPassThroughTest, AnUnfinishedFrameIsDroppedAtTheEnd) {
  feed({{EV_MSC, MSC_SCAN, 0x70005}, {EV_KEY, KEY_B, 1}});
  passThrough_->onEnded(ReaderEnd::Vanished);
  EXPECT_TRUE(log_->events().empty());
}

TEST_F(FilterPassThroughTest, AStoppedFilterLeavesReportedKeysToPlayback) {
  // Reprogramming resets the virtual device, which releases what playback pressed.
  feed(FakeEvdevDevice::keyFrame(KEY_A, 1));
  reported();
  passThrough_->onEnded(ReaderEnd::Stopped);
  EXPECT_TRUE(reported().empty());
}

}  // namespace
