#include "mainwindow/Worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "mainwindow/PresenceJobQueue.h"
#include "mainwindow/WorkerHost.h"
#include "tests/mainwindow/FakeClock.h"

namespace {

using Steps = std::vector<std::string>;

const PresenceFlags kKeyboard{HidInterfaces::Found, KeyboardMatch::Matched};
const PresenceFlags kReceiverOnly{HidInterfaces::Found, KeyboardMatch::None};

// Writes every call into the log as a short word; a rescan finds what `plugged` says.
class FakeHost : public WorkerHost {
 public:
  explicit FakeHost(Steps& log) : log_(log) {}

  void RescanAndRefresh() override {
    Note("rescan");
    found_ = plugged;
  }
  PresenceFlags Presence() const override { return found_; }
  void StartVisualiser() override { Note("visualiser"); }
  void CheckSoftware() override { Note("software"); }
  void LoadPages() override { Note("pages"); }
  void ApplyKeys() override { Note("keys"); }
  void ApplyLighting() override {
    Note("lighting");
    if (duringLighting) duringLighting();
  }
  void ApplyCustomLight() override { Note("custom"); }
  void FactoryReset() override { Note("reset"); }
  void CheckFirmware() override { Note("firmware"); }
  void InstallSoftware() override { Note("install"); }
  void UpdateFirmware() override { Note("update"); }
  void EnableWindow(WindowInput input) override { Note(input == WindowInput::Enabled ? "enable" : "disable"); }
  void CloseWaitDialog() override { Note("close-wait"); }
  bool IsWindowVisible() const override { return visible; }
  int CurrentTabIndex() const override { return tab; }
  int DeviceType() const override { return deviceType; }
  std::uint32_t LightingModeFlags() const override { return modeFlags; }
  void LiveLightingStep() override { Note("live"); }
  void PlayMacro(std::uint32_t macroId) override {
    Note("macro " + std::to_string(macroId));
    if (duringMacro) duringMacro();
  }

  PresenceFlags plugged;
  bool visible = true;
  int tab = 1;
  int deviceType = 201;
  std::uint32_t modeFlags = 0;
  std::function<void()> duringLighting;
  std::function<void()> duringMacro;

 private:
  void Note(const std::string& word) { log_.push_back(word); }
  Steps& log_;
  PresenceFlags found_;
};

// What a job that writes settings to the keyboard does.
Steps SettingsWrite(const std::string& job) { return {"disable", job, "close-wait", "sleep 100", "enable"}; }

class WorkerTest : public ::testing::Test {
 protected:
  WorkerTest() {
    clock_.OnSleep([this](std::uint32_t ms) { log_.push_back("sleep " + std::to_string(ms)); });
  }

  // Runs one step and returns what it did.
  Steps StepLog() {
    log_.clear();
    worker_.Step();
    return log_;
  }

  void PlugIn(PresenceFlags presence) {
    host_.plugged = presence;
    worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
    worker_.Step();
  }

  void ShowMusicModeOnFamilyA() {
    host_.visible = true;
    host_.tab = 3;
    host_.deviceType = 1;
    host_.modeFlags = 0x200;
  }

