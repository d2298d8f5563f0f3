#include "macros/virtualdevice/UinputHidBackend.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <algorithm>

#include "macros/virtualdevice/VHidev.h"
#include "tests/fakes/FakeUinputSink.h"

namespace {

using Event = FakeUinputSink::Event;
using Events = std::vector<Event>;

Event Key(int code, int value) { return {EV_KEY, code, value}; }
const Event kSyn{EV_SYN, SYN_REPORT, 0};

class UinputHidBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_.openVirtualDevice()); }

  Events TakeEvents() { return std::exchange(sink_->events, {}); }

  std::unique_ptr<FakeUinputSink> owned_ = std::make_unique<FakeUinputSink>();
  FakeUinputSink* sink_ = owned_.get();
  VHidev device_{std::make_unique<UinputHidBackend>(std::move(owned_))};
};

TEST_F(UinputHidBackendTest, AnnouncesEveryKeyItCanSendAndIsCreatedOnce) {
  for (int code : {KEY_A, KEY_LEFTCTRL, KEY_RIGHTMETA, KEY_F24, KEY_VOLUMEUP, KEY_CONFIG, BTN_LEFT, BTN_EXTRA}) {
    EXPECT_TRUE(std::ranges::binary_search(sink_->spec.keys, code)) << code;
  }
  EXPECT_TRUE(sink_->spec.relativeAxes);  // buttons only count on a device that can point
  EXPECT_TRUE(device_.openVirtualDevice());
  EXPECT_EQ(sink_->createCount, 1);
}

TEST_F(UinputHidBackendTest, EachChangedReportIsOneEventGroupWithOneSyn) {
  device_.setKey(4, true);
  device_.setKey(225, true);
  device_.setKey(4, true);   // no change: no events, no SYN
  device_.setKey(0, true);   // "no key"
  device_.setKey(50, true);  // non-US '#': no evdev code of its own
  std::array<std::uint8_t, 33> aAndB{0x30};
  device_.sendReport(VHidev::kKeyboardReport, aAndB.data(), aAndB.size());
  device_.sendReport(VHidev::kFourthReport, aAndB.data(), 2);
  EXPECT_EQ(TakeEvents(), (Events{Key(KEY_A, 1), kSyn, Key(KEY_LEFTSHIFT, 1), kSyn, Key(KEY_B, 1),
                                  Key(KEY_LEFTSHIFT, 0), kSyn}));
}

TEST_F(UinputHidBackendTest, MouseButtonsAndConsumerUsages) {
  for (int bit = 0; bit < 5; ++bit) device_.setMouseButton(bit, true);
  device_.setConsumer(0xE9);
  device_.setConsumer(0xEA);  // the old media key goes up as the new one goes down
  device_.setConsumer(0x999);  // unknown: the old one goes up only
  EXPECT_EQ(TakeEvents(), (Events{Key(BTN_LEFT, 1), kSyn, Key(BTN_RIGHT, 1), kSyn, Key(BTN_MIDDLE, 1), kSyn,
                                  Key(BTN_SIDE, 1), kSyn, Key(BTN_EXTRA, 1), kSyn, Key(KEY_VOLUMEUP, 1), kSyn,
                                  Key(KEY_VOLUMEUP, 0), Key(KEY_VOLUMEDOWN, 1), kSyn, Key(KEY_VOLUMEDOWN, 0), kSyn}));
}

TEST_F(UinputHidBackendTest, CloseReleasesEverythingHeldWithOneSynAndForgetsIt) {
  device_.setKey(4, true);
  device_.setMouseButton(0, true);
  device_.setConsumer(0xCD);
  TakeEvents();
  device_.closeVirtualDevice();
  EXPECT_EQ(TakeEvents(), (Events{Key(KEY_A, 0), Key(BTN_LEFT, 0), Key(KEY_PLAYPAUSE, 0), kSyn}));
  EXPECT_EQ(sink_->destroyCount, 1);
  EXPECT_EQ(device_.sendReport(VHidev::kFourthReport, nullptr, 0), -1);
  ASSERT_TRUE(device_.openVirtualDevice());
  device_.setKey(5, true);  // A was released with the device and does not come back
  EXPECT_EQ(TakeEvents(), (Events{Key(KEY_B, 1), kSyn}));
}

TEST_F(UinputHidBackendTest, RefusedEventsAndCreationAreReported) {
  sink_->refuseEmit = true;
  const std::uint8_t volumeUp[2] = {0xE9, 0};
  EXPECT_EQ(device_.sendReport(VHidev::kConsumerReport, volumeUp, 2), -1);
  device_.closeVirtualDevice();
  sink_->refuseCreate = true;
  EXPECT_FALSE(device_.openVirtualDevice());
}

}  // namespace
