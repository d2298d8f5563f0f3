#include "device/FamilyAKeyWriter.h"

#include "tests/device/DeviceFixture.h"

namespace {

using namespace devicetest;
using hidsim::FamilyAFirmware;

constexpr int kVkA = 65;  // output code 4
constexpr int kPress = 2;
constexpr int kRelease = 3;

class FamilyAWriter : public HidFixture {
 protected:
  void SetUp() override {
    HidFixture::SetUp();
    ASSERT_TRUE(db_.ok());
    Serve(0x0004, kFamilyAType, 0);
    ids_ = PlugKeyboard(0x0004, fw_);
    Rescan(kFamilyAType);
    writer_ = std::make_unique<FamilyAKeyWriter>(*hid_, clock_, db_.store());
  }
  void TearDown() override {
    writer_.reset();
    HidFixture::TearDown();
  }

  void Apply() { writer_->applyAllKeys(StoreBacked::kProfile, StoreBacked::kLayer, keyIndex_); }

  // The four key table chunks of a whole table.
  static std::vector<Bytes> TableChunks(const std::array<std::uint8_t, 360>& t) {
    std::vector<Bytes> chunks;
    for (int k = 0; k < 4; ++k) {
      const int offset = 60 * k;
      const int length = k == 3 ? 40 : 60;
      Bytes f = ReportBytes({0x00, 0x8D, std::uint8_t(length), std::uint8_t(offset & 0xFF), std::uint8_t(offset >> 8)});
      std::copy_n(t.begin() + offset, length, f.begin() + 5);
      chunks.push_back(f);
    }
    return chunks;
  }
  static Bytes MacroChunk(int number, int length, int offset, const std::vector<std::uint8_t>& data) {
    Bytes f = ReportBytes({0x00, 0x8E, std::uint8_t(length), std::uint8_t(offset & 0xFF), std::uint8_t(offset >> 8),
                           std::uint8_t(number)});
    std::copy(data.begin(), data.end(), f.begin() + 6);
    return f;
  }
  static void Event(std::vector<std::uint8_t>& out, int usage, int delay, bool press) {
    out.push_back(std::uint8_t(usage));
    out.push_back(std::uint8_t(delay & 0xFF));
    out.push_back(std::uint8_t(press ? ((delay >> 8) | 0x80) : ((delay >> 8) & 0x7F)));
  }
  // Frames after the macro downloads: the key table.
  std::vector<Bytes> LastFour() const {
    auto bytes = BytesOf(fw_->Writes());
    if (bytes.size() < 4) return bytes;
    return std::vector<Bytes>(bytes.end() - 4, bytes.end());
  }

  // 19 records alternating press and release of A, B, C ... with growing delays.
  std::vector<StoreBacked::Step> NineteenSteps() const {
    std::vector<StoreBacked::Step> steps;
    for (int i = 0; i < 19; ++i) steps.push_back({i % 2 == 0 ? kPress : kRelease, kVkA + i / 2, 50 * i});
    return steps;
  }