  Steps log_;
  FakeClock clock_;
  FakeHost host_{log_};
  Worker worker_{host_, clock_};
};

TEST_F(WorkerTest, StartUpWithoutKeyboardDropsKeyboardJobsUntilOneIsPlugged) {
  worker_.QueueJob(JobCode::JOB_CHECK_SOFTWARE);
  worker_.QueueJob(JobCode::JOB_FIRST_SCAN);
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  worker_.QueueMacro(9);
  EXPECT_EQ(StepLog(), Steps({"software"}));
  EXPECT_EQ(StepLog(), Steps({"rescan", "visualiser"}));
  EXPECT_EQ(StepLog(), Steps());  // lighting dropped
  EXPECT_EQ(StepLog(), Steps());  // no interfaces: the macro waits

  host_.plugged = kKeyboard;
  worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  EXPECT_EQ(StepLog(), Steps({"rescan", "disable", "enable", "macro 9"}));
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
}

TEST_F(WorkerTest, JobsNeedingNoKeyboardRunThenGetAnEmptyBracket) {
  host_.plugged = kKeyboard;
  worker_.QueueJob(JobCode::JOB_FIRST_SCAN);
  worker_.QueueJob(JobCode::JOB_FIRST_SCAN);
  worker_.QueueJob(JobCode::JOB_DEVICE_REMOVED);
  worker_.QueueJob(JobCode::JOB_CHECK_SOFTWARE);
  EXPECT_EQ(StepLog(), Steps({"rescan", "visualiser", "disable", "enable"}));
  EXPECT_EQ(StepLog(), Steps({"disable", "enable"}));  // a second first scan does nothing
  EXPECT_EQ(StepLog(), Steps({"rescan", "disable", "enable"}));
  EXPECT_EQ(StepLog(), Steps({"software", "disable", "enable"}));
  EXPECT_EQ(StepLog(), Steps());
}

TEST_F(WorkerTest, KeyboardJobsRunInsideTheBracketAndSettingsWritesPause) {
  PlugIn(kKeyboard);
  const std::vector<std::pair<JobCode, Steps>> cases = {
      {JobCode::JOB_LOAD_PAGES, {"disable", "pages", "enable"}},
      {JobCode::JOB_APPLY_KEYS, SettingsWrite("keys")},
      {JobCode::JOB_APPLY_LIGHTING, SettingsWrite("lighting")},
      {JobCode::JOB_APPLY_CUSTOM_LIGHT, SettingsWrite("custom")},
      {JobCode::JOB_FACTORY_RESET, SettingsWrite("reset")},
      {JobCode::JOB_CHECK_FIRMWARE, {"disable", "firmware", "enable"}},
      {JobCode::JOB_INSTALL_SOFTWARE, {"disable", "install", "enable"}},
      {JobCode::JOB_UPDATE_FIRMWARE, {"disable", "update", "enable"}},
  };
  for (const auto& [code, expected] : cases) {
    worker_.QueueJob(code);
    EXPECT_EQ(StepLog(), expected) << "job " << static_cast<int>(code);
  }
}

TEST_F(WorkerTest, TwoLightingChangesRunInConsecutiveSteps) {
  PlugIn(kKeyboard);
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  EXPECT_EQ(StepLog(), Steps());
}

TEST_F(WorkerTest, OneMacroPlaysPerStepEvenOneQueuedDuringTheJob) {
  PlugIn(kKeyboard);
  host_.duringLighting = [this] { worker_.QueueMacro(42); };
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  Steps expected = SettingsWrite("lighting");
  expected.push_back("macro 42");
  EXPECT_EQ(StepLog(), expected);

  worker_.QueueMacro(1);
  worker_.QueueMacro(2);
  EXPECT_EQ(StepLog(), Steps({"macro 1"}));
  EXPECT_EQ(StepLog(), Steps({"macro 2"}));
}

TEST_F(WorkerTest, UnknownCodesAreRemovedWithoutWork) {
  worker_.QueueJob(static_cast<JobCode>(4));
  worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  EXPECT_EQ(StepLog(), Steps());
  host_.plugged = kKeyboard;
  EXPECT_EQ(StepLog(), Steps({"rescan", "disable", "enable"}));

  worker_.QueueJob(static_cast<JobCode>(9));
  worker_.QueueJob(static_cast<JobCode>(99));
  worker_.QueueJob(JobCode::JOB_LOAD_PAGES);
  EXPECT_EQ(StepLog(), Steps({"disable", "enable"}));
  EXPECT_EQ(StepLog(), Steps({"disable", "enable"}));
  EXPECT_EQ(StepLog(), Steps({"disable", "pages", "enable"}));
}

TEST_F(WorkerTest, LiveLightingNeedsEveryCondition) {
  PlugIn(kKeyboard);
  const std::vector<std::pair<std::function<void()>, bool>> cases = {
      {[] {}, true},
      {[this] { host_.modeFlags = 0x400; }, true},
      {[this] { host_.deviceType = 199; }, true},
      {[this] { host_.visible = false; }, false},
      {[this] { host_.tab = 2; }, false},
      {[this] { host_.deviceType = 200; }, false},
      {[this] { host_.modeFlags = 0x100; }, false},
      {[this] { worker_.QueueJob(JobCode::JOB_CHECK_FIRMWARE); }, false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ShowMusicModeOnFamilyA();
    cases[i].first();
    const Steps steps = StepLog();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "live"), cases[i].second ? 1 : 0) << "case " << i;
  }
}

