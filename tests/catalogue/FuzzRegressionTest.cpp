#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/XmlDocumentFuzzBody.h"

// Inputs that once crashed or broke the written form; each must now run clean.
TEST(XmlDocumentFuzzRegressions, EveryKeptInputRunsClean) {
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FUZZ_REGRESSION_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    FuzzXmlDocumentOnce(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}