  StoreBacked db_;
  hidsim::Bus::KeyboardIds ids_;
  std::shared_ptr<FamilyAFirmware> fw_;
  std::unique_ptr<FamilyAKeyWriter> writer_;
  std::map<int, int> keyIndex_;
};

// ---------------------------------------------------------------------------
// The key table.

TEST_F(FamilyAWriter, NoRowsSendsAnEmptyKeyTableAfterThe20MsPause) {
  Apply();
  EXPECT_EQ(BytesOf(fw_->Writes()), TableChunks({}));
  EXPECT_EQ(TimesOf(fw_->Writes()), (std::vector<std::uint64_t>{30, 40, 50, 60}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{20, 10, 10, 10, 10}));
}

TEST_F(FamilyAWriter, KeyTableEntriesByTypeAndLayoutIndex) {
  keyIndex_ = {{10, 3}, {11, 4}, {12, 5}, {13, 6}, {14, 7}, {15, 110}, {17, 109}, {18, 179}, {19, 180}};
  const int macro = db_.AddMacro(1, {{kPress, kVkA, 10}});
  db_.Assign(10, 2, 0x29);    // another key
  db_.Assign(11, 1, 1);       // disabled
  db_.Assign(12, 3, macro);   // macro number 0
  db_.Assign(13, 7, 1);       // shortcut: macro number 1
  db_.Assign(14, 5, 1);       // mouse function: not written
  db_.Assign(15, 2, 0x2A);    // index 110: kept in the table, never sent
  db_.Assign(16, 2, 0x2D);    // no layout index: skipped
  db_.Assign(17, 2, 0x2B);    // index 109: the last one sent
  db_.Assign(18, 2, 0x2C);    // index 179: the table's last entry
  db_.Assign(19, 2, 0x2E);    // index 180: past the table
  Apply();

  std::array<std::uint8_t, 360> sent{};
  sent[6] = 0x29, sent[7] = 0x20;
  sent[8] = 0x00, sent[9] = 0x20;
  sent[10] = 0x00, sent[11] = 0x40;
  sent[12] = 0x01, sent[13] = 0x40;
  sent[218] = 0x2B, sent[219] = 0x20;
  EXPECT_EQ(LastFour(), TableChunks(sent));
  EXPECT_EQ(fw_->KeyTable(), sent);

  std::vector<KeyAssignmentRecord> rows;
  db_.store().ListKeyAssignments(StoreBacked::kProfile, StoreBacked::kLayer, rows);
  std::array<std::uint8_t, 360> built = sent;
  built[220] = 0x2A, built[221] = 0x20;
  built[358] = 0x2C, built[359] = 0x20;
  EXPECT_EQ(writer_->buildKeyTable(rows, keyIndex_), built);
}

TEST_F(FamilyAWriter, AFailedKeyTableChunkDoesNotStopTheOthers) {
  keyIndex_ = {{40, 0}, {41, 100}};
  db_.Assign(40, 2, 0x05);
  db_.Assign(41, 2, 0x06);
  bus_.RefuseOutputWrites(ids_.vendor, 2);
  Apply();

  std::array<std::uint8_t, 360> t{};
  t[0] = 0x05, t[1] = 0x20;
  t[200] = 0x06, t[201] = 0x20;
  const auto chunks = TableChunks(t);
  EXPECT_EQ(BytesOf(fw_->Writes()), (std::vector<Bytes>{chunks[1], chunks[2], chunks[3]}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{20, 10, 10, 10, 10, 10}));
}

// ---------------------------------------------------------------------------
// Macro download.

TEST_F(FamilyAWriter, MacroOf19RecordsGoesInTwoChunksTheSecondOneByteLong) {
  keyIndex_ = {{50, 2}};
  const int macro = db_.AddMacro(300, NineteenSteps());  // repeat limited to 255
  db_.Assign(50, 3, macro);
  Apply();

  std::vector<std::uint8_t> buffer = {0xFF, 19};
  for (int i = 0; i < 19; ++i) Event(buffer, 4 + i / 2, 50 * i, i % 2 == 0);
  buffer.push_back(0);  // L = 3 x 19 + 3 = 60
  ASSERT_EQ(buffer.size(), 60u);

  const auto writes = fw_->Writes();
  ASSERT_EQ(writes.size(), 6u);
  EXPECT_EQ(writes[0].bytes, MacroChunk(0, 0x3B, 0, std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 59)));
  EXPECT_EQ(writes[1].bytes, MacroChunk(0, 0x01, 59, {buffer[59]}));
  EXPECT_EQ(writes[0].timeMs, 110u);
  EXPECT_EQ(writes[1].timeMs, 210u);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{10, 100, 100, 20, 10, 10, 10, 10}));

  const auto received = fw_->Macro(0);
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->repeat, 255);
  ASSERT_EQ(received->events.size(), 19u);
  EXPECT_EQ(received->events[18].delayMs, 900);
  EXPECT_TRUE(received->events[18].press);
  EXPECT_EQ(writer_->macroNumbers(), (std::map<int, int>{{50, 0}}));
  EXPECT_EQ(fw_->KeyTable()[4], 0x00);
  EXPECT_EQ(fw_->KeyTable()[5], 0x40);
}

TEST_F(FamilyAWriter, EventCountAndLengthNameOnlyTheKeyRecordsThatAreSent) {
  const int macro = db_.AddMacro(0, {{kPress, kVkA, 300}, {1, 0, 1000}, {kRelease, kVkA, 5}});
  db_.Assign(51, 3, macro);
  Apply();

  // [repeat 1 (0 raised to 1), 2 events, the two events], zero-filled to L = 9.
  const std::vector<std::uint8_t> buffer = {0x01, 0x02, 0x04, 0x2C, 0x81, 0x04, 0x05, 0x00, 0};
  ASSERT_GE(fw_->Writes().size(), 1u);
  EXPECT_EQ(fw_->Writes()[0].bytes, MacroChunk(0, 9, 0, buffer));
  EXPECT_EQ(fw_->Macro(0)->events.size(), 2u);
}

TEST_F(FamilyAWriter, MacroWithoutItsMacroRowRepeatsOnceWithNoEvents) {
  db_.Assign(52, 3, 4242);
  Apply();
  ASSERT_GE(fw_->Writes().size(), 1u);
  EXPECT_EQ(fw_->Writes()[0].bytes, MacroChunk(0, 3, 0, {0x01, 0x00, 0x00}));
}

TEST_F(FamilyAWriter, LengthThatIsAMultipleOf59EndsWithAFullChunk) {
  std::vector<StoreBacked::Step> steps;
  for (int i = 0; i < 58; ++i) steps.push_back({i % 2 == 0 ? kPress : kRelease, kVkA, 10});
  db_.Assign(53, 3, db_.AddMacro(1, steps));  // L = 3 x 58 + 3 = 177 = 3 x 59
  Apply();

  const auto writes = BytesOf(fw_->Writes());
  ASSERT_EQ(writes.size(), 7u);
  const std::vector<std::pair<int, int>> headers = {{59, 0}, {59, 59}, {59, 118}};
  for (std::size_t k = 0; k < headers.size(); ++k) {
    EXPECT_EQ(writes[k][2], headers[k].first) << "chunk " << k;
    EXPECT_EQ(writes[k][3] | (writes[k][4] << 8), headers[k].second) << "chunk " << k;
  }
  EXPECT_EQ(fw_->Macro(0)->events.size(), 58u);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{10, 100, 100, 100, 20, 10, 10, 10, 10}));
}

