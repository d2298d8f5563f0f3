// The family B model decodes what the keyboard protocol sends and answers
// slot table reads with what earlier writes left behind.
#include <array>
#include <memory>

#include "tests/sim/FamilyBFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

using hidsim::Bytes;

class FamilyB : public SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    kb_ = bus_.PlugKeyboard(0x1209, 0x0001, fw_);
    h_ = Open(kb_.vendor);
    ASSERT_NE(h_, nullptr);
  }

  // The 28 frames of one macro block.
  void SendBlock(const std::array<std::uint8_t, 168>& d, int frames = 28) {
    for (int j = 0; j < frames; ++j) {
      Bytes frame(8, 0);
      frame[0] = 0x07;
      frame[1] = j == 0 ? 0xF1 : 0x00;
      std::copy_n(d.begin() + 6 * j, 6, frame.begin() + 2);
      ASSERT_EQ(Send(h_, frame), 8);
    }
  }

  std::array<std::uint8_t, 28> ReadTable() {
    Send(h_, Feature({0x07, 0xFB, 0x01}));
    std::array<std::uint8_t, 28> table{};
    for (std::size_t part = 0; part < 4; ++part) {
      const Bytes reply = Get(h_);
      EXPECT_EQ(reply.size(), 8u);
      if (reply.size() == 8) std::copy_n(reply.begin() + 1, 7, table.begin() + 7 * part);
    }
    return table;
  }

  std::shared_ptr<hidsim::FamilyBFirmware> fw_ = std::make_shared<hidsim::FamilyBFirmware>();
  hidsim::Bus::KeyboardIds kb_;
  hid_device* h_ = nullptr;
};

TEST_F(FamilyB, LightingArrivesWiredOrAsALongFrame) {
  Send(h_, Feature({0x07, 0xFF, 0xFF, 0x02, 0x03, 0x1F, 0x01, 0x02}));
  auto light = fw_->Lighting();
  ASSERT_TRUE(light.has_value());
  EXPECT_FALSE(light->longFrame);
  EXPECT_EQ(light->modeIndex, 2);
  EXPECT_EQ(light->brightness, 3);
  EXPECT_EQ(light->speed, 0x1F);
  EXPECT_EQ(light->customSet, 1);
  EXPECT_EQ(light->direction, 2);

  Write(h_, Report({0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x04, 0x00, 0x02, 0x00, 0x05, 0x01}));
  light = fw_->Lighting();
  EXPECT_TRUE(light->longFrame);
  EXPECT_EQ(light->modeIndex, 4);
  EXPECT_EQ(light->speed, 2);
  EXPECT_EQ(light->customSet, 5);
  EXPECT_EQ(light->direction, 1);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
}

TEST_F(FamilyB, ResetsWiredAndInTwoLongParts) {
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x01, 0x2C, 0x01, 0x05, 0x01}));
  Send(h_, Feature({0x07, 0xF0, 0xAA}));
  EXPECT_EQ(fw_->ResetCount(), 1);
  EXPECT_EQ(fw_->SlotTable()[14], 0);

  const Bytes second = Report({0x00, 0xBB, 0xAA, 0x99, 0x88});
  Write(h_, second);  // second part without the first means nothing
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 1u);
  Write(h_, Report({0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(fw_->ResetCount(), 1);
  Write(h_, second);
  EXPECT_EQ(fw_->ResetCount(), 2);
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 1u);
}

TEST_F(FamilyB, MacroBlockBecomesASlotAndATableByte) {
  std::array<std::uint8_t, 168> d{};
  d[0] = 0x01;
  d[1] = 2;     // slot
  d[2] = 0x1E;  // key
  d[3] = 3;     // repeat
  const std::uint8_t events[] = {0x04, 0x01, 0x04, 0x81, 0x05, 0x34, 0x05, 0xE3};
  std::copy(std::begin(events), std::end(events), d.begin() + 4);
  d[166] = 0x07;  // last event room, past the terminator: kept in the block only
  SendBlock(d);

  const auto slot = fw_->MacroSlot(2);
  ASSERT_TRUE(slot.has_value());
  EXPECT_EQ(slot->key, 0x1E);
  EXPECT_EQ(slot->repeat, 3);
  EXPECT_EQ(slot->block, d);
  ASSERT_EQ(slot->events.size(), 4u);
  EXPECT_FALSE(slot->events[0].release);
  EXPECT_EQ(slot->events[0].n, 1);
  EXPECT_TRUE(slot->events[1].release);
  EXPECT_EQ(slot->events[2].unit, 1);  // 0x34: 1000 ms as 50 ms steps
  EXPECT_EQ(slot->events[2].n, 20);
  EXPECT_TRUE(slot->events[3].release);
  EXPECT_EQ(slot->events[3].unit, 3);
  EXPECT_EQ(slot->events[3].n, 3);

  const auto table = ReadTable();
  EXPECT_EQ(table[2], 0x1E);
  EXPECT_EQ(table[1], 0);
  EXPECT_EQ(table[0], hidsim::FamilyBFirmware::kUnusedTableByte);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
}

TEST_F(FamilyB, OnlyACompleteBlockIsCommitted) {
  std::array<std::uint8_t, 168> d{};
  d[0] = 0x01;
  d[1] = 5;
  d[2] = 0x20;
  SendBlock(d, 10);  // cut short: a new start replaces it
  EXPECT_FALSE(fw_->MacroSlot(5).has_value());
  d[2] = 0x21;
  SendBlock(d, 14);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
  // A frame of another sender inside the block is an error, and is not acted on.
  Send(h_, Feature({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x40}));
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x03, 0x2C, 0x01, 0x05, 0x01}));
  Write(h_, Report({0x00, 0x8B, 60, 0, 0, 0x11}));
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  for (int j = 14; j < 28; ++j) {
    Bytes frame(8, 0);
    frame[0] = 0x07;
    std::copy_n(d.begin() + 6 * j, 6, frame.begin() + 2);
    Send(h_, frame);
  }
  ASSERT_TRUE(fw_->MacroSlot(5).has_value());
  EXPECT_EQ(fw_->MacroSlot(5)->key, 0x21);
  EXPECT_TRUE(fw_->MacroSlot(5)->events.empty());
  EXPECT_TRUE(fw_->MusicLevels().empty());
  EXPECT_FALSE(fw_->RemapSlot(3).has_value());
  EXPECT_EQ(fw_->CustomColours()[0], 0);

  Send(h_, Feature({0x07, 0x00, 0x01, 0x02}));  // a continuation with no block open
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 4u);
}

