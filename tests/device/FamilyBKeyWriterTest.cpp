#include "device/FamilyBKeyWriter.h"

#include <atomic>
#include <future>
#include <thread>

#include "device/KeyboardProtocol.h"
#include "tests/device/DeviceFixture.h"

namespace {

using namespace devicetest;
using hidsim::FamilyBFirmware;
using hidsim::FrameKind;
using Table = std::array<std::uint8_t, 28>;

constexpr int kVkA = 65;  // output code 4
constexpr int kVkB = 66;  // output code 5
constexpr int kPress = 2;
constexpr int kRelease = 3;

class FamilyBWriter : public HidFixture {
 protected:
  void SetUp() override {
    HidFixture::SetUp();
    ASSERT_TRUE(db_.ok());
    Serve(0x0001, kFamilyBType, 0);
    ids_ = PlugKeyboard(0x0001, fw_);
    Rescan(kFamilyBType);
    writer_ = std::make_unique<FamilyBKeyWriter>(*hid_, clock_, db_.store());
  }
  void TearDown() override {
    writer_.reset();
    HidFixture::TearDown();
  }

  void Apply() { writer_->applyAllKeys(StoreBacked::kProfile, StoreBacked::kLayer); }

  // What the keyboard accepted after the slot table request.
  std::vector<Bytes> WritesAfterTableRead() const {
    auto bytes = BytesOf(fw_->Writes());
    EXPECT_FALSE(bytes.empty());
    if (!bytes.empty()) {
      EXPECT_EQ(bytes.front(), FeatureBytes({0x07, 0xFB, 0x01}));
      bytes.erase(bytes.begin());
    }
    return bytes;
  }

  // The 28 frames of one macro block.
  static std::vector<Bytes> BlockFrames(const std::array<std::uint8_t, 168>& d) {
    std::vector<Bytes> frames;
    for (int j = 0; j < 28; ++j) {
      Bytes f(8, 0);
      f[0] = 0x07;
      f[1] = j == 0 ? 0xF1 : 0x00;
      std::copy_n(d.begin() + 6 * j, 6, f.begin() + 2);
      frames.push_back(f);
    }
    return frames;
  }
  static std::array<std::uint8_t, 168> Block(int slot, int key, int repeat,
                                             const std::vector<std::pair<int, int>>& events) {
    std::array<std::uint8_t, 168> d{};
    d[0] = 0x01;
    d[1] = std::uint8_t(slot);
    d[2] = std::uint8_t(key);
    d[3] = std::uint8_t(repeat);
    for (std::size_t i = 0; i < events.size(); ++i) {
      d[4 + 2 * i] = std::uint8_t(events[i].first);
      d[5 + 2 * i] = std::uint8_t(events[i].second);
    }
    return d;
  }
  static Bytes Remap(int slot, int key, int value) {
    return FeatureBytes({0x07, 0xFA, 0x01, std::uint8_t(slot), std::uint8_t(key), 0x01, std::uint8_t(value), 0x01});
  }
  static std::vector<Bytes> Join(std::initializer_list<std::vector<Bytes>> parts) {
    std::vector<Bytes> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  }

  // Waits of the table read, of one macro slot write and of one remap slot write (each with its 16 ms lead).
  static std::vector<std::uint32_t> ReadWaits() { return Repeat(16, 4); }
  static std::vector<std::uint32_t> MacroWaits() { return Repeat(16, 29); }
  static std::vector<std::uint32_t> RemapWaits() { return Repeat(16, 2); }

