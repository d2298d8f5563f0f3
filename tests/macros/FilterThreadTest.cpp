// The key filter end to end with its reader and monitor threads: scripted
// event devices in, logging clones and callbacks out.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <array>
#include <functional>
#include <utility>

#include "macros/filter/HidUsbFilter.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/macros/FilterTestRig.h"

namespace {

using filtertest::CloneFactory;
using filtertest::KeyLog;
using filtertest::Sent;
using filtertest::sentFrame;
using Script = FakeEvdevDevice::Script;

constexpr std::uint16_t kCodeA = 0x104;
constexpr std::uint16_t kCodeB = 0x105;
const std::vector<UsbId> kServed{{0x1209, 0x0001}, {0x1209, 0x0002}};

class FilterThread : public ::testing::Test {
 protected:
  std::shared_ptr<Script> plugIn(const std::string& path, FakeEvdevDevice::Identity identity = {}) {
    identity.path = path;
    auto script = std::make_shared<Script>(identity);
    discovery_.add(script);
    return script;
  }

  HidUsbFilter& filter() {
    if (!filter_) {
      filter_ = std::make_unique<HidUsbFilter>(discovery_, clones_.function(), kServed, options_);
      filter_->registerCallback(keys_);
    }
    return *filter_;
  }

  // The operations programKeyFilter issues, with a table of these codes.
  FilterStatus program(const std::vector<std::uint16_t>& codes) {
    filter().stopMonitor();
    filter().loadTable(std::array<std::uint8_t, 256>{});
    filter().loadTable(KeyFilterTable::encode(codes));
    filter().commitTable();
    const FilterStatus status = filter().startFiltering();
    filter().startMonitor();
    return status;
  }

  void stopFilter() {
    filter().stopMonitor();
    filter().loadTable(std::array<std::uint8_t, 256>{});
  }

  static bool waitForGrab(const std::shared_ptr<Script>& kb) {
    return kb->waitUntil([&] { return kb->grabbed(); });
  }

  FakeEvdevDiscovery discovery_;
  CloneFactory clones_;
  KeyLog keys_;
  HidUsbFilter::Options options_{std::chrono::milliseconds::zero()};
  std::unique_ptr<HidUsbFilter> filter_;  // last, so it stops before the fakes go
};

TEST_F(FilterThread, UnlistedKeysReachTheCloneUnchanged) {
  auto kb = plugIn("/dev/input/event3");
  ASSERT_EQ(program({kCodeA}), FilterStatus::Running);
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 0));
  auto clone = clones_.log(0);
  ASSERT_TRUE(clone && clone->waitForEvents(6));
  auto expected = sentFrame(FakeEvdevDevice::keyFrame(KEY_B, 1));
  const auto up = sentFrame(FakeEvdevDevice::keyFrame(KEY_B, 0));
  expected.insert(expected.end(), up.begin(), up.end());
  EXPECT_EQ(clone->events(), expected);
  // The clone stands in for the keyboard: same name, ids and keys, on the virtual bus.
  const UinputDeviceSpec announced = clone->announced();
  EXPECT_EQ(announced.name, kb->identity().name);
  EXPECT_EQ(announced.vendorId, 0x1209);
  EXPECT_EQ(announced.productId, 0x0001);
  EXPECT_EQ(announced.keys, kb->identity().keys);
  EXPECT_EQ(announced.busType, 0x06);
}

TEST_F(FilterThread, ListedKeysReachTheCallbackWithTheirLayoutCode) {
  auto kb = plugIn("/dev/input/event3");
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 2));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1));
  // B comes after A on the same reader, so once B is through, A has been dealt with.
  ASSERT_TRUE(clones_.log(0)->waitForEvents(3));
  ASSERT_TRUE(keys_.waitForKeys(2));
  EXPECT_EQ(keys_.keys(), (std::vector<KeyLog::Key>{{0, kCodeA, true}, {0, kCodeA, false}}));
  EXPECT_EQ(clones_.log(0)->events(), sentFrame(FakeEvdevDevice::keyFrame(KEY_B, 1)));
}

