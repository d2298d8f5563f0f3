// The user-interface thread and the worker call the store at the same time;
// every operation must stay whole. Also run under ThreadSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/store/StoreFixture.h"

namespace {

using StoreConcurrency = StoreFixture;

TEST_F(StoreConcurrency, WritersAndReadersOnTwoThreadsSeeWholeOperations) {
  constexpr int kRounds = 150;
  const int macro = store_.AddMacro(u"shared");
  std::atomic<bool> torn{false};
  std::thread writer([&] {
    for (int i = 0; i < kRounds; ++i) {
      store_.SaveKeyAssignment(KeyAssignmentRecord{0, 1, 0, 0x100 + i, 0, u"", 2, i + 1, 0, 0, u""});
      std::vector<StepRecord> steps(4, StepRecord{0, 0, 2, 0, i, 0, u""});
      store_.ReplaceSteps(macro, steps);
    }
  });
  std::thread reader([&] {
    for (int i = 0; i < kRounds; ++i) {
      std::vector<StepRecord> steps;
      const int count = store_.ListSteps(macro, steps);
      // A replace is all or nothing: never a mix of two generations.
      if (count != 0 && count != 4) torn = true;
      for (const StepRecord& s : steps) torn = torn || s.value != steps[0].value;
      std::vector<KeyAssignmentRecord> keys;
      store_.ListKeyAssignments(1, 0, keys);
    }
  });
  writer.join();
  reader.join();
  EXPECT_FALSE(torn);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data"), kRounds);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord"), 4);
}

TEST_F(StoreConcurrency, ClosingWhileAnotherThreadWorksNeverCrashes) {
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) {
      std::vector<ProfileRecord> profiles;
      store_.ListProfiles(profiles);
      store_.AddProfile(ProfileRecord{0, u"p", u"", 0, 0});
    }
  });
  for (int i = 0; i < 20; ++i) {
    store_.Close();
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
  }
  stop = true;
  worker.join();
  EXPECT_GT(QueryInt("SELECT count(*) FROM t_profile_data"), 0);
}

}  // namespace
