// The family A model decodes lighting, the key table, macro buffers and the
// live stream, each on the interface it belongs to.
#include <memory>

#include "tests/sim/FamilyAFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

using hidsim::Bytes;

class FamilyA : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    kb_ = bus_.PlugKeyboard(0x1209, 0x0004, fw_, 2);
    h_ = Open(kb_.vendor);
    ASSERT_NE(h_, nullptr);
  }

  // 00 8E L o_lo o_hi m followed by `data`.
  void MacroChunk(std::uint8_t length, int offset, std::uint8_t number, const Bytes& data) {
    Bytes frame = Report({0x00, 0x8E, length, static_cast<std::uint8_t>(offset & 0xFF),
                          static_cast<std::uint8_t>(offset >> 8), number});
    std::copy(data.begin(), data.end(), frame.begin() + 6);
    ASSERT_EQ(Write(h_, frame), 65);
  }

  std::shared_ptr<hidsim::FamilyAFirmware> fw_ = std::make_shared<hidsim::FamilyAFirmware>();
  hidsim::Bus::KeyboardIds kb_;
  hid_device* h_ = nullptr;
};

TEST_F(FamilyA, LightingFramesDecode) {
  EXPECT_FALSE(fw_->SelectedMode().has_value());
  Write(h_, Report({0x00, 0x88, 0x00, 0x05}));
  EXPECT_EQ(fw_->SelectedMode(), 5);
  Write(h_, Report({0x00, 0x89, 0x00, 0x67, 0x11, 0x22, 0x33, 0x04}));
  const auto params = fw_->ModeParams();
  ASSERT_TRUE(params.has_value());
  EXPECT_EQ(params->direction, 2);
  EXPECT_TRUE(params->colorful);
  EXPECT_EQ(params->speed, 7);
  EXPECT_EQ(params->colour, (std::array<std::uint8_t, 3>{0x11, 0x22, 0x33}));
  EXPECT_EQ(params->brightness, 4);

  Send(h_, Feature({0x07, 0xFF, 0xFF, 0x03, 0x04, 0x02, 0x00, 0x01}));
  const auto selection = fw_->CustomSetSelection();
  ASSERT_TRUE(selection.has_value());
  EXPECT_EQ(selection->modeIndex, 3);
  EXPECT_EQ(selection->brightness, 4);
  EXPECT_EQ(selection->speed, 2);
  EXPECT_EQ(selection->customSet, 1);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
}

TEST_F(FamilyA, KeyTableAssemblesFromFourChunks) {
  for (int k = 0; k < 4; ++k) {
    Bytes frame = Report({0x00, 0x8D, static_cast<std::uint8_t>(k == 3 ? 40 : 60),
                          static_cast<std::uint8_t>(60 * k), 0});
    if (k == 0) {
      frame[5 + 10] = 0x04;  // key index 5 -> usage 4
      frame[5 + 11] = 0x20;
    }
    std::fill(frame.begin() + 5, frame.begin() + 7, static_cast<std::uint8_t>(k + 1));
    Write(h_, frame);
  }
  const auto table = fw_->KeyTable();
  EXPECT_EQ(table[10], 0x04);
  EXPECT_EQ(table[11], 0x20);
  EXPECT_EQ(table[180], 4);
  EXPECT_EQ(table[220], 0);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
}

TEST_F(FamilyA, MacroSpreadOverTwoChunksDecodes) {
  // 19 events: L = 60, chunks of 59 and 1.
  Bytes buffer{0x02, 19};
  for (int i = 0; i < 19; ++i) {
    const bool press = i % 2 == 0;
    const int delay = 300 + i;
    buffer.push_back(static_cast<std::uint8_t>(0x04 + i));
    buffer.push_back(static_cast<std::uint8_t>(delay & 0xFF));
    buffer.push_back(static_cast<std::uint8_t>((delay >> 8) | (press ? 0x80 : 0x00)));
  }
  buffer.push_back(0);
  MacroChunk(59, 0, 0, Bytes(buffer.begin(), buffer.begin() + 59));
  MacroChunk(1, 59, 0, Bytes(buffer.begin() + 59, buffer.end()));

  const auto macro = fw_->Macro(0);
  ASSERT_TRUE(macro.has_value());
  EXPECT_FALSE(macro->shortcutForm);
  EXPECT_EQ(macro->repeat, 2);
  EXPECT_EQ(macro->eventCount, 19);
  ASSERT_EQ(macro->events.size(), 19u);
  EXPECT_TRUE(macro->events[0].press);
  EXPECT_EQ(macro->events[0].delayMs, 300);
  EXPECT_FALSE(macro->events[17].press);
  EXPECT_EQ(macro->events[18].usage, 0x04 + 18);
  EXPECT_EQ(macro->events[18].delayMs, 318);
  EXPECT_EQ(macro->bytes.size(), 60u);
  EXPECT_EQ(fw_->MacroNumbers(), (std::vector<int>{0}));
}