TEST_F(FamilyB, SlotsBeyondTheTableAndFramesInsideAColourDownloadAreErrors) {
  std::array<std::uint8_t, 168> d{};
  d[0] = 0x01;
  d[1] = 14;  // there are 13 macro slots
  d[2] = 0x20;
  SendBlock(d);
  EXPECT_FALSE(fw_->MacroSlot(14).has_value());
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x0B, 0x2D, 0x01, 0x06, 0x01}));  // and 10 remap slots
  EXPECT_FALSE(fw_->RemapSlot(11).has_value());
  ASSERT_EQ(fw_->UnexpectedFrames().size(), 2u);
  EXPECT_EQ(fw_->UnexpectedFrames()[0].bytes[1], 0xF1);

  Write(h_, Report({0x00, 0x8B, 60, 0, 0, 0x11}));
  Send(h_, Feature({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x40}));  // cuts into the colours
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  for (int k = 1; k < 8; ++k) {
    const auto offset = static_cast<std::uint8_t>(60 * k);
    Write(h_, Report({0x00, 0x8B, static_cast<std::uint8_t>(k == 7 ? 20 : 60), offset, std::uint8_t(60 * k >> 8)}));
  }
  Send(h_, Feature({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x40}));  // after the last chunk: fine
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 3u);
  EXPECT_EQ(fw_->MusicLevels().size(), 1u);
}

TEST_F(FamilyB, RemapSlotsAreWrittenClearedAndReadBack) {
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x03, 0x2C, 0x01, 0x05, 0x01}));
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x0A, 0x2D, 0x01, 0x06, 0x01}));  // the last slot
  ASSERT_TRUE(fw_->RemapSlot(3).has_value());
  EXPECT_EQ(fw_->RemapSlot(3)->key, 0x2C);
  EXPECT_EQ(fw_->RemapSlot(3)->value, 5);
  EXPECT_EQ(fw_->RemapSlot(10)->key, 0x2D);
  auto table = ReadTable();
  EXPECT_EQ(table[16], 0x2C);
  EXPECT_EQ(table[23], 0x2D);
  EXPECT_EQ(table[24], hidsim::FamilyBFirmware::kUnusedTableByte);

  Send(h_, Feature({0x07, 0xFA, 0x01, 0x03, 0x00, 0x01, 0x00, 0x01}));
  EXPECT_EQ(fw_->RemapSlot(3)->key, 0);
  table = ReadTable();
  EXPECT_EQ(table[16], 0);
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
  Get(h_);  // a fifth get has nothing to answer
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 1u);
}

TEST_F(FamilyB, CustomColoursAssembleFromChunks) {
  for (int k = 0; k < 8; ++k) {
    Bytes frame = Report({0x00, 0x8B, static_cast<std::uint8_t>(k == 7 ? 20 : 60),
                          static_cast<std::uint8_t>((60 * k) & 0xFF),
                          static_cast<std::uint8_t>((60 * k) >> 8)});
    std::fill(frame.begin() + 5, frame.end(), static_cast<std::uint8_t>(k + 1));
    Write(h_, frame);
  }
  const auto colours = fw_->CustomColours();
  EXPECT_EQ(colours[0], 1);
  EXPECT_EQ(colours[299], 5);
  EXPECT_EQ(colours[439], 8);
  EXPECT_EQ(colours[440], 0);  // past the length of the last chunk
  EXPECT_TRUE(fw_->UnexpectedFrames().empty());
  Write(h_, Report({0x00, 0x8B, 60, 0x3C, 0x02}));  // offset 572 + 60 runs past 600
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 1u);
}

TEST_F(FamilyB, FramesItDoesNotKnowAreUnexpected) {
  hid_device* keys = Open(kb_.keys);
  hid_device* stream = Open(kb_.stream);
  Write(h_, Report({0x00, 0x88, 0x00, 0x01}));       // a family A command
  Send(keys, Feature({0x07, 0xFD}));                 // not the vendor collection
  Send(stream, Feature({0x07, 0xFD}));               // not the command interface
  Send(h_, Feature({0x07, 0xFD, 0x00, 0x01}));       // filler not zero
  const Bytes nine{0x07, 0xFD, 0, 0, 0, 0, 0, 0, 0};
  Send(h_, nine);                                    // wrong length
  Send(h_, Feature({0x07, 0xFA, 0x01, 0x00, 0x2C, 0x01, 0x05, 0x01}));  // slot 0
  EXPECT_EQ(fw_->UnexpectedFrames().size(), 6u);
  EXPECT_EQ(fw_->UnexpectedFrames()[1].interfaceNumber, 0);
  EXPECT_EQ(fw_->UnexpectedFrames()[4].bytes, nine);
}

}  // namespace
