// Recording and single-key capture on evdev with their reader threads:
// scripted keyboards in, records and decoded keys out.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <condition_variable>
#include <mutex>

#include "macros/recorder/EvdevKeyboardHook.h"
#include "macros/recorder/KeyCapture.h"
#include "macros/recorder/MacroRecorder.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeRecordList.h"
#include "tests/sim/VirtualClock.h"

namespace {

using Row = FakeRecordList::Row;
using Script = FakeEvdevDevice::Script;

class KeyboardHookThread : public ::testing::Test {
 protected:
  std::shared_ptr<Script> plugIn(const std::string& path, FakeEvdevDevice::Identity identity = {}) {
    identity.path = path;
    auto script = std::make_shared<Script>(identity);
    discovery_.add(script);
    return script;
  }

  static bool waitForGrab(const std::shared_ptr<Script>& kb) {
    return kb->waitUntil([&] { return kb->grabbed(); });
  }

  FakeEvdevDiscovery discovery_;
  hidsim::VirtualClock clock_;
  FakeRecordList list_;
  EvdevKeyboardHook hook_{discovery_, clock_};
  MacroRecorder recorder_{hook_, list_};
};

TEST_F(KeyboardHookThread, RecordsEveryKeyboardWhileHoldingThemAll) {
  auto t40 = plugIn("/dev/input/event3");
  FakeEvdevDevice::Identity laptop;
  laptop.name = "AT Translated Set 2 keyboard";
  laptop.vendorId = 0x0001;
  auto builtIn = plugIn("/dev/input/event0", laptop);
  FakeEvdevDevice::Identity mouse;
  mouse.keyboard = false;
  auto pointer = plugIn("/dev/input/event7", mouse);

  ASSERT_TRUE(recorder_.startRecording(1, DelayMode::None));
  ASSERT_TRUE(waitForGrab(t40));
  ASSERT_TRUE(waitForGrab(builtIn));
  t40->queue(FakeEvdevDevice::keyFrame(KEY_A, 1));
  t40->queue(FakeEvdevDevice::keyFrame(KEY_A, 2));
  t40->queue(FakeEvdevDevice::keyFrame(KEY_A, 0));
  ASSERT_TRUE(list_.waitForRows(2));
  builtIn->queue(FakeEvdevDevice::keyFrame(KEY_KP7, 1));
  ASSERT_TRUE(list_.waitForRows(3));
  recorder_.stopRecording();

  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"A", 2, 'A', 0}, {u"A", 3, 'A', 0}, {u"Num 7", 2, 103, 0}}));
  EXPECT_FALSE(t40->grabbed());
  EXPECT_FALSE(builtIn->grabbed());
  EXPECT_EQ(pointer->grabCount(), 0);
}

TEST_F(KeyboardHookThread, AKeyHeldAtTheStartIsLeftUntilReleasedAndItsReleaseRecorded) {
  auto kb = plugIn("/dev/input/event3");
  kb->setHeld({KEY_ENTER});
  ASSERT_TRUE(recorder_.startRecording(1, DelayMode::None));
  ASSERT_TRUE(kb->waitUntil([&] { return kb->readerWaiting(); }));
  EXPECT_FALSE(kb->grabbed());
  kb->queue(FakeEvdevDevice::keyFrame(KEY_ENTER, 2));  // its repeats reach the system, unrecorded
  kb->queue(FakeEvdevDevice::keyFrame(KEY_ENTER, 0));
  ASSERT_TRUE(waitForGrab(kb));
  ASSERT_TRUE(list_.waitForRows(1));
  recorder_.stopRecording();
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"Enter", 3, 13, 0}}));
}

// The reader's clock stands still: every delay comes from the kernel's stamps on the events.
TEST_F(KeyboardHookThread, DelaysComeFromTheEventStampsHoweverLateTheyAreRead) {
  auto kb = plugIn("/dev/input/event3");
  ASSERT_TRUE(recorder_.startRecording(1, DelayMode::Measured));
  ASSERT_TRUE(waitForGrab(kb));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 1, 70000));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_A, 0, 70180));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 1, 70200));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_B, 0, 120000));
  ASSERT_TRUE(list_.waitForRows(4));
  recorder_.stopRecording();
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"A", 2, 'A', 180}, {u"A", 3, 'A', 20}, {u"B", 2, 'B', 31000},
                                            {u"B", 3, 'B', 0}}));
}

TEST_F(KeyboardHookThread, KeyboardsThatCannotBeOpenedAreLeftOut) {
  auto locked = plugIn("/dev/input/event2");
  locked->setOpenStatus(OpenStatus::PermissionDenied);
  EXPECT_FALSE(hook_.install([](KeyMessage, const HookKeyRecord&) { return true; }));
  auto open = plugIn("/dev/input/event3");
  EXPECT_TRUE(hook_.install([](KeyMessage, const HookKeyRecord&) { return true; }));
  ASSERT_TRUE(waitForGrab(open));
  hook_.uninstall();
  EXPECT_EQ(locked->grabCount(), 0);
}

TEST_F(KeyboardHookThread, AKeyboardUnpluggedWhileRecordingDoesNotStopTheOthers) {
  auto first = plugIn("/dev/input/event3");
  auto second = plugIn("/dev/input/event4");
  ASSERT_TRUE(recorder_.startRecording(1, DelayMode::None));
  ASSERT_TRUE(waitForGrab(first));
  ASSERT_TRUE(waitForGrab(second));
  first->vanish();
  second->queue(FakeEvdevDevice::keyFrame(KEY_C, 1));
  ASSERT_TRUE(list_.waitForRows(1));
  recorder_.stopRecording();
  EXPECT_EQ(list_.rows().front().virtualKey, 'C');
}

// Collects decoded keys from the capture thread.
class CaptureLog {
 public:
  void add(const CapturedInput& input) {
    std::lock_guard lock(mutex_);
    inputs_.push_back(input);
    changed_.notify_all();
  }
  bool waitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return inputs_.size() >= count; });
  }
  std::vector<CapturedInput> inputs() {
    std::lock_guard lock(mutex_);
    return inputs_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<CapturedInput> inputs_;
};

TEST_F(KeyboardHookThread, SingleKeyCaptureReadsWithoutTakingTheKeyboard) {
  auto kb = plugIn("/dev/input/event3");
  kb->setHeld({KEY_LEFTCTRL});  // capture does not wait for anything
  CaptureLog log;
  KeyCapture capture(discovery_, clock_);
  ASSERT_TRUE(capture.start([&log](const CapturedInput& input) { log.add(input); }));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_F5, 1));
  kb->queue(FakeEvdevDevice::keyFrame(KEY_F5, 0));
  ASSERT_TRUE(log.waitFor(2));
  capture.stop();
  const auto inputs = log.inputs();
  EXPECT_EQ(inputs[0].kind, InputKind::Keyboard);
  EXPECT_EQ(inputs[0].action, KeyAction::Press);
  EXPECT_EQ(inputs[0].virtualKey, 116);
  EXPECT_EQ(inputs[0].name, u"F5");
  EXPECT_EQ(inputs[1].action, KeyAction::Release);
  EXPECT_EQ(kb->grabCount(), 0);
}

}  // namespace
