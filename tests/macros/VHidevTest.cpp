#include "macros/virtualdevice/VHidev.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeVirtualHidBackend.h"

namespace {

using Write64 = FakeVirtualHidBackend::Write64;
using Writes = std::vector<Write64>;

// The expected write: marker, report id, then the listed (index, value) bytes of the inner report.
Write64 Frame(int reportId, std::initializer_list<std::pair<int, int>> bytes = {}) {
  Write64 w{0x05, static_cast<std::uint8_t>(reportId)};
  for (auto [index, value] : bytes) w[2 + index] = static_cast<std::uint8_t>(value);
  return w;
}

class VHidevTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_.openVirtualDevice()); }

  std::unique_ptr<FakeVirtualHidBackend> owned_ = std::make_unique<FakeVirtualHidBackend>();
  FakeVirtualHidBackend* backend_ = owned_.get();
  VHidev device_{std::move(owned_)};
};

TEST_F(VHidevTest, KeyboardUsagesLandInTheirBitOfTheBitmap) {
  device_.setKey(4, true);    // A: byte 0, bit 4
  device_.setKey(224, true);  // left Ctrl: byte 28, bit 0
  device_.setKey(4, false);
  device_.setKey(255, true);  // byte 31, bit 7
  device_.setKey(256, true);  // the byte index wraps (AND 31): byte 0, bit 0
  EXPECT_EQ(backend_->writes, (Writes{Frame(1, {{0, 0x10}}), Frame(1, {{0, 0x10}, {28, 1}}), Frame(1, {{28, 1}}),
                                      Frame(1, {{28, 1}, {31, 0x80}}), Frame(1, {{0, 1}, {28, 1}, {31, 0x80}})}));
}

TEST_F(VHidevTest, MouseConsumerAndResetReports) {
  device_.setMouseButton(2, true);
  device_.setMouseButton(8, true);  // no such bit: written unchanged
  device_.setConsumer(0x183);
  device_.resetReports();
  EXPECT_EQ(backend_->writes, (Writes{Frame(2, {{0, 4}}), Frame(2, {{0, 4}}), Frame(3, {{0, 0x83}, {1, 1}}),
                                      Frame(1), Frame(2), Frame(3), Frame(4)}));
}

TEST_F(VHidevTest, RawReportsFillTheWriteAndAreRefusedWhenTooLongOrClosed) {
  std::array<std::uint8_t, 63> bytes;
  bytes.fill(0xAA);
  EXPECT_EQ(device_.sendReport(7, bytes.data(), 62), 64);
  Write64 full;
  full.fill(0xAA);
  full[0] = 0x05;
  full[1] = 7;
  EXPECT_EQ(backend_->writes, Writes{full});
  EXPECT_EQ(device_.sendReport(7, bytes.data(), 63), -1);
  device_.closeVirtualDevice();
  EXPECT_EQ(device_.sendReport(7, bytes.data(), 2), -1);
  EXPECT_EQ(backend_->writes.size(), 1u);
}

TEST_F(VHidevTest, OpeningAgainKeepsTheOpenDevice) {
  EXPECT_TRUE(device_.openVirtualDevice());
  EXPECT_EQ(backend_->closeCount, 0);
  device_.closeVirtualDevice();
  backend_->refuseOpen = true;
  EXPECT_FALSE(device_.openVirtualDevice());
}

}  // namespace
