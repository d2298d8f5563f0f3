// What a long-running viewer of a model relies on: the change count moves
// with every frame the model understood and with nothing else, and a log
// limit keeps the newest frames and music levels while the state stays.
#include <memory>

#include "tests/sim/FamilyBFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

class FirmwareLog : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    vendor_ = bus_.PlugKeyboard(0x1209, 0x0001, fw_).vendor;
    h_ = Open(vendor_);
    ASSERT_NE(h_, nullptr);
  }
  void Level(std::uint8_t value) { ASSERT_EQ(Send(h_, Feature({0x07, 0x23, 0x45, 0x67, 0x89, 1, value})), 8); }

  std::shared_ptr<hidsim::FamilyBFirmware> fw_ = std::make_shared<hidsim::FamilyBFirmware>();
  int vendor_ = -1;
  hid_device* h_ = nullptr;
};

TEST_F(FirmwareLog, TheChangeCountFollowsUnderstoodFramesOnly) {
  const auto start = fw_->ChangeCount();
  const auto lighting = Feature({0x07, 0xFF, 0xFF, 3, 2, 1, 0, 0});
  Send(h_, lighting);
  EXPECT_EQ(fw_->ChangeCount(), start + 1);
  Send(h_, Feature({0x07, 0x42}));  // no such command
  bus_.RefuseFeatureSends(vendor_, 1);
  Send(h_, lighting);  // refused at the door
  Get(h_);             // a read changes nothing
  EXPECT_EQ(fw_->ChangeCount(), start + 1);
}

TEST_F(FirmwareLog, ALimitKeepsTheNewestFramesAndLevelsButNotLessThanItSays) {
  fw_->SetFrameLogLimit(4);
  Send(h_, Feature({0x07, 0xFF, 0xFF, 6, 2, 1, 0, 0}));
  for (std::uint8_t v = 1; v <= 20; ++v) Level(v);
  const auto frames = fw_->Frames();
  const auto levels = fw_->MusicLevels();
  EXPECT_GE(frames.size(), 4u);
  EXPECT_LE(frames.size(), 8u);
  EXPECT_EQ(frames.back().bytes[6], 20);
  ASSERT_GE(levels.size(), 4u);
  EXPECT_LE(levels.size(), 8u);
  EXPECT_EQ(levels.back().value, 20);
  EXPECT_EQ(levels[levels.size() - 4].value, 17);  // the last four in order
  EXPECT_EQ(fw_->LastMusicLevel()->value, 20);
  ASSERT_TRUE(fw_->Lighting());
  EXPECT_EQ(fw_->Lighting()->modeIndex, 6);  // the state outlives its frame in the log
}

}  // namespace