TEST_F(FilterThread, CallbacksAreOfferedInOrderUntilOneHandlesTheKey) {
  auto kb = plugIn("/dev/input/event3");
  KeyLog declines(false);
  KeyLog handles(true);
  KeyLog never(true);
  filter().unregisterCallback(keys_);
  filter().registerCallback(declines);
  filter().registerCallback(handles);
  filter().registerCallback(never);
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  ASSERT_TRUE(handles.waitForKeys(2));
  EXPECT_EQ(declines.keys().size(), 2u);
  EXPECT_TRUE(never.keys().empty());
  filter().stopMonitor();
}

// A callback that reprograms the filter on the first key, as a profile switch would.
class Reprogrammer : public HidUsbFilter::IMonitorProxy {
 public:
  explicit Reprogrammer(std::function<void()> reprogram) : reprogram_(std::move(reprogram)) {}
  bool onFilterKey(std::uint8_t spare, std::uint16_t keyCode, bool pressed) override {
    if (std::exchange(first_, false)) reprogram_();
    return later_.onFilterKey(spare, keyCode, pressed);
  }
  KeyLog& later() { return later_; }

 private:
  std::function<void()> reprogram_;
  bool first_ = true;
  KeyLog later_;
};

TEST_F(FilterThread, ACallbackMayReprogramTheFilterFromTheMonitorThread) {
  auto kb = plugIn("/dev/input/event3");
  Reprogrammer switcher([this] { program({kCodeB}); });
  filter().unregisterCallback(keys_);
  filter().registerCallback(switcher);
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  ASSERT_TRUE(switcher.later().waitForKeys(1));
  // The new grab waits for A to come up.
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  ASSERT_TRUE(kb->waitUntil([&] { return kb->grabCount() == 2 && kb->grabbed(); }));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1));
  ASSERT_TRUE(switcher.later().waitForKeys(2));
  EXPECT_EQ(switcher.later().keys()[1], (KeyLog::Key{0, kCodeB, true}));
  filter_.reset();
}

TEST_F(FilterThread, TheGrabWaitsUntilNoKeyIsHeld) {
  auto kb = plugIn("/dev/input/event3");
  kb->setHeld({KEY_LEFTCTRL});
  program({kCodeA});
  ASSERT_TRUE(kb->waitUntil([&] { return kb->readerWaiting(); }));
  EXPECT_FALSE(kb->grabbed());
  kb->queue(FakeEvdevDevice::keyFrame(KEY_LEFTCTRL, 0));
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1));
  ASSERT_TRUE(clones_.log(0)->waitForEvents(3));
  // The Ctrl release went to the system directly, not through the clone.
  EXPECT_EQ(clones_.log(0)->events(), sentFrame(FakeEvdevDevice::keyFrame(KEY_B, 1)));
}

TEST_F(FilterThread, AnEmptyTableLeavesTheKeyboardAlone) {
  auto kb = plugIn("/dev/input/event3");
  EXPECT_EQ(program({}), FilterStatus::Idle);
  EXPECT_EQ(discovery_.opens(), 0);
  EXPECT_EQ(clones_.count(), 0u);
  EXPECT_EQ(kb->grabCount(), 0);
}

TEST_F(FilterThread, OnlyTheServedPhysicalKeyboardIsTaken) {
  auto served = plugIn("/dev/input/event3");
  FakeEvdevDevice::Identity otherModel;
  otherModel.productId = 0x0004;
  auto other = plugIn("/dev/input/event4", otherModel);
  FakeEvdevDevice::Identity someClone;
  someClone.virtualBus = true;
  auto virtualTwin = plugIn("/dev/input/event5", someClone);
  ASSERT_EQ(program({kCodeA}), FilterStatus::Running);
  ASSERT_TRUE(waitForGrab(served));
  EXPECT_EQ(discovery_.opens(), 1);
  EXPECT_EQ(other->grabCount(), 0);
  EXPECT_EQ(virtualTwin->grabCount(), 0);
}

TEST_F(FilterThread, ReprogrammingServesTheNewTable) {
  auto kb = plugIn("/dev/input/event3");
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  program({kCodeB});
  ASSERT_TRUE(kb->waitUntil([&] { return kb->grabCount() == 2 && kb->grabbed(); }));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  auto clone = clones_.log(1);
  ASSERT_TRUE(clone && clone->waitForEvents(3));
  ASSERT_TRUE(keys_.waitForKeys(1));
  EXPECT_EQ(keys_.keys(), (std::vector<KeyLog::Key>{{0, kCodeB, true}}));
  EXPECT_EQ(clone->events(), sentFrame(FakeEvdevDevice::keyFrame(KEY_A, 1)));
}

