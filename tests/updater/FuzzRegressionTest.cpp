#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/UpdateAnswerFuzzBody.h"
#include "tests/fuzz/ZipUnpackerFuzzBody.h"

namespace {

// Each kept input runs in a child process, so one that still aborts fails
// under its own name instead of taking the whole test binary down.
int ReplayEach(const char* folder, void (*body)(const std::uint8_t*, std::size_t)) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EXIT(
        {
          body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
          std::exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << entry.path().filename();
    ++replayed;
  }
  return replayed;
}

TEST(UpdaterFuzzRegressions, EveryKeptInputRunsClean) {
  EXPECT_GT(ReplayEach(UPDATE_ANSWER_REGRESSION_DIR, FuzzUpdateAnswerOnce), 0);
  EXPECT_GT(ReplayEach(ZIP_UNPACKER_REGRESSION_DIR, FuzzZipUnpackerOnce), 0);
}

}  // namespace
