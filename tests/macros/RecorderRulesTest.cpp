// The recording rules: which hook events become records, their names and
// codes, and the delays written for each delay mode from the hook's event times.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "macros/recorder/HookKeyTranslator.h"
#include "macros/recorder/MacroRecorder.h"
#include "tests/fakes/FakeKeyboardHook.h"
#include "tests/fakes/FakeRecordList.h"
#include "tests/sim/VirtualClock.h"

namespace {

using Row = FakeRecordList::Row;
constexpr int kPress = 2;
constexpr int kRelease = 3;
constexpr int kMacro = 7;

HookKeyRecord key(int virtualKey, int scanCode = 0, std::uint32_t flags = 0, std::uint64_t time = 0) {
  return {virtualKey, scanCode, flags, time};
}

class RecorderRules : public ::testing::Test {
 protected:
  void start(DelayMode mode, int fixedDelay = MacroRecorder::kDefaultFixedDelayMs) {
    ASSERT_TRUE(recorder_.startRecording(kMacro, mode, fixedDelay));
  }
  // Events carry the time of the hook's clock.
  bool down(int virtualKey, int scanCode = 0, std::uint32_t flags = 0) {
    return hook_.fire(KeyMessage::KeyDown, key(virtualKey, scanCode, flags, clock_.NowMs()));
  }
  bool up(int virtualKey, int scanCode = 0, std::uint32_t flags = 0) {
    return hook_.fire(KeyMessage::KeyUp, key(virtualKey, scanCode, flags | HookKeyRecord::kUp, clock_.NowMs()));
  }

  FakeKeyboardHook hook_;
  hidsim::VirtualClock clock_{1000};
  FakeRecordList list_;
  MacroRecorder recorder_{hook_, list_};
};

// --- delays ---------------------------------------------------------------------

TEST_F(RecorderRules, MeasuredDelaysGoOnTheRecordBeforeTheNextEvent) {
  start(DelayMode::Measured);
  down('A');
  clock_.Advance(120);
  up('A');
  clock_.Advance(45);
  down('B');
  up('B');  // no time passed: the delay stays 0
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"A", kPress, 'A', 120}, {u"A", kRelease, 'A', 45},
                                            {u"B", kPress, 'B', 0}, {u"B", kRelease, 'B', 0}}));
}

TEST_F(RecorderRules, TheFirstMeasuredEventSetsNoDelay) {
  list_.seed({u"X", kPress, 'X', 0});
  clock_.Advance(5000);
  start(DelayMode::Measured);
  clock_.Advance(700);
  down('A');
  EXPECT_EQ(list_.rows().front().delay, 0);
  EXPECT_EQ(list_.delayUpdates(), 0);
}

TEST_F(RecorderRules, FortySecondsApartGivesTheCap) {
  start(DelayMode::Measured);
  down('A');
  clock_.Advance(40000);
  up('A');
  EXPECT_EQ(list_.rows().front().delay, MacroRecorder::kMaxDelayMs);
}

TEST_F(RecorderRules, NoDelayModeNeverWritesADelay) {
  start(DelayMode::None);
  down('A');
  clock_.Advance(300);
  up('A');
  clock_.Advance(300);
  down('B');
  EXPECT_EQ(list_.delayUpdates(), 0);
  for (const Row& row : list_.rows()) EXPECT_EQ(row.delay, 0);
}

TEST_F(RecorderRules, FixedDelayModeWritesTheFixedValueWhateverTheTime) {
  list_.seed({u"X", kPress, 'X', 0});
  start(DelayMode::Fixed, 25);
  down('A');
  clock_.Advance(3000);
  up('A');
  // Every event sets the record before it, the earlier recording's last one included.
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"X", kPress, 'X', 25}, {u"A", kPress, 'A', 25},
                                            {u"A", kRelease, 'A', 0}}));
}

TEST_F(RecorderRules, AnEventStampedBeforeThePreviousOneGivesTheCap) {
  start(DelayMode::Measured);
  hook_.fire(KeyMessage::KeyDown, key('A', 0, 0, 50000));
  hook_.fire(KeyMessage::KeyUp, key('A', 0, HookKeyRecord::kUp, 49990));
  EXPECT_EQ(list_.rows().front().delay, MacroRecorder::kMaxDelayMs);
}

// --- what is recorded ------------------------------------------------------------

TEST_F(RecorderRules, AHeldKeyIsRecordedOncePerPressAndRelease) {
  start(DelayMode::None);
  down('A');
  down('A');
  down('A');
  up('A');
  down('A');
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"A", kPress, 'A', 0}, {u"A", kRelease, 'A', 0},
                                            {u"A", kPress, 'A', 0}}));
}

TEST_F(RecorderRules, MediaAndBrowserKeysAreKeptFromTheSystemButNotRecorded) {
  start(DelayMode::None);
  EXPECT_TRUE(down(175));  // Volume Up
  EXPECT_TRUE(up(175));
  EXPECT_TRUE(down(166));
  EXPECT_TRUE(down(183));
  EXPECT_TRUE(list_.rows().empty());
  down(165);  // right Alt, just below the range
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"RAlt", kPress, 165, 0}}));
}

TEST_F(RecorderRules, AReleaseWithoutItsPressIsStillRecorded) {
  start(DelayMode::None);
  up('Q');
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"Q", kRelease, 'Q', 0}}));
}

