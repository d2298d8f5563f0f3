// Playback against a real profile store in a temporary folder, a virtual
// device whose writes are recorded, a macro queue and a clock that runs a
// hook on every pause. Writes read as text ("kbd[4,224]", "mouse[5]",
// "cons[233]", "fourth"), so a test states the sequence it expects.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "device/KeyCodes.h"
#include "macros/playback/MacroPlayer.h"
#include "macros/playback/MacroQueue.h"
#include "macros/virtualdevice/VHidev.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/sim/VirtualClock.h"
#include "tests/support/TempFolder.h"

namespace playbacktest {

/// A virtual clock that calls a hook on the sleeping thread after every pause.
class HookClock : public Clock {
 public:
  /// Records the pause, then runs the hook.
  void SleepMs(std::uint32_t milliseconds) override {
    inner.SleepMs(milliseconds);
    if (onSleep) onSleep(milliseconds);
  }
  /// The virtual time.
  std::uint64_t NowMs() override { return inner.NowMs(); }

  hidsim::VirtualClock inner;                  ///< keeps the pauses
  std::function<void(std::uint32_t)> onSleep;  ///< set before any thread sleeps
};

/// The worker's queue; only ever used from one thread at a time here.
class FakeMacroQueue : public MacroQueue {
 public:
  /// True when no id is queued.
  bool Empty() const override { return ids.empty(); }
  /// Queues the id.
  void Append(std::uint32_t macroId) override { ids.push_back(macroId); }

  std::deque<std::uint32_t> ids;  ///< queued ids, oldest first
};

/// One 64-byte write as text.
inline std::string Describe(const FakeVirtualHidBackend::Write64& w) {
  if (w[1] == VHidev::kMouseReport) return "mouse[" + std::to_string(w[2]) + "]";
  if (w[1] == VHidev::kConsumerReport) return "cons[" + std::to_string(w[2] | (w[3] << 8)) + "]";
  if (w[1] != VHidev::kKeyboardReport) return "fourth";
  std::string keys;
  for (int usage = 0; usage < 256; ++usage) {
    if ((w[2 + usage / 8] >> (usage % 8)) & 1) keys += (keys.empty() ? "" : ",") + std::to_string(usage);
  }
  return "kbd[" + keys + "]";
}

/// Joins write sequences.
inline std::vector<std::string> Seq(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

/// The four writes of resetReports.
inline const std::vector<std::string> kReset{"kbd[]", "mouse[0]", "cons[0]", "fourth"};

/// Virtual keys as macro steps store them (A plays as 4, Volume Up as consumer 0xE9) and step types.
constexpr int kVkA = 65, kVkVolumeUp = 175, kPress = 2, kRelease = 3;

/// One macro step.
struct Step {
  int type;        ///< kPress or kRelease
  int virtualKey;  ///< what the step stores
  int delay;       ///< ms after the step
};

/// An assignment row.
inline KeyAssignmentRecord Row(int keyCode, AssignmentType type, int value) {
  KeyAssignmentRecord row;
  row.keyCode = keyCode;
  row.macroType = static_cast<int>(type);
  row.macroValue = value;
  return row;
}

class PlaybackTest : public ::testing::Test {
 protected:
  static constexpr int kMacroKey = 30, kKeyB = 40;  // assigned: macro 1, output code 5
  static constexpr std::size_t kRunawayPauses = 1000;

  void SetUp() override {
    ASSERT_TRUE(CreateFolderTree(folder_.Path() + "db"));
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), u"Board"));
    clock_.onSleep = [this](std::uint32_t ms) { RecordPause(ms); };
    player_.setAssignedKeys({Row(kMacroKey, AssignmentType::Macro, 1), Row(kKeyB, AssignmentType::Key, 5)});
  }
  void TearDown() override { store_.Close(); }

  /// Stores a macro with its steps; its id.
  std::uint32_t AddMacro(MacroLoop loop, int playTimes, const std::vector<Step>& steps) {
    MacroRecord macro;
    macro.playTimes = playTimes;
    macro.loopType = static_cast<int>(loop);
    const int id = store_.AddMacro(macro);
    std::vector<StepRecord> records;
    for (const Step& s : steps) records.push_back({0, id, s.type, 0, s.virtualKey, s.delay, u""});
    EXPECT_TRUE(id > 0 && (steps.empty() || store_.ReplaceSteps(id, records)));
    return static_cast<std::uint32_t>(id);
  }

  /// Notes a pause; ends a macro that never stops, so a broken stop fails instead of hanging.
  void RecordPause(std::uint32_t ms) {
    pauses_.push_back({backend_->writes.size(), ms});
    if (pauses_.size() != kRunawayPauses) return;
    ADD_FAILURE() << "the macro did not stop";
    player_.shutDown();
  }

  /// Every write so far as text, with the pauses between them ("wait 10").
  std::vector<std::string> Timeline() const {
    std::vector<std::string> texts;
    auto pause = pauses_.begin();
    for (std::size_t i = 0; i <= backend_->writes.size(); ++i) {
      for (; pause != pauses_.end() && pause->first == i; ++pause) {
        texts.push_back("wait " + std::to_string(pause->second));
      }
      if (i < backend_->writes.size()) texts.push_back(Describe(backend_->writes[i]));
    }
    return texts;
  }
  /// Every write so far as text.
  std::vector<std::string> Writes() const {
    std::vector<std::string> texts = Timeline();
    std::erase_if(texts, [](const std::string& text) { return text.starts_with("wait "); });
    return texts;
  }

  testsupport::TempFolder folder_;
  ProfileStore store_;
  std::unique_ptr<FakeVirtualHidBackend> ownedBackend_ = std::make_unique<FakeVirtualHidBackend>();
  FakeVirtualHidBackend* backend_ = ownedBackend_.get();
  VHidev device_{std::move(ownedBackend_)};
  FakeMacroQueue queue_;
  HookClock clock_;
  MacroPlayer player_{device_, store_, queue_, clock_};
  std::vector<std::pair<std::size_t, std::uint32_t>> pauses_;  // (writes before the pause, ms)
};

}  // namespace playbacktest
