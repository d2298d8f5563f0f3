#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/LanguageFileFuzzBody.h"

// Inputs that once broke the language-file reader; each must now run clean. Each runs in a child process, so
// one that still aborts fails under its own name instead of taking the whole test binary down.
TEST(LanguageFileFuzzRegressions, EveryKeptInputRunsClean) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FUZZ_REGRESSION_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EXIT(
        {
          FuzzLanguageFileOnce(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
          std::exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << entry.path().filename();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}