  StoreBacked db_;
  hidsim::Bus::KeyboardIds ids_;
  std::shared_ptr<FamilyBFirmware> fw_;
  std::unique_ptr<FamilyBKeyWriter> writer_;
};

// ---------------------------------------------------------------------------
// The slot table and clearing what is in use.

TEST_F(FamilyBWriter, AllSlotsFreeAndNoRowsOnlyReadsTheSlotTable) {
  Apply();
  const auto frames = fw_->Frames();
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[0].kind, FrameKind::Feature);
  EXPECT_EQ(frames[0].bytes, FeatureBytes({0x07, 0xFB, 0x01}));
  EXPECT_EQ(frames[0].timeMs, 0u);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(frames[i].kind, FrameKind::GetFeature);
    EXPECT_EQ(frames[i].timeMs, 16u * i);
  }
  EXPECT_EQ(clock_.Waits(), ReadWaits());
}

TEST_F(FamilyBWriter, SlotTableIsBytes1To7OfFourReplies) {
  Table table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = std::uint8_t(0x30 + i);
  fw_->SetSlotTable(table);
  EXPECT_EQ(writer_->readSlotTable(), table);
}

TEST_F(FamilyBWriter, FailedRepliesLeaveTheRequestBytesThenZeros) {
  bus_.CannedGetReplies(ids_.vendor, {{},
                                      {0x07, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17},
                                      {},
                                      {0x07, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27}});
  const Table expected = {0x07, 0xFB, 0x01, 0x00, 0x00, 0x00, 0x00, 0x11, 0x12, 0x13,
                          0x14, 0x15, 0x16, 0x17, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27};
  EXPECT_EQ(writer_->readSlotTable(), expected);
}

TEST_F(FamilyBWriter, FailedFirstReplyMakesMacroSlots1And2LookTaken) {
  const Bytes empty = {0x07, 0, 0, 0, 0, 0, 0, 0};
  bus_.CannedGetReplies(ids_.vendor, {{}, empty, empty, empty});
  Apply();

  // Slots 1 and 2 read as holding 0xFB and 0x01, so both are cleared.
  EXPECT_EQ(WritesAfterTableRead(), Join({BlockFrames(Block(1, 0, 0, {})), BlockFrames(Block(2, 0, 0, {}))}));
  EXPECT_EQ(clock_.Waits(), Concat({ReadWaits(), MacroWaits(), MacroWaits()}));
}

TEST_F(FamilyBWriter, UsedSlotsAreClearedFirst) {
  Table table{};
  table[2] = 0x10;   // macro slot 2
  table[13] = 0x11;  // macro slot 13
  table[14] = 0x12;  // remap slot 1
  table[23] = 0x13;  // remap slot 10
  table[0] = table[24] = table[27] = 0x77;  // unused bytes
  fw_->SetSlotTable(table);
  Apply();

  EXPECT_EQ(WritesAfterTableRead(), Join({BlockFrames(Block(2, 0, 0, {})), BlockFrames(Block(13, 0, 0, {})),
                                          {Remap(1, 0, 0), Remap(10, 0, 0)}}));
  EXPECT_EQ(clock_.Waits(), Concat({ReadWaits(), MacroWaits(), MacroWaits(), RemapWaits(), RemapWaits()}));
  const Table after = fw_->SlotTable();
  for (int i = 1; i <= 23; ++i) EXPECT_EQ(after[i], 0) << "slot byte " << i;
}

// ---------------------------------------------------------------------------
// Rows, in database order.