TEST_F(WorkerTest, WithoutAMatchedKeyboardJobsDropButIdleStepsGoOn) {
  ShowMusicModeOnFamilyA();
  worker_.QueueMacro(5);
  PlugIn(kReceiverOnly);  // the arrival itself returns before the macro
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
  EXPECT_EQ(StepLog(), Steps());
  EXPECT_EQ(StepLog(), Steps({"live", "macro 5"}));

  PlugIn({});
  worker_.QueueMacro(6);
  EXPECT_EQ(StepLog(), Steps());  // no interfaces at all: nothing, not even the macro
}

TEST(WorkerThreadTest, JobsAndMacrosFromTwoThreadsAllRunInTheirOrder) {
  constexpr std::uint32_t kCount = 300;
  Steps log;
  FakeClock clock;
  FakeHost host(log);
  host.plugged = kKeyboard;
  Worker worker(host, clock);
  worker.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  ASSERT_EQ(worker.Start(), 1);
  auto produce = [&worker](JobCode code, std::uint32_t firstMacro) {
    for (std::uint32_t i = 0; i < kCount; ++i) {
      worker.QueueJob(code);
      worker.QueueMacro(firstMacro + i);
    }
  };
  std::thread lighting(produce, JobCode::JOB_APPLY_LIGHTING, 0);
  std::thread custom(produce, JobCode::JOB_APPLY_CUSTOM_LIGHT, 1000);
  lighting.join();
  custom.join();
  worker.Stop();
  for (std::uint32_t i = 0; i < 2 * kCount + 1; ++i) worker.Step();  // whatever the thread left

  EXPECT_EQ(std::count(log.begin(), log.end(), "lighting"), kCount);
  EXPECT_EQ(std::count(log.begin(), log.end(), "custom"), kCount);
  std::vector<std::uint32_t> played[2];
  for (const std::string& entry : log) {
    if (entry.rfind("macro ", 0) != 0) continue;
    const auto id = static_cast<std::uint32_t>(std::stoul(entry.substr(6)));
    played[id >= 1000 ? 1 : 0].push_back(id % 1000);
  }
  for (const auto& ids : played) {
    ASSERT_EQ(ids.size(), kCount);
    for (std::uint32_t i = 0; i < kCount; ++i) EXPECT_EQ(ids[i], i);
  }
}

}  // namespace

namespace {

TEST_F(WorkerTest, ReturningKeyboardGetsItsLightingAgain) {
  host_.plugged = kKeyboard;
  PresenceJobQueue presence(worker_);
  presence.DeviceArrived();
  EXPECT_EQ(StepLog(), (Steps{"rescan", "disable", "enable"}));
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  presence.DeviceRemoved();
  host_.plugged = PresenceFlags{};
  EXPECT_EQ(StepLog(), (Steps{"rescan"}));
}

// A keyboard comes as three interfaces with a notice each: three rescans, then
// one lighting. A notice while the lighting runs still gets a lighting of its own.
TEST_F(WorkerTest, AKeyboardArrivingAsThreeInterfacesGetsItsLightingOnceAfterTheLastRescan) {
  host_.plugged = kKeyboard;
  PresenceJobQueue presence(worker_);
  for (int node = 0; node < 3; ++node) presence.DeviceArrived();
  for (int node = 0; node < 3; ++node) EXPECT_EQ(StepLog(), (Steps{"rescan", "disable", "enable"})) << node;
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  EXPECT_EQ(StepLog(), Steps());

  bool replugged = false;
  host_.duringLighting = [&] {
    if (!replugged) presence.DeviceArrived();
    replugged = true;
  };
  presence.DeviceArrived();
  EXPECT_EQ(StepLog(), (Steps{"rescan", "disable", "enable"}));
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  EXPECT_EQ(StepLog(), (Steps{"rescan", "disable", "enable"}));
  EXPECT_EQ(StepLog(), SettingsWrite("lighting"));
  EXPECT_EQ(StepLog(), Steps());
}

}  // namespace

namespace {

TEST_F(WorkerTest, AMacroStaysQueuedWhileItPlays) {
  host_.plugged = kKeyboard;
  worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  StepLog();
  bool emptyWhilePlaying = true;
  host_.duringMacro = [&] { emptyWhilePlaying = worker_.Empty(); };
  worker_.Append(9);
  EXPECT_FALSE(worker_.Empty());
  EXPECT_EQ(StepLog(), (Steps{"macro 9"}));
  EXPECT_FALSE(emptyWhilePlaying);  // a second macro key pressed now queues nothing
  EXPECT_TRUE(worker_.Empty());
}

}  // namespace
