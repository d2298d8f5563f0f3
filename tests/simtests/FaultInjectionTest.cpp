// Injected faults: refused writes, failed and spoiled gets, refused opens and
// a keyboard pulled out in the middle of a chunked transfer.
#include <array>
#include <memory>

#include "tests/sim/FamilyAFirmware.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

using hidsim::Bytes;

class FaultInjection : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    kb_ = bus_.PlugKeyboard(0x1209, 0x0001, fw_);
    h_ = Open(kb_.vendor);
    ASSERT_NE(h_, nullptr);
  }

  std::shared_ptr<hidsim::FamilyBFirmware> fw_ = std::make_shared<hidsim::FamilyBFirmware>();
  hidsim::Bus::KeyboardIds kb_;
  hid_device* h_ = nullptr;
};

TEST_F(FaultInjection, RefusedWritesFailOnceEachAndNeverReachTheModel) {
  bus_.RefuseOutputWrites(kb_.vendor, 1);
  bus_.RefuseFeatureSends(kb_.vendor, 2);
  const Bytes chunk = Report({0x00, 0x8B, 3, 0, 0, 0x11, 0x22, 0x33});
  EXPECT_EQ(Write(h_, chunk), -1);
  EXPECT_NE(std::wstring(hid_error(h_)), L"Success");
  EXPECT_EQ(fw_->CustomColours()[0], 0);
  EXPECT_EQ(Write(h_, chunk), 65);
  EXPECT_STREQ(hid_error(h_), L"Success");
  EXPECT_EQ(fw_->CustomColours()[0], 0x11);

  EXPECT_EQ(Send(h_, Feature({0x07, 0xF0, 0xAA})), -1);
  EXPECT_EQ(Send(h_, Feature({0x07, 0xF0, 0xAA})), -1);
  EXPECT_EQ(Send(h_, Feature({0x07, 0xF0, 0xAA})), 8);
  EXPECT_EQ(fw_->ResetCount(), 1);

  const auto frames = fw_->Frames();
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_TRUE(frames[0].refused);
  EXPECT_EQ(frames[0].bytes, chunk);
  EXPECT_FALSE(frames[1].refused);
  EXPECT_TRUE(frames[2].refused && frames[3].refused);
  EXPECT_EQ(fw_->Writes().size(), 2u);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
}

TEST_F(FaultInjection, FaultsStayOnTheirInterface) {
  bus_.RefuseOutputWrites(kb_.stream, 5);
  EXPECT_EQ(Write(h_, Report({0x00, 0x8B, 1})), 65);
}

TEST_F(FaultInjection, AFailedGetLeavesTheQueuedReplyForTheNextGet) {
  std::array<std::uint8_t, 28> table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i + 1);
  fw_->SetSlotTable(table);
  Send(h_, Feature({0x07, 0xFB, 0x01}));
  bus_.FailGetFeatures(kb_.vendor, 1);
  EXPECT_TRUE(Get(h_).empty());
  EXPECT_EQ(Get(h_), (Bytes{0x07, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Get(h_), (Bytes{0x07, 8, 9, 10, 11, 12, 13, 14}));
  EXPECT_TRUE(fw_->Frames()[1].refused);
}

TEST_F(FaultInjection, WrongReportIdSpoilsOnlyByteZero) {
  fw_->SetFirmwareVersion(0x0102);
  Send(h_, Feature({0x07, 0xFD}));
  bus_.WrongReportIdOnGets(kb_.vendor, 2);
  EXPECT_EQ(Get(h_), (Bytes{0x00, 0x01, 0x02, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Get(h_), (Bytes{0x00, 0x01, 0x02, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Get(h_), (Bytes{0x07, 0x01, 0x02, 0, 0, 0, 0, 0}));
}

TEST_F(FaultInjection, CannedRepliesAnswerInsteadOfTheModel) {
  bus_.CannedGetReplies(kb_.vendor, {Bytes{0x06, 0xAB, 0xCD, 0, 0, 0, 0, 0}, Bytes{}});
  EXPECT_EQ(Get(h_), (Bytes{0x06, 0xAB, 0xCD, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(Get(h_).empty());  // an empty canned reply is a failed get
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
  Get(h_);  // the model again, with nothing asked for
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 1u);
}

TEST_F(FaultInjection, KeyboardUnplugsAfterTheGivenNumberOfFrames) {
  hid_device* stream = Open(kb_.stream);
  bus_.UnplugAfterFrames(kb_.vendor, 3);
  Send(h_, Feature({0x07, 0xFD}));      // frames on other interfaces do not count
  Get(h_);                               // 2 of 3
  EXPECT_EQ(Write(stream, Report({0x00, 0x8B})), 65);
  int written = 0;
  for (int k = 0; k < 8; ++k) {
    const auto offset = static_cast<std::uint8_t>(60 * k);
    if (Write(h_, Report({0x00, 0x8B, 60, offset, 0, 0xEE})) == 65) ++written;
  }
  EXPECT_EQ(written, 1);
  EXPECT_FALSE(bus_.IsPlugged(kb_.keys));
  EXPECT_FALSE(bus_.IsPlugged(kb_.stream));
  EXPECT_EQ(Write(stream, Report({0x00, 0x8B})), -1);
  EXPECT_EQ(fw_->CustomColours()[0], 0xEE);
  EXPECT_EQ(fw_->CustomColours()[60], 0);
}

TEST_F(FaultInjection, RefusedOpenFailsOnlyTheGivenNumberOfTimes) {
  bus_.RefuseOpens(kb_.vendor, 1);
  EXPECT_EQ(Open(kb_.vendor), nullptr);
  EXPECT_NE(Open(kb_.keys), nullptr);
  EXPECT_NE(Open(kb_.vendor), nullptr);
}

}  // namespace