TEST_F(FamilyBWriter, RowsGoToMacroAndRemapSlotsInDatabaseOrder) {
  const int macro = db_.AddMacro(3, {{kPress, kVkA, 0}, {kRelease, kVkA, 10}});
  db_.Assign(0x04, 2, 0x05);         // remap slot 1
  db_.Assign(0x10, 3, macro);        // macro slot 1
  db_.Assign(0x13, 0, 9);            // default behaviour: skipped
  db_.Assign(0x11, 7, 1);            // macro slot 2: Ctrl + A
  db_.Assign(0x12, 5, 3);            // remap slot 2: mouse function
  db_.Assign(0x14, 11, 0x105);       // remap slot 3: extra-data row id, low byte
  db_.Assign(0x15, 6, 7);            // remap slot 4
  db_.Assign(0x16, 12, 0x1F4);       // remap slot 5: picker code, low byte
  Apply();

  EXPECT_EQ(WritesAfterTableRead(),
            Join({{Remap(1, 0x04, 0x05)},
                  BlockFrames(Block(1, 0x10, 3, {{4, 0x01}, {4, 0x81}})),
                  BlockFrames(Block(2, 0x11, 1, {{224, 0x01}, {4, 0x01}, {4, 0x81}, {224, 0x81}})),
                  {Remap(2, 0x12, 3), Remap(3, 0x14, 0x05), Remap(4, 0x15, 7), Remap(5, 0x16, 0xF4)}}));
  EXPECT_EQ(clock_.Waits(), Concat({ReadWaits(), RemapWaits(), MacroWaits(), MacroWaits(), RemapWaits(),
                                    RemapWaits(), RemapWaits(), RemapWaits()}));
  EXPECT_EQ(fw_->MacroSlot(1)->repeat, 3);
  EXPECT_EQ(fw_->RemapSlot(1)->value, 0x05);
}

TEST_F(FamilyBWriter, RemapRowWithValueZeroAndDisabledKeyClearTheirSlots) {
  db_.Assign(0x20, 2, 0, 1);  // a key remap whose value is 0
  db_.Assign(0x21, 1, 0, 1);  // disabled, value 0
  db_.Assign(0x22, 1, 1);     // disabled, value 1 as the key page stores it
  Apply();
  EXPECT_EQ(WritesAfterTableRead(), (std::vector<Bytes>{Remap(1, 0, 0), Remap(2, 0, 0), Remap(3, 0x22, 1)}));
}

TEST_F(FamilyBWriter, RemapSlotSendsNothingForMacroTypesAndClearsForAKeyWithoutRow) {
  db_.Assign(0x30, 3, 5);
  db_.Assign(0x31, 7, 2);
  db_.Assign(0x32, 0, 4);
  writer_->writeRemapSlot(StoreBacked::kProfile, StoreBacked::kLayer, 1, 0x30);
  writer_->writeRemapSlot(StoreBacked::kProfile, StoreBacked::kLayer, 2, 0x31);
  writer_->writeRemapSlot(StoreBacked::kProfile, StoreBacked::kLayer, 3, 0x32);
  EXPECT_TRUE(fw_->Frames().empty());
  EXPECT_TRUE(clock_.Waits().empty());

  writer_->writeRemapSlot(StoreBacked::kProfile, StoreBacked::kLayer, 4, 0x33);
  EXPECT_EQ(BytesOf(fw_->Writes()), std::vector<Bytes>{Remap(4, 0, 0)});
}

TEST_F(FamilyBWriter, ShortcutsPressInOrderAndReleaseInReverse) {
  db_.Assign(0x40, 7, 15);  // Alt + F4
  db_.Assign(0x41, 7, 13);  // Alt + Space + X
  db_.Assign(0x42, 7, 99);  // no such shortcut
  Apply();

  EXPECT_EQ(WritesAfterTableRead(),
            Join({BlockFrames(Block(1, 0x40, 1, {{226, 0x01}, {61, 0x01}, {61, 0x81}, {226, 0x81}})),
                  BlockFrames(Block(2, 0x41, 1,
                                    {{226, 0x01}, {44, 0x01}, {27, 0x01}, {27, 0x81}, {44, 0x81}, {226, 0x81}})),
                  BlockFrames(Block(3, 0x42, 1, {}))}));
}

