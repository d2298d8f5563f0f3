// A process killed while it saves a macro's steps must leave either the old
// steps or the new ones, never a half-saved macro.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/store/StoreFixture.h"

namespace {

using CrashSafety = StoreFixture;

constexpr int kOldSteps = 300;
constexpr int kNewSteps = 500;

std::vector<StepRecord> Steps(int count, int value) {
  return std::vector<StepRecord>(count, StepRecord{0, 0, 2, 0, value, 5, u"key"});
}

// Runs in the child: saves the two versions alternately until killed.
[[noreturn]] void SaveForever(const std::string& folder, int macroId, int readyFd) {
  ProfileStore store;
  if (!store.OpenDeviceDatabase(folder, u"Test Board")) _exit(2);
  const char ready = 'r';
  if (write(readyFd, &ready, 1) != 1) _exit(3);
  for (int round = 0;; ++round) store.ReplaceSteps(macroId, round % 2 == 0 ? Steps(kNewSteps, 2) : Steps(kOldSteps, 1));
}

TEST_F(CrashSafety, KilledWhileSavingStepsKeepsOneWholeVersion) {
  const int macro = store_.AddMacro(u"guarded");
  ASSERT_TRUE(store_.ReplaceSteps(macro, Steps(kOldSteps, 1)));
  store_.Close();  // a connection must not cross fork()
  for (int attempt = 0; attempt < 6; ++attempt) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(folder_.Path(), macro, pipeFds[1]);
    char ready = 0;
    ASSERT_EQ(read(pipeFds[0], &ready, 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * attempt));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    close(pipeFds[1]);
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
    std::vector<StepRecord> steps;
    const int count = store_.ListSteps(macro, steps);
    ASSERT_TRUE(count == kOldSteps || count == kNewSteps) << "attempt " << attempt << ": " << count << " steps";
    for (const StepRecord& s : steps) ASSERT_EQ(s.value, count == kOldSteps ? 1 : 2);
    store_.Close();
  }
  EXPECT_EQ(QueryText("PRAGMA integrity_check"), "ok");
}

}  // namespace
