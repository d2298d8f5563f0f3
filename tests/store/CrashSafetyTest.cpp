// A process killed while it saves a macro's steps must leave either the old
// steps or the new ones, never a half-saved macro; one killed while it creates
// a database must leave a file that the next start opens and can save to.
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

// Runs in the child: creates the database from nothing, over and over, until killed.
[[noreturn]] void CreateForever(const std::string& folder, int readyFd) {
  const char ready = 'r';
  if (write(readyFd, &ready, 1) != 1) _exit(3);
  for (;;) {
    ProfileStore store;
    store.DeleteDeviceDatabase(folder, u"Test Board");
    store.OpenDeviceDatabase(folder, u"Test Board");
    store.Close();
  }
}

TEST_F(CrashSafety, KilledWhileCreatingTheDatabaseLeavesOneThatOpensAndSaves) {
  store_.Close();
  for (int attempt = 0; attempt < 8; ++attempt) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) CreateForever(folder_.Path(), pipeFds[1]);
    char ready = 0;
    ASSERT_EQ(read(pipeFds[0], &ready, 1), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + 5 * attempt));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    close(pipeFds[1]);
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard)) << "attempt " << attempt;
    ASSERT_GT(store_.AddProfile(ProfileRecord{0, u"p", u"", 0, 0}), 0) << "attempt " << attempt;
    ASSERT_EQ(store_.ReplaceSteps(store_.AddMacro(u"m"), Steps(3, 1)), true) << "attempt " << attempt;
    store_.Close();
    EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name LIKE 't\\_%' ESCAPE '\\'"), 9);
  }
}

}  // namespace
