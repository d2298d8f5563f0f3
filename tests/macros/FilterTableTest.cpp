// The filter table's bytes and programKeyFilter's sequence of control
// operations, against a real profile store.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "macros/filter/KeyFilterProgrammer.h"
#include "macros/filter/KeyFilterTable.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// --- the table --------------------------------------------------------------

TEST(FilterTable, EntriesAreLittleEndianCodesFollowedBySevenAndTwo) {
  const std::vector<std::uint16_t> codes{0x104, 0x1E0, 0x0329};
  const auto bytes = KeyFilterTable::encode(codes);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12),
            (Bytes{0x04, 0x01, 0x07, 0x02, 0xE0, 0x01, 0x07, 0x02, 0x29, 0x03, 0x07, 0x02}));
  EXPECT_TRUE(std::all_of(bytes.begin() + 12, bytes.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(FilterTable, DecodeAcceptsOnlyTheClearAndTableInputs) {
  EXPECT_TRUE(KeyFilterTable::decode(Bytes(256, 0))->empty());
  EXPECT_TRUE(KeyFilterTable::decode(Bytes(1024, 0))->empty());
  Bytes notZero(256, 0);
  notZero[10] = 1;
  EXPECT_FALSE(KeyFilterTable::decode(notZero));
  EXPECT_FALSE(KeyFilterTable::decode(Bytes(512, 0)));
  EXPECT_FALSE(KeyFilterTable::decode(Bytes{}));
}

TEST(FilterTable, LayoutCodeIsTheUsagePlus0x100AndNothingForMediaKeys) {
  EXPECT_EQ(KeyFilterTable::layoutCodeOf(KEY_A), 0x104);
  EXPECT_EQ(KeyFilterTable::layoutCodeOf(KEY_LEFTCTRL), 0x1E0);
  EXPECT_EQ(KeyFilterTable::layoutCodeOf(KEY_VOLUMEUP), 0);
  // Code 0 marks "no key", so it never matches, even in a table that lists it.
  std::vector<std::uint16_t> codes{0x100};
  EXPECT_FALSE(KeyFilterTable::decode(KeyFilterTable::encode(codes))->contains(0));
}

// --- programKeyFilter -----------------------------------------------------------

// Logs the control operations by name, with the tables loaded and the rows handed to playback.
class CallLog : public KeyFilterControl {
 public:
  bool loadTable(std::span<const std::uint8_t> input) override {
    calls.push_back("load");
    loads.emplace_back(input.begin(), input.end());
    return true;
  }
  void commitTable() override { calls.push_back("commit"); }
  FilterStatus startFiltering() override {
    calls.push_back("start");
    return FilterStatus::Running;
  }
  void startMonitor() override { calls.push_back("startMonitor"); }
  void stopMonitor() override { calls.push_back("stopMonitor"); }

  KeyFilterProgrammer::Links links() {
    return {[this] { calls.push_back("reset"); },
            [this](const std::vector<KeyAssignmentRecord>& handed) {
              calls.push_back("rows");
              rows.clear();
              for (const auto& row : handed) rows.push_back(row.keyCode);
            }};
  }

  std::vector<std::string> calls;
  std::vector<Bytes> loads;
  std::vector<int> rows;
};

class FilterProgramming : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_.Path() + "db");
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), u"Filter Board"));
  }

  void assign(int profile, int layer, int keyCode) {
    KeyAssignmentRecord row;
    row.profile = profile;
    row.layer = layer;
    row.keyCode = keyCode;
    row.macroType = 2;
    row.macroValue = 4;
    ASSERT_NE(store_.SaveKeyAssignment(row), 0);
  }

  Bytes tableOf(const std::vector<std::uint16_t>& codes) {
    const auto bytes = KeyFilterTable::encode(codes);
    return Bytes(bytes.begin(), bytes.end());
  }

  testsupport::TempFolder folder_;
  ProfileStore store_;
  CallLog log_;
  KeyFilterProgrammer programmer_{log_, store_, log_.links()};
};

TEST_F(FilterProgramming, RunsTheOperationsInOrderWithTheProfilesKeys) {
  assign(1, 0, 0x104);
  EXPECT_EQ(programmer_.programKeyFilter(1, 0), FilterStatus::Running);
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"reset", "stopMonitor", "load", "rows", "load", "commit", "start",
                                                  "startMonitor"}));
  EXPECT_EQ(log_.loads, (std::vector<Bytes>{Bytes(256, 0), tableOf({0x104})}));
  EXPECT_EQ(log_.rows, std::vector<int>{0x104});
}

TEST_F(FilterProgramming, AProfileWithoutAssignmentsLoadsAnAllZeroTable) {
  assign(2, 0, 0x104);  // another profile's key must not leak in
  programmer_.programKeyFilter(1, 0);
  EXPECT_EQ(log_.loads.back(), Bytes(1024, 0));
  EXPECT_TRUE(log_.rows.empty());
}

TEST_F(FilterProgramming, OnlyTheRequestedLayerIsLoaded) {
  assign(1, 0, 0x104);
  assign(1, 1, 0x105);
  programmer_.programKeyFilter(1, 1);
  EXPECT_EQ(log_.loads.back(), tableOf({0x105}));
}

TEST_F(FilterProgramming, FullTableKeepsDatabaseOrderAndRowsBeyond256AreLeftOut) {
  std::vector<std::uint16_t> codes;
  ASSERT_TRUE(store_.RunInTransaction([&] {
    // Descending codes, so database order differs from sorted order.
    for (int i = 0; i < 300; ++i) {
      codes.push_back(static_cast<std::uint16_t>(0x400 - i));
      assign(1, 0, 0x400 - i);
    }
    return true;
  }));
  programmer_.programKeyFilter(1, 0);
  codes.resize(256);
  EXPECT_EQ(log_.loads.back(), tableOf(codes));
  ASSERT_EQ(log_.rows.size(), 256u);
  EXPECT_EQ(log_.rows.front(), 0x400);
  EXPECT_EQ(log_.rows.back(), 0x400 - 255);
}

TEST_F(FilterProgramming, ExactlyTwoHundredFiftySixKeysAllFit) {
  std::vector<std::uint16_t> codes;
  ASSERT_TRUE(store_.RunInTransaction([&] {
    for (int i = 0; i < 256; ++i) {
      codes.push_back(static_cast<std::uint16_t>(0x200 + i));
      assign(1, 0, 0x200 + i);
    }
    return true;
  }));
  programmer_.programKeyFilter(1, 0);
  EXPECT_EQ(log_.loads.back(), tableOf(codes));
}

TEST_F(FilterProgramming, StopStopsTheMonitorThenClearsTheTable) {
  programmer_.stopKeyFilter();
  EXPECT_EQ(log_.calls, (std::vector<std::string>{"stopMonitor", "load"}));
  EXPECT_EQ(log_.loads, std::vector<Bytes>{Bytes(256, 0)});
}

}  // namespace