TEST_F(RecorderRules, PlainNavigationScanCodesAreTheKeypadWithNumLockOff) {
  start(DelayMode::None);
  const std::vector<std::pair<int, int>> keypad{{71, 103}, {72, 104}, {73, 105}, {75, 100}, {76, 101}, {77, 102},
                                                {79, 97},  {80, 98},  {81, 99},  {82, 96},  {83, 110}};
  for (const auto& [scan, expected] : keypad) {
    down(36, scan);
    EXPECT_EQ(list_.rows().back().virtualKey, expected) << "scan code " << scan;
  }
  EXPECT_EQ(list_.rows().front().name, u"Num 7");
}

TEST_F(RecorderRules, ExtendedScanCodesKeepTheHookKeyExceptKeypadEnter) {
  start(DelayMode::None);
  down(36, 71, HookKeyRecord::kExtended);
  down(13, 28, HookKeyRecord::kExtended);
  down(13, 28);
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"Home", kPress, 36, 0}, {u"Num Enter", kPress, 108, 0},
                                            {u"Enter", kPress, 13, 0}}));
}

TEST_F(RecorderRules, GenericModifiersAreRecordedAsTheirLeftHandKeys) {
  start(DelayMode::None);
  down(16);
  down(17);
  down(18);
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"Shift", kPress, 160, 0}, {u"Ctrl", kPress, 162, 0},
                                            {u"Alt", kPress, 164, 0}}));
  // The held set knows them by the recorded code: the left-hand press is a repeat now.
  down(160);
  EXPECT_EQ(list_.rows().size(), 3u);
}

TEST_F(RecorderRules, KeysWithoutAVirtualKeyAreConsumedAndIgnored) {
  start(DelayMode::Measured);
  down('A');
  clock_.Advance(100);
  EXPECT_TRUE(down(0, 0x70));
  clock_.Advance(100);
  up('A');
  // The ignored key did not count as the previous event either.
  EXPECT_EQ(list_.rows().front().delay, 200);
}

TEST_F(RecorderRules, SystemKeyMessagesRecordLikeTheirPlainKinds) {
  start(DelayMode::None);
  hook_.fire(KeyMessage::SysKeyDown, key(164, 56));
  hook_.fire(KeyMessage::SysKeyUp, key(164, 56, HookKeyRecord::kUp));
  EXPECT_EQ(list_.rows(), (std::vector<Row>{{u"Alt", kPress, 164, 0}, {u"Alt", kRelease, 164, 0}}));
}

TEST_F(RecorderRules, OtherKeyboardMessagesAreConsumedAndIgnored) {
  start(DelayMode::None);
  EXPECT_TRUE(hook_.fire(static_cast<KeyMessage>(0x102), key('A')));  // a character message
  EXPECT_TRUE(list_.rows().empty());
}

TEST_F(RecorderRules, OnlyTheHookMessageIsAnswered) {
  start(DelayMode::None);
  EXPECT_EQ(recorder_.onHookMessage(1653, KeyMessage::KeyDown, key('A')), 0);
  EXPECT_EQ(recorder_.onHookMessage(KeyboardHookManager::kHookMessage, KeyMessage::KeyDown, key('A')), 1);
  EXPECT_EQ(list_.rows().size(), 1u);
}

TEST_F(RecorderRules, EvdevKeysThroughTheHookTranslatorRecordLikeAPcKeyboard) {
  start(DelayMode::None);
  HookKeyTranslator translator;
  for (const int code : {KEY_KP7, KEY_HOME, KEY_KPENTER, KEY_ENTER, KEY_KPDOT, KEY_DELETE, KEY_LEFTSHIFT}) {
    const auto [message, record] = translator.translate(code, 1, 0);
    hook_.fire(message, record);
  }
  std::vector<int> keys;
  for (const Row& row : list_.rows()) keys.push_back(row.virtualKey);
  EXPECT_EQ(keys, (std::vector<int>{103, 36, 108, 13, 110, 46, 160}));
}

// --- recording state -------------------------------------------------------------------

TEST_F(RecorderRules, WithoutAMacroRecordingDoesNotStart) {
  EXPECT_FALSE(recorder_.startRecording(0, DelayMode::Measured));
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Idle);
  EXPECT_TRUE(hook_.log.empty());
}

TEST_F(RecorderRules, StartInstallsTheHookOnceAndStopRemovesIt) {
  start(DelayMode::Measured);
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Recording);
  EXPECT_EQ(hook_.log, std::vector<std::string>{"install"});
  recorder_.stopRecording();
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Idle);
  EXPECT_EQ(hook_.log, (std::vector<std::string>{"install", "uninstall"}));
  EXPECT_FALSE(down('A'));
}

TEST_F(RecorderRules, AHookThatFindsNoKeyboardStillLeavesRecordingStarted) {
  hook_.refuseInstall = true;
  start(DelayMode::Measured);
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Recording);
}

TEST_F(RecorderRules, ANewRecordingForgetsThePreviousEventAndHeldKeys) {
  start(DelayMode::Measured);
  down('A');
  recorder_.stopRecording();
  clock_.Advance(900);
  start(DelayMode::Measured);
  down('A');
  const auto rows = list_.rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].delay, 0);
}

TEST_F(RecorderRules, KeyCaptureModeIsSeparateFromRecording) {
  recorder_.beginKeyCapture();
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::KeyCapture);
  EXPECT_FALSE(down('A'));  // no hook while capturing a single key
  recorder_.endKeyCapture();
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Idle);
  start(DelayMode::None);
  recorder_.beginKeyCapture();
  recorder_.endKeyCapture();
  EXPECT_EQ(recorder_.captureMode(), CaptureMode::Recording);
}

}  // namespace