TEST_F(FamilyBWriter, MacroKeepsOnlyPressAndReleaseRecordsWithTheirDelays) {
  const int macro = db_.AddMacro(0x102, {{1, 0, 500},            // a pause record: no event
                                         {kPress, kVkA, 2000},   // 100 ms steps, n 20, unit value 1
                                         {4, 1, 30},             // some other record: no event
                                         {kRelease, kVkA, 65000},  // limited to 31000
                                         {kPress, kVkB, 311},
                                         {kRelease, kVkB, 5}});
  db_.Assign(0x50, 3, macro);
  Apply();

  const auto slot = fw_->MacroSlot(1);
  ASSERT_TRUE(slot.has_value());
  EXPECT_EQ(slot->block, Block(1, 0x50, 0x02, {{4, 0x34}, {4, 0xFF}, {5, 0x26}, {5, 0x81}}));
  EXPECT_EQ(slot->events[0].n, 20);
  EXPECT_EQ(slot->events[0].unit, 1);
}

TEST_F(FamilyBWriter, MacroWithoutItsMacroRowClearsTheSlot) {
  db_.Assign(0x51, 3, 4242);
  Apply();
  EXPECT_EQ(WritesAfterTableRead(), BlockFrames(Block(1, 0, 0, {})));
}

TEST_F(FamilyBWriter, OnlyTheFirst82EventsAreSent) {
  std::vector<StoreBacked::Step> steps;
  for (int i = 0; i < 45; ++i) {
    steps.push_back({kPress, kVkA + i % 26, 10});
    steps.push_back({kRelease, kVkA + i % 26, 10});
  }
  db_.Assign(0x52, 3, db_.AddMacro(1, steps));
  Apply();

  const auto slot = fw_->MacroSlot(1);
  ASSERT_TRUE(slot.has_value());
  ASSERT_EQ(slot->events.size(), 82u);
  // Event 82 is the release of the 41st key (index 40: 'O', output code 18).
  EXPECT_EQ(slot->block[166], 4 + 40 % 26);
  EXPECT_EQ(slot->block[167], 0x81);
  EXPECT_EQ(WritesAfterTableRead().size(), 28u);
}

TEST_F(FamilyBWriter, RowsBeyondThe13MacroAnd10RemapSlotsAreNotWritten) {
  for (int key = 1; key <= 14; ++key) db_.Assign(key, 7, 1);
  for (int key = 101; key <= 111; ++key) db_.Assign(key, 2, key - 100);
  Apply();

  EXPECT_FALSE(fw_->MacroSlot(14).has_value());
  EXPECT_FALSE(fw_->RemapSlot(11).has_value());
  Table expected{};
  for (int slot = 1; slot <= 13; ++slot) expected[slot] = std::uint8_t(slot);
  for (int slot = 1; slot <= 10; ++slot) expected[13 + slot] = std::uint8_t(100 + slot);
  const Table table = fw_->SlotTable();
  EXPECT_TRUE(std::equal(table.begin() + 1, table.begin() + 24, expected.begin() + 1));
  EXPECT_EQ(WritesAfterTableRead().size(), 13u * 28 + 10);
  std::vector<std::uint32_t> waits = ReadWaits();
  for (int i = 0; i < 13; ++i) waits = Concat({waits, MacroWaits()});
  for (int i = 0; i < 10; ++i) waits = Concat({waits, RemapWaits()});
  EXPECT_EQ(clock_.Waits(), waits);
}

// Unplugged in the middle of a macro block: the download ends with the one
// frame that found the keyboard gone, and the next rescan starts afresh.
TEST_F(FamilyBWriter, AKeyboardUnpluggedMidBlockEndsTheDownloadAfterOneMoreFrame) {
  for (int key = 1; key <= 5; ++key) db_.Assign(key, 7, 1);
  for (int key = 101; key <= 105; ++key) db_.Assign(key, 2, 4);
  bus_.UnplugAfterFrames(ids_.vendor, 5 + 10);  // the table read, then 10 frames of the first block
  Apply();

  const auto frames = fw_->Frames();
  ASSERT_EQ(frames.size(), 15u);
  EXPECT_EQ(clock_.NowMs(), frames.back().timeMs + 16);
  EXPECT_TRUE(hid_->deviceGone());
  Rescan(kFamilyBType);
  EXPECT_FALSE(hid_->deviceGone());
}

