// The demo's key source under the real key filter: keys pressed on the
// simulated T40, directly or through the key pipe, are reported when the
// table lists them and pass through the clone otherwise.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "macros/filter/KeyFilterDriver.h"
#include "macros/filter/KeyFilterTable.h"
#include "tests/demo/KeyCommandPipe.h"
#include "tests/demo/PassedKeysClone.h"
#include "tests/demo/SimulatedKeySource.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr std::uint16_t kVendor = 0x1209;
constexpr std::uint16_t kProduct = 0x0001;
// A safety limit only: a key that takes this long has been lost.
constexpr std::chrono::seconds kLost(10);

class DemoKeySource : public ::testing::Test {
 protected:
  // Serves the T40 with a table listing only KEY_A.
  void SetUp() override {
    const std::vector<std::uint16_t> codes{KeyFilterTable::layoutCodeOf(KEY_A)};
    filter_.loadTable(*KeyFilterTable::decode(KeyFilterTable::encode(codes)));
    filter_.commitTable();
    ASSERT_EQ(filter_.start(), FilterStatus::Running);
    ASSERT_TRUE(source_.WaitUntilServed());
  }

  std::optional<FilterKeyEvent> NextReported() { return filter_.keyEvents().pop(kLost); }

  SimulatedKeySource source_{kVendor, kProduct};
  PassedKeyLog passed_;
  KeyFilterDriver filter_{source_, [this] { return std::make_unique<PassedKeysClone>(passed_); },
                          {{kVendor, kProduct}}};
};

TEST_F(DemoKeySource, TableKeysAreReportedAndTheRestPassThroughTheClone) {
  EXPECT_EQ(source_.Press(KEY_B), KeyDelivery::ToFilter);
  source_.Release(KEY_B);
  source_.Press(KEY_A);
  source_.Release(KEY_A);

  const auto down = NextReported();
  const auto up = NextReported();
  ASSERT_TRUE(down && up);
  EXPECT_EQ(down->keyCode, KeyFilterTable::layoutCodeOf(KEY_A));
  EXPECT_TRUE(down->pressed);
  EXPECT_FALSE(up->pressed);
  // One reader handles the keys in order, so B went through before A was reported.
  EXPECT_EQ(passed_.Keys(), std::vector<int>{KEY_B});
}

TEST_F(DemoKeySource, KeysPressedWhileNobodyServesTheKeyboardAreNotKeptForLater) {
  filter_.stop();
  EXPECT_EQ(source_.Press(KEY_B), KeyDelivery::Unserved);
  EXPECT_EQ(source_.Release(KEY_B), KeyDelivery::Unserved);
  ASSERT_EQ(filter_.start(), FilterStatus::Running);
  ASSERT_TRUE(source_.WaitUntilServed());
  source_.Press(KEY_C);
  source_.Press(KEY_A);
  ASSERT_TRUE(NextReported());
  // B went to nobody while the filter was stopped; it does not come back after the restart.
  EXPECT_EQ(passed_.Keys(), std::vector<int>{KEY_C});
}

TEST_F(DemoKeySource, ThePipeTurnsLinesIntoKeysAndSkipsWhatItCannotRead) {
  testsupport::TempFolder folder;
  const std::string path = folder.Path() + "keys";
  KeyCommandPipe pipe(source_);
  ASSERT_TRUE(pipe.Start(path));
  // Written the way a shell would: separate opens, a line split over two writes.
  for (const std::string part : {"tap KEY_Z\nhold KEY_A\npress KEY_NOSUCH\n", "tap 4", "4\npre", "ss KEY_A\n"}) {
    FILE* writer = std::fopen(path.c_str(), "w");
    ASSERT_NE(writer, nullptr);
    std::fputs(part.c_str(), writer);
    std::fclose(writer);
  }
  const auto down = NextReported();
  ASSERT_TRUE(down);
  EXPECT_TRUE(down->pressed);
  // "tap 44" is KEY_Z by number; the two bad lines pressed nothing.
  EXPECT_EQ(passed_.Keys(), (std::vector<int>{KEY_Z, KEY_Z}));
  EXPECT_EQ(source_.Release(KEY_A), KeyDelivery::ToFilter);
  EXPECT_FALSE(NextReported()->pressed);
}

TEST(KeyCommandParse, NamesNumbersAndNonsense) {
  EXPECT_EQ(KeyCommandPipe::Parse("press KEY_LEFTSHIFT"), (KeyCommand{KeyAction::Press, KEY_LEFTSHIFT}));
  EXPECT_EQ(KeyCommandPipe::Parse("  release\tKEY_F12 \r"), (KeyCommand{KeyAction::Release, KEY_F12}));
  EXPECT_EQ(KeyCommandPipe::Parse("tap 30"), (KeyCommand{KeyAction::Tap, KEY_A}));
  for (const char* bad : {"", "tap", "tap KEY_", "tap key_a", "tap 0", "tap 30x", "tap REL_X", "push KEY_A"}) {
    EXPECT_FALSE(KeyCommandPipe::Parse(bad)) << bad;
  }
}

}  // namespace