TEST_F(FamilyA, ShortcutFormAndRedownloadReplaceTheBuffer) {
  MacroChunk(6, 0, 1, {0x01, 0x02, 0xE0, 0x64, 0x80, 0xE0, 0x64, 0x00});
  auto macro = fw_->Macro(1);
  ASSERT_TRUE(macro.has_value());
  EXPECT_TRUE(macro->shortcutForm);
  ASSERT_EQ(macro->events.size(), 2u);
  EXPECT_FALSE(macro->events[1].press);
  EXPECT_EQ(macro->events[1].delayMs, 100);

  MacroChunk(6, 0, 1, {0x01, 0x01, 0x05, 0x0A, 0x80});
  macro = fw_->Macro(1);
  EXPECT_FALSE(macro->shortcutForm);
  ASSERT_EQ(macro->events.size(), 1u);
  EXPECT_EQ(macro->events[0].usage, 0x05);
  EXPECT_EQ(macro->bytes.size(), 6u);
}

TEST_F(FamilyA, StreamChunksBelongOnInterfaceThree) {
  hid_device* stream = Open(kb_.stream);
  Write(h_, Report({0x00, 0xF0, 0xF4, 0x01}));
  Write(stream, Report({0x00, 0xF1, 30, 0x2C, 0x01, 0xAB}));  // chunk 5 at offset 300
  EXPECT_EQ(fw_->StreamStarts(), 1);
  EXPECT_EQ(fw_->StreamTable()[300], 0xAB);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());

  Write(h_, Report({0x00, 0xF1, 60, 0, 0, 0x01}));      // stream on the command interface
  Write(stream, Report({0x00, 0x88, 0x00, 0x02}));       // a command on the stream interface
  Write(stream, Report({0x00, 0xF1, 60, 0x2C, 0x01}));   // runs past 330 bytes
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  EXPECT_EQ(fw_->StreamTable()[0], 0);
  EXPECT_FALSE(fw_->SelectedMode().has_value());
}

TEST_F(FamilyA, ResetClearsKeysAndMacros) {
  Write(h_, Report({0x00, 0x8D, 2, 0, 0, 0x04, 0x20}));
  MacroChunk(6, 0, 0, {0x01, 0x01, 0x05, 0x0A, 0x80});
  Write(h_, Report({0x00, 0xFF, 0xFE, 0xAA, 0xFF}));
  EXPECT_EQ(fw_->ResetCount(), 1);
  EXPECT_EQ(fw_->KeyTable()[0], 0);
  EXPECT_FALSE(fw_->Macro(0).has_value());
}

TEST_F(FamilyA, EmptyChunksPhantomEventsAndFramesInsideADownloadAreErrors) {
  MacroChunk(0, 177, 0, {});                                              // an empty last chunk
  MacroChunk(9, 0, 1, {0x01, 0x02, 0x04, 0x0A, 0x80, 0, 0, 0, 0});        // counts 2, carries 1
  MacroChunk(6, 0, 2, {0x01, 0x01, 0x04, 0x0A, 0x80, 0});
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 2u);
  EXPECT_EQ(fw_->Macro(2)->events.size(), 1u);

  const Bytes selection = Feature({0x07, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x00, 0x01});
  Write(h_, Report({0x00, 0x8D, 60, 0, 0}));
  Send(h_, selection);  // cuts into the key table
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  EXPECT_FALSE(fw_->CustomSetSelection().has_value());
  for (int k = 1; k < 4; ++k) Write(h_, Report({0x00, 0x8D, std::uint8_t(k == 3 ? 40 : 60), std::uint8_t(60 * k), 0}));
  Send(h_, selection);
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  EXPECT_TRUE(fw_->CustomSetSelection().has_value());
}

TEST_F(FamilyA, FamilyBFramesAreUnexpected) {
  Write(h_, Report({0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x01}));
  Send(h_, Feature({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x10}));
  Send(h_, Feature({0x07, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05}));  // byte 6 must be 0
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  Send(h_, Feature({0x07, 0xFD}));
  EXPECT_EQ(Get(h_), (Bytes{0x07, 0x01, 0x02, 0, 0, 0, 0, 0}));
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
}

}  // namespace