TEST_F(FamilyBWriter, AFailedWriteDoesNotStopTheSequence) {
  db_.Assign(0x60, 2, 0x07);
  db_.Assign(0x61, 2, 0x08);
  const Bytes empty = {0x07, 0, 0, 0, 0, 0, 0, 0};
  bus_.CannedGetReplies(ids_.vendor, {empty, empty, empty, empty});
  bus_.RefuseFeatureSends(ids_.vendor, 2);  // the table request and the first remap
  Apply();
  EXPECT_EQ(BytesOf(fw_->Writes()), std::vector<Bytes>{Remap(2, 0x61, 0x08)});
  EXPECT_EQ(OfKind(fw_->Frames(), FrameKind::GetFeature).size(), 4u);
}

TEST_F(FamilyBWriter, ClosedManagerSendsNothing) {
  db_.Assign(0x70, 2, 0x07);
  db_.Assign(0x71, 7, 3);
  hid_->setOpen(false);
  Apply();
  EXPECT_TRUE(fw_->Frames().empty());
}

// ---------------------------------------------------------------------------
// Other senders and a macro block. Also run under ThreadSanitizer.

class FamilyBWriterThreads : public FamilyBWriter {};

// In the middle of the first block, a music level is sent from another thread
// (it is skipped) and the lighting from a third (it waits for the block's end);
// the keyboard flags any frame that lands inside a block.
TEST_F(FamilyBWriterThreads, OtherSendersNeverLandInsideAMacroBlock) {
  db_.Assign(0x10, 7, 1);
  db_.Assign(0x11, 7, 2);
  KeyboardProtocol protocol(*hid_, clock_);
  LightRecord row;
  row.mode = 3;
  bool fresh = false;
  std::atomic<int> sleeps{0};
  std::atomic<bool> lightingStarted{false};
  std::thread lighting;
  clock_.OnSleep([&](std::uint32_t) {
    if (++sleeps != 14) return;  // the table read's four, the row's lead, eight frames of the block
    std::async(std::launch::async, [&] { protocol.sendMusicLevel(64, 1.0, 1); }).get();
    lighting = std::thread([&] {
      lightingStarted = true;
      protocol.applyLighting(LightingCommand{kFamilyBType, 0, row, 0}, fresh);
    });
    while (!lightingStarted) std::this_thread::yield();
  });
  Apply();
  ASSERT_TRUE(lighting.joinable());
  lighting.join();
  clock_.OnSleep(nullptr);

  EXPECT_TRUE(fw_->MusicLevels().empty());
  ASSERT_TRUE(fw_->Lighting().has_value());
  EXPECT_EQ(fw_->Lighting()->modeIndex, 2);
  EXPECT_EQ(fw_->MacroSlot(1)->key, 0x10);
  EXPECT_EQ(fw_->MacroSlot(2)->key, 0x11);
}

// ---------------------------------------------------------------------------
// The delay byte of a key event.

TEST(FamilyBDelayByte, UnitAndCountByRange) {
  struct Case {
    int delay;
    std::uint8_t press;
  };
  const Case cases[] = {
      {0, 0x01},     {10, 0x01},    {11, 0x01},    {19, 0x01},    {20, 0x02},    {310, 0x1F},
      {311, 0x26},   {349, 0x26},   {350, 0x27},   {1550, 0x3F},  {1551, 0x2F},  {2000, 0x34},
      {3100, 0x3F},  {3101, 0x63},  {3999, 0x63},  {31000, 0x7F}, {31999, 0x7F}, {100000, 0x7F},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FamilyBKeyWriter::DelayByte(c.delay, false), c.press) << c.delay << " ms press";
    EXPECT_EQ(FamilyBKeyWriter::DelayByte(c.delay, true), c.press | 0x80) << c.delay << " ms release";
  }
}

}  // namespace