TEST_F(FamilyAWriter, ShortcutsFollowTheMacrosInTheirOwnForm) {
  keyIndex_ = {{20, 0}, {21, 1}, {22, 2}};
  db_.Assign(20, 7, 1);  // Ctrl + A, listed first but numbered after the macros
  db_.Assign(21, 3, db_.AddMacro(1, {{kPress, kVkA, 10}}));
  db_.Assign(22, 3, db_.AddMacro(2, {{kRelease, kVkA, 10}}));
  Apply();

  const auto writes = BytesOf(fw_->Writes());
  ASSERT_EQ(writes.size(), 7u);
  EXPECT_EQ(writes[0], MacroChunk(0, 6, 0, {0x01, 0x01, 0x04, 0x0A, 0x80, 0x00}));
  EXPECT_EQ(writes[1], MacroChunk(1, 6, 0, {0x02, 0x01, 0x04, 0x0A, 0x00, 0x00}));
  EXPECT_EQ(writes[2], MacroChunk(2, 12, 0,
                                  {0x01, 0x04, 0xE0, 0x64, 0x80, 0x04, 0x64, 0x80, 0x04, 0x64, 0x00, 0xE0, 0x64, 0x00}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{10, 100, 10, 100, 10, 20, 10, 10, 10, 10}));
  EXPECT_EQ(writer_->macroNumbers(), (std::map<int, int>{{20, 2}, {21, 0}, {22, 1}}));

  std::array<std::uint8_t, 360> t{};
  t[0] = 2, t[1] = 0x40;
  t[2] = 0, t[3] = 0x40;
  t[4] = 1, t[5] = 0x40;
  EXPECT_EQ(LastFour(), TableChunks(t));
  EXPECT_TRUE(fw_->Macro(2)->shortcutForm);
}

TEST_F(FamilyAWriter, AFailedMacroChunkAbandonsTheDownloadButTheKeyTableStillGoes) {
  keyIndex_ = {{30, 0}, {31, 1}, {32, 2}, {33, 3}};
  db_.Assign(30, 3, db_.AddMacro(1, NineteenSteps()));
  db_.Assign(31, 3, db_.AddMacro(1, {{kPress, kVkA, 10}}));
  db_.Assign(32, 7, 2);
  db_.Assign(33, 2, 0x04);
  bus_.RefuseOutputWrites(ids_.vendor, 2);  // the first chunk and its retry
  Apply();

  std::array<std::uint8_t, 360> t{};
  t[6] = 0x04, t[7] = 0x20;  // no macro numbers were given
  EXPECT_EQ(BytesOf(fw_->Writes()), TableChunks(t));
  EXPECT_TRUE(writer_->macroNumbers().empty());
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{10, 100, 10, 20, 10, 10, 10, 10}));
}

TEST_F(FamilyAWriter, AKeyWhoseShortcutDidNotArriveStaysAtItsDefault) {
  keyIndex_ = {{20, 0}, {21, 1}, {22, 2}};
  db_.Assign(20, 7, 1);   // refused twice
  db_.Assign(21, 7, 16);  // no such shortcut: nothing to download
  db_.Assign(22, 7, 2);   // takes the number the failed one did not get
  bus_.RefuseOutputWrites(ids_.vendor, 2);
  Apply();

  EXPECT_EQ(writer_->macroNumbers(), (std::map<int, int>{{22, 0}}));
  std::array<std::uint8_t, 360> t{};
  t[4] = 0, t[5] = 0x40;
  EXPECT_EQ(LastFour(), TableChunks(t));
  EXPECT_EQ(fw_->MacroNumbers(), (std::vector<int>{0}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{10, 10, 10, 10, 20, 10, 10, 10, 10}));
}

TEST_F(FamilyAWriter, ANewDownloadForgetsTheOldMacroNumbers) {
  keyIndex_ = {{60, 0}};
  db_.Assign(60, 7, 3);
  Apply();
  ASSERT_EQ(writer_->macroNumbers(), (std::map<int, int>{{60, 0}}));

  db_.Assign(60, 2, 0x07);
  Apply();
  EXPECT_TRUE(writer_->macroNumbers().empty());
  EXPECT_EQ(fw_->KeyTable()[0], 0x07);
  EXPECT_EQ(fw_->KeyTable()[1], 0x20);
}

TEST_F(FamilyAWriter, ClosedManagerSendsNothing) {
  keyIndex_ = {{70, 0}};
  db_.Assign(70, 3, db_.AddMacro(1, {{kPress, kVkA, 10}}));
  db_.Assign(71, 2, 0x05);
  hid_->setOpen(false);
  Apply();
  EXPECT_TRUE(fw_->Frames().empty());
}

}  // namespace