TEST_F(FilterThread, StoppingUngrabsAndReleasesWhatTheCloneHolds) {
  auto kb = plugIn("/dev/input/event3");
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_LEFTSHIFT, 1));
  ASSERT_TRUE(clones_.log(0)->waitForEvents(3));
  stopFilter();
  EXPECT_FALSE(kb->grabbed());
  EXPECT_EQ(kb->ungrabCount(), 1);
  const auto events = clones_.log(0)->events();
  EXPECT_EQ(std::vector<Sent>(events.end() - 2, events.end()),
            (std::vector<Sent>{{EV_KEY, KEY_LEFTSHIFT, 0}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_TRUE(clones_.log(0)->waitForRemoval());
}

TEST_F(FilterThread, AnUnpluggedKeyboardIsReleasedAndServedAgainWhenItReturns) {
  auto kb = plugIn("/dev/input/event3");
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_LEFTSHIFT, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  ASSERT_TRUE(keys_.waitForKeys(1));

  kb->vanish();
  auto first = clones_.log(0);
  ASSERT_TRUE(first->waitForRemoval());
  const auto events = first->events();
  EXPECT_EQ(std::vector<Sent>(events.end() - 2, events.end()),
            (std::vector<Sent>{{EV_KEY, KEY_LEFTSHIFT, 0}, {EV_SYN, SYN_REPORT, 0}}));
  ASSERT_TRUE(keys_.waitForKeys(2));
  EXPECT_EQ(keys_.keys()[1], (KeyLog::Key{0, kCodeA, false}));
  EXPECT_EQ(filter().rescan(), FilterStatus::KeyboardAbsent);

  kb->comeBack();
  EXPECT_EQ(filter().rescan(), FilterStatus::Running);
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  ASSERT_TRUE(keys_.waitForKeys(3));
  EXPECT_EQ(keys_.keys()[2], (KeyLog::Key{0, kCodeA, true}));
  ASSERT_NE(clones_.log(1), nullptr);
}

TEST_F(FilterThread, PeriodicRediscoveryFindsAReturningKeyboardWithoutANotice) {
  options_.rediscoveryPeriod = std::chrono::milliseconds(5);
  auto kb = plugIn("/dev/input/event3");
  program({kCodeA});
  ASSERT_TRUE(waitForGrab(kb));
  kb->vanish();
  ASSERT_TRUE(clones_.log(0)->waitForRemoval());
  kb->comeBack();
  ASSERT_TRUE(kb->waitUntil([&] { return kb->grabCount() == 2; }));
}

TEST_F(FilterThread, APermissionErrorLeavesTheWholeKeyboardUngrabbed) {
  auto keys = plugIn("/dev/input/event3");
  auto media = plugIn("/dev/input/event4");
  media->setOpenStatus(OpenStatus::PermissionDenied);
  EXPECT_EQ(program({kCodeA}), FilterStatus::NoPermission);
  EXPECT_EQ(keys->grabCount(), 0);
  EXPECT_EQ(media->grabCount(), 0);
  // The clone made for the node that did open is gone again.
  ASSERT_EQ(clones_.count(), 1u);
  EXPECT_TRUE(clones_.log(0)->waitForRemoval());
}

TEST_F(FilterThread, WithoutUinputTheKeyboardStaysUngrabbed) {
  auto kb = plugIn("/dev/input/event3");
  clones_.refuse = true;
  EXPECT_EQ(program({kCodeA}), FilterStatus::NoUinput);
  EXPECT_EQ(kb->grabCount(), 0);
}

TEST_F(FilterThread, AKeyboardPluggedInLaterIsServedOnRescan) {
  EXPECT_EQ(program({kCodeA}), FilterStatus::KeyboardAbsent);
  auto kb = plugIn("/dev/input/event3");
  EXPECT_EQ(filter().rescan(), FilterStatus::Running);
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  ASSERT_TRUE(keys_.waitForKeys(1));
}

}  // namespace
