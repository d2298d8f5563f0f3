// A child process keeps saving macros with their steps through the profile
// store and tells the parent each one it saw committed; the parent kills it
// with SIGKILL at a random moment. Whatever moment it was, the database must
// open again, pass SQLite's integrity check and hold every reported macro
// whole (a macro and its steps go in one transaction).
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/Paths.h"
#include "store/ProfileStore.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kStepsPerMacro = 6;
const std::u16string kKeyboard = u"Saves";

// 50 by default; PELMORA_KILL_ROUNDS asks for another count.
int RoundCount() {
  const char* value = std::getenv("PELMORA_KILL_ROUNDS");
  return value != nullptr ? std::atoi(value) : 50;
}

std::vector<StepRecord> Steps(int macroNumber) {
  std::vector<StepRecord> steps;
  for (int i = 0; i < kStepsPerMacro; ++i) {
    StepRecord step;
    step.type = i % 2 == 0 ? 2 : 3;
    step.recordIndex = i;
    step.value = 0x41 + macroNumber % 26;
    step.delayTime = 10 * i;
    step.description = u"step";
    steps.push_back(step);
  }
  return steps;
}

// The child: saves until killed, writing each committed macro's id to `out`.
[[noreturn]] void SaveForever(const std::string& folder, int out, int firstNumber) {
  ProfileStore store;
  if (!store.OpenDeviceDatabase(folder, kKeyboard)) _exit(2);
  for (int number = firstNumber;; ++number) {
    MacroRecord macro;
    const std::string digits = std::to_string(number);
    macro.name = u"macro " + std::u16string(digits.begin(), digits.end());
    int id = 0;
    if (!store.AddMacroWithSteps(macro, Steps(number), id)) _exit(3);
    if (write(out, &id, sizeof id) != sizeof id) _exit(4);
  }
}

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return result;
}

// Runs one child and kills it after `reports` reports plus `extraMicros`; the ids it reported.
std::vector<int> SaveAndKill(const std::string& folder, int firstNumber, int reports, int extraMicros) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    SaveForever(folder, pipeEnds[1], firstNumber);
  }
  close(pipeEnds[1]);
  std::vector<int> ids;
  int id = 0;
  while (static_cast<int>(ids.size()) < reports && read(pipeEnds[0], &id, sizeof id) == sizeof id) ids.push_back(id);
  std::this_thread::sleep_for(std::chrono::microseconds(extraMicros));
  kill(child, SIGKILL);
  while (read(pipeEnds[0], &id, sizeof id) == sizeof id) ids.push_back(id);  // reports written before the kill
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saver ended by itself: " << status;
  return ids;
}

TEST(KillDuringSavesTest, EveryReportedSaveSurvivesSigkillAtARandomMoment) {
  testsupport::TempFolder folder;
  ASSERT_TRUE(CreateFolderTree(folder.Path() + "db"));
  const std::string path = ProfileStore::DatabasePath(folder.Path(), kKeyboard);
  std::mt19937 random(std::random_device{}());
  std::vector<int> committed;
  std::set<int> checked;  // macros found whole in an earlier round
  const int rounds = RoundCount();
  for (int round = 0; round < rounds; ++round) {
    const int reports = std::uniform_int_distribution<int>(0, 40)(random);
    const int extraMicros = std::uniform_int_distribution<int>(0, 20000)(random);
    const std::vector<int> ids = SaveAndKill(folder.Path(), round * 1000, reports, extraMicros);
    committed.insert(committed.end(), ids.begin(), ids.end());

    ASSERT_EQ(IntegrityCheck(path), "ok") << "round " << round;
    ProfileStore reopened;
    ASSERT_TRUE(reopened.OpenDeviceDatabase(folder.Path(), kKeyboard)) << "round " << round;
    std::vector<MacroRecord> macros;
    reopened.ListMacros(macros);
    std::set<int> present;
    for (const MacroRecord& macro : macros) present.insert(macro.macroId);
    int missing = 0;
    for (int id : committed) missing += present.count(id) == 0 ? 1 : 0;
    EXPECT_EQ(missing, 0) << "round " << round << " of " << committed.size() << " committed";
    // Every macro this round added, reported or cut off by the kill, stands whole with its steps.
    std::vector<int> added;
    std::set_difference(present.begin(), present.end(), checked.begin(), checked.end(), std::back_inserter(added));
    for (int id : added) EXPECT_EQ(reopened.CountSteps(id), kStepsPerMacro) << "macro " << id;
    checked = std::move(present);
    reopened.Close();
  }
  std::printf("%d kill -9 rounds: %zu reported macros all found, %zu more committed unreported before a kill\n", rounds,
              committed.size(), checked.size() - committed.size());
}

}  // namespace
