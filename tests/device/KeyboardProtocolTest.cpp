#include "device/KeyboardProtocol.h"

#include <array>

#include "tests/device/DeviceFixture.h"

namespace {

using namespace devicetest;
using hidsim::FamilyAFirmware;
using hidsim::FamilyBFirmware;
using hidsim::FrameKind;

class ProtocolFixture : public HidFixture {
 protected:
  void SetUp() override {
    HidFixture::SetUp();
    protocol_ = std::make_unique<KeyboardProtocol>(*hid_, clock_);
  }
  void TearDown() override {
    protocol_.reset();
    HidFixture::TearDown();
  }

  // A family B keyboard whose vendor interface is served in `mode`.
  void PlugB(int mode = 0) {
    Serve(0x0001, kFamilyBType, mode);
    ids_ = PlugKeyboard(0x0001, fwB_);
    Rescan(kFamilyBType);
    fw_ = fwB_;
  }
  // A family A keyboard of `deviceType`, with its stream interface.
  void PlugA(int deviceType = kFamilyAType) {
    Serve(0x0004, deviceType, 0);
    ids_ = PlugKeyboard(0x0004, fwA_);
    Rescan(deviceType);
    fw_ = fwA_;
  }

  static LightingCommand Command(int deviceType, int connectionMode, LightRecord row, int customSet = 0) {
    return LightingCommand{deviceType, connectionMode, row, customSet};
  }

  static LightRecord Row(int mode, int brightness, int speed, int direction, int colorIndex = 0, int configFunc = 0) {
    LightRecord r;
    r.mode = mode;
    r.brightness = brightness;
    r.speed = speed;
    r.direction = direction;
    r.colorIndex = colorIndex;
    r.configFunc = configFunc;
    return r;
  }

  std::unique_ptr<KeyboardProtocol> protocol_;
  hidsim::Bus::KeyboardIds ids_;
  std::shared_ptr<FamilyAFirmware> fwA_;
  std::shared_ptr<FamilyBFirmware> fwB_;
  std::shared_ptr<hidsim::KeyboardFirmware> fw_;
};

// ---------------------------------------------------------------------------
// Lighting.

class ProtocolLighting : public ProtocolFixture {};

TEST_F(ProtocolLighting, FamilyBWiredSendsOneFeatureFrameAfter16Ms) {
  PlugB(0);
  bool fresh = true;  // the mark means nothing to family B
  protocol_->applyLighting(Command(kFamilyBType, 0, Row(3, 4, 2, 1, 1, KeyboardProtocol::kCustomUsesSets), 2),
                           fresh);

  const auto writes = fwB_->Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].kind, FrameKind::Feature);
  EXPECT_EQ(writes[0].bytes, FeatureBytes({0x07, 0xFF, 0xFF, 0x02, 0x03, 0x11, 0x02, 0x01}));
  EXPECT_EQ(writes[0].timeMs, 16u);
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{16});
}

TEST_F(ProtocolLighting, FamilyBWiredSendsTheCustomSetOnlyForModesWithCustomSets) {
  PlugB(0);
  bool fresh = false;
  protocol_->applyLighting(Command(kFamilyBType, 0, Row(5, 2, 3, 0, 0, KeyboardProtocol::kMusicMode), 4), fresh);
  ASSERT_EQ(fwB_->Writes().size(), 1u);
  EXPECT_EQ(fwB_->Writes()[0].bytes, FeatureBytes({0x07, 0xFF, 0xFF, 0x04, 0x01, 0x02, 0x00, 0x00}));
}

TEST_F(ProtocolLighting, FamilyBBrightnessAndSpeedBytes) {
  struct Case {
    int brightness, colorIndex, speed;
    std::uint8_t b, s;
  };
  // Brightness 0 stays 0 rather than wrapping; 1 also becomes 0.
  // colorindex 2 with speed 0 borrows from the colour index: 0x1F.
  const Case cases[] = {{0, 0, 0, 0x00, 0x00}, {1, 0, 1, 0x00, 0x00}, {2, 2, 0, 0x01, 0x1F},
                        {5, 0, 5, 0x04, 0x04}, {255, 15, 15, 0xFE, 0xFE}};
  PlugB(0);
  for (const Case& c : cases) {
    bool fresh = false;
    protocol_->applyLighting(Command(kFamilyBType, 0, Row(1, c.brightness, c.speed, 0, c.colorIndex)), fresh);
    ASSERT_TRUE(fwB_->Lighting().has_value());
    EXPECT_EQ(fwB_->Lighting()->brightness, c.b) << "brightness " << c.brightness;
    EXPECT_EQ(fwB_->Lighting()->speed, c.s) << "colorindex " << c.colorIndex << " speed " << c.speed;
    EXPECT_EQ(KeyboardProtocol::BrightnessByte(c.brightness), c.b);
    EXPECT_EQ(KeyboardProtocol::SpeedByte(c.colorIndex, c.speed), c.s);
  }
}

class ProtocolLightingLongFrame : public ProtocolFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ProtocolLightingLongFrame, FamilyBModes1And2SendALongFrameThatAlwaysCarriesTheCustomSet) {
  PlugB(GetParam());
  bool fresh = false;
  // No custom-set flag in config_func, yet the set index goes out.
  protocol_->applyLighting(Command(kFamilyBType, GetParam(), Row(7, 1, 0, 3, 2, 0), 5), fresh);

  const auto writes = fwB_->Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].kind, FrameKind::Output);
  EXPECT_EQ(writes[0].bytes, LongBytes({0xAA, 0x06, 0x00, 0x1F, 0x00, 0x05, 0x03}));
  EXPECT_EQ(writes[0].timeMs, 0u);
  EXPECT_TRUE(clock_.Waits().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ProtocolLightingLongFrame, ::testing::Values(1, 2));

TEST_F(ProtocolLighting, FamilyAFreshlyChosenModeIsSelectedAndTheMarkIsCleared) {
  PlugA();
  LightRecord row = Row(6, 7, 0x12, 5, 0);
  row.colorful = 1;
  row.colorValue = 0x00332211;
  bool fresh = true;
  protocol_->applyLighting(Command(kFamilyAType, 0, row), fresh);
  EXPECT_FALSE(fresh);
  protocol_->applyLighting(Command(kFamilyAType, 0, row), fresh);
  EXPECT_FALSE(fresh);

  const auto writes = fwA_->Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].bytes, ReportBytes({0x00, 0x88, 0x00, 0x06}));
  // p = (5 AND 3) x 16 + 0x40 (colourful) + (0x12 AND 0x0F)
  EXPECT_EQ(writes[1].bytes, ReportBytes({0x00, 0x89, 0x00, 0x52, 0x11, 0x22, 0x33, 0x07}));
  EXPECT_TRUE(clock_.Waits().empty());
}

TEST_F(ProtocolLighting, FamilyAWithoutTheMarkSendsModeParametersOfASingleColour) {
  PlugA(200);  // 200 is still family A
  LightRecord row = Row(2, 3, 4, 2, 0);
  row.colorful = 0;
  row.colorValue = 0x00ABCDEF;
  bool fresh = false;
  protocol_->applyLighting(Command(200, 0, row), fresh);
  ASSERT_EQ(fwA_->Writes().size(), 1u);
  EXPECT_EQ(fwA_->Writes()[0].bytes, ReportBytes({0x00, 0x89, 0x00, 0x24, 0xEF, 0xCD, 0xAB, 0x03}));
}

TEST_F(ProtocolLighting, FamilyARetriesARefusedFrameAfter10Ms) {
  PlugA();
  bus_.RefuseOutputWrites(ids_.vendor, 1);
  bool fresh = true;
  protocol_->applyLighting(Command(kFamilyAType, 0, Row(4, 1, 1, 0)), fresh);
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{10});
  EXPECT_EQ(fwA_->SelectedMode(), 4);
}

TEST_F(ProtocolLighting, DeviceTypesFrom300OnSendNothing) {
  Serve(0x0001, 300, 0);
  ids_ = PlugKeyboard(0x0001, fwB_);
  Rescan(300);
  bool fresh = true;
  protocol_->applyLighting(Command(300, 0, Row(1, 1, 1, 1)), fresh);
  protocol_->resetDevice(300, 0);
  EXPECT_TRUE(fwB_->Frames().empty());
  EXPECT_TRUE(clock_.Waits().empty());
}

// ---------------------------------------------------------------------------
// Custom set selection (family A below 200 only).

class ProtocolCustomSet : public ProtocolFixture {};

TEST_F(ProtocolCustomSet, SentWithUnadjustedBrightnessAndSpeed) {
  PlugA(199);
  protocol_->selectCustomSet(Command(199, 0, Row(3, 0, 9, 2, 1, KeyboardProtocol::kCustomUsesSets), 6));
  const auto writes = fwA_->Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].bytes, FeatureBytes({0x07, 0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00, 0x06}));
  EXPECT_EQ(writes[0].timeMs, 16u);
}

TEST_F(ProtocolCustomSet, SetIndexIsZeroForModesWithoutCustomSets) {
  PlugA(1);
  protocol_->selectCustomSet(Command(1, 0, Row(1, 5, 2, 0, 0, KeyboardProtocol::kScreenMode), 6));
  ASSERT_EQ(fwA_->Writes().size(), 1u);
  EXPECT_EQ(fwA_->Writes()[0].bytes, FeatureBytes({0x07, 0xFF, 0xFF, 0x00, 0x05, 0x02, 0x00, 0x00}));
}

TEST_F(ProtocolCustomSet, NothingFromType200On) {
  PlugA(200);
  protocol_->selectCustomSet(Command(200, 0, Row(3, 1, 1, 0, 0, KeyboardProtocol::kCustomUsesSets), 1));
  protocol_->selectCustomSet(Command(kFamilyBType, 0, Row(3, 1, 1, 0, 0, KeyboardProtocol::kCustomUsesSets), 1));
  EXPECT_TRUE(fwA_->Frames().empty());
  EXPECT_TRUE(clock_.Waits().empty());
}

// ---------------------------------------------------------------------------
// Custom per-key colours.

class ProtocolCustomColours : public ProtocolFixture {
 protected:
  static KeyColorRecord Colour(int keyCode, int colour) {
    KeyColorRecord c;
    c.profile = 1;
    c.lightId = kCustomColorSet;
    c.keyCode = keyCode;
    c.keyColor = colour;
    return c;
  }
  // Key 30 at light 0, key 31 (black) at light 5, key 32 at light 109 (the last
  // sent), key 33 at light 110 (past what is sent), key 34 without a light.
  const std::vector<KeyColorRecord> colours_ = {Colour(30, 0x00332211), Colour(31, 0), Colour(32, 0x00ABCDEF),
                                                Colour(33, 0x00665544), Colour(34, 0x00FFFFFF)};
  const std::map<int, int> lights_ = {{30, 0}, {31, 5}, {32, 109}, {33, 110}};

  static std::vector<Bytes> ExpectedChunks() {
    std::array<std::uint8_t, 440> t{};
    const std::uint8_t light0[] = {0x11, 0x22, 0x33, 0xFF};
    const std::uint8_t light5[] = {0x00, 0x00, 0x00, 0xFF};
    const std::uint8_t light109[] = {0xEF, 0xCD, 0xAB, 0xFF};
    std::copy(std::begin(light0), std::end(light0), t.begin());
    std::copy(std::begin(light5), std::end(light5), t.begin() + 20);
    std::copy(std::begin(light109), std::end(light109), t.begin() + 436);
    std::vector<Bytes> chunks;
    for (int k = 0; k < 8; ++k) {
      const int offset = 60 * k;
      const int length = k == 7 ? 20 : 60;
      Bytes frame = ReportBytes({0x00, 0x8B, std::uint8_t(length), std::uint8_t(offset & 0xFF),
                                 std::uint8_t(offset >> 8)});
      std::copy_n(t.begin() + offset, length, frame.begin() + 5);
      chunks.push_back(frame);
    }
    return chunks;
  }
};

TEST_F(ProtocolCustomColours, EightChunksOf0x8BWith1MsBeforeEach) {
  PlugB(0);
  protocol_->applyCustomColours(colours_, lights_);

  const auto writes = fwB_->Writes();
  EXPECT_EQ(BytesOf(writes), ExpectedChunks());
  EXPECT_EQ(TimesOf(writes), (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(clock_.Waits(), Repeat(1, 8));

  const auto table = fwB_->CustomColours();
  EXPECT_EQ(table[4 * 5 + 3], 0xFF);   // black still says "set"
  EXPECT_EQ(table[4 * 110 + 3], 0x00);  // light 110 never sent
}

TEST_F(ProtocolCustomColours, FamilyAGetsTheSameChunks) {
  PlugA();
  protocol_->applyCustomColours(colours_, lights_);
  EXPECT_EQ(BytesOf(fwA_->Writes()), ExpectedChunks());
}

TEST_F(ProtocolCustomColours, StopsAtTheFirstChunkThatFailsWithoutRetryingAGoneKeyboard) {
  PlugB(0);
  bus_.UnplugAfterFrames(ids_.vendor, 2);  // chunks 0 and 1 arrive, then the keyboard is gone
  protocol_->applyCustomColours(colours_, lights_);

  const auto expected = ExpectedChunks();
  EXPECT_EQ(BytesOf(fwB_->Writes()), (std::vector<Bytes>{expected[0], expected[1]}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{1, 1, 1}));
}

TEST_F(ProtocolCustomColours, FirstChunkRefusedTwiceSendsNothingFurther) {
  PlugB(0);
  bus_.RefuseOutputWrites(ids_.vendor, 2);
  protocol_->applyCustomColours(colours_, lights_);
  EXPECT_TRUE(fwB_->Writes().empty());
  EXPECT_EQ(fwB_->Frames().size(), 2u);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{1, 10}));
}

TEST_F(ProtocolCustomColours, ARetriedChunkCarriesOn) {
  PlugB(0);
  bus_.RefuseOutputWrites(ids_.vendor, 1);
  protocol_->applyCustomColours(colours_, lights_);
  EXPECT_EQ(BytesOf(fwB_->Writes()), ExpectedChunks());
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{1, 10, 1, 1, 1, 1, 1, 1, 1}));
}

// ---------------------------------------------------------------------------
// Firmware version.

class ProtocolFirmwareVersion : public ProtocolFixture {};

TEST_F(ProtocolFirmwareVersion, RequestThenOneGetWith16MsBeforeEach) {
  PlugB(0);
  fwB_->SetFirmwareVersion(0x0102);
  EXPECT_EQ(protocol_->readFirmwareVersion(), 0x0102);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{16, 16}));

  const auto frames = fwB_->Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].kind, FrameKind::Feature);
  EXPECT_EQ(frames[0].bytes, FeatureBytes({0x07, 0xFD}));
  EXPECT_EQ(frames[0].timeMs, 16u);
  EXPECT_EQ(frames[1].kind, FrameKind::GetFeature);
  EXPECT_EQ(frames[1].timeMs, 32u);
}

TEST_F(ProtocolFirmwareVersion, FamilyAAnswersTheSameQuery) {
  PlugA();
  fwA_->SetFirmwareVersion(0x0A0B);
  EXPECT_EQ(protocol_->readFirmwareVersion(), 0x0A0B);
}

TEST_F(ProtocolFirmwareVersion, WrongReportIdIsAskedOnceMore) {
  PlugB(0);
  fwB_->SetFirmwareVersion(0x0203);
  bus_.WrongReportIdOnGets(ids_.vendor, 1);
  EXPECT_EQ(protocol_->readFirmwareVersion(), 0x0203);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{16, 16, 16}));
  EXPECT_EQ(OfKind(fwB_->Frames(), FrameKind::GetFeature).size(), 2u);
}

TEST_F(ProtocolFirmwareVersion, WrongReportIdTwiceStillYieldsTheSecondReplysBytes) {
  PlugB(0);
  bus_.CannedGetReplies(ids_.vendor, {{0x00, 0x09, 0x09, 0, 0, 0, 0, 0}, {0x01, 0x03, 0x07, 0, 0, 0, 0, 0}});
  EXPECT_EQ(protocol_->readFirmwareVersion(), 0x0307);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{16, 16, 16}));
  EXPECT_EQ(OfKind(fwB_->Frames(), FrameKind::GetFeature).size(), 2u);  // no third ask
}

TEST_F(ProtocolFirmwareVersion, RefusedRequestGivesNoVersionAndNoGet) {
  PlugB(0);
  bus_.RefuseFeatureSends(ids_.vendor, 1);
  EXPECT_EQ(protocol_->readFirmwareVersion(), std::nullopt);
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{16});
  EXPECT_TRUE(OfKind(fwB_->Frames(), FrameKind::GetFeature).empty());
}

TEST_F(ProtocolFirmwareVersion, NoKeyboardGivesNoVersion) {
  EXPECT_EQ(protocol_->readFirmwareVersion(), std::nullopt);
}

// ---------------------------------------------------------------------------
// Factory reset.

class ProtocolReset : public ProtocolFixture {};

TEST_F(ProtocolReset, FamilyASendsOneReportThenWaits100Ms) {
  PlugA();
  protocol_->resetDevice(kFamilyAType, 0);
  EXPECT_EQ(BytesOf(fwA_->Writes()), std::vector<Bytes>{ReportBytes({0x00, 0xFF, 0xFE, 0xAA, 0xFF})});
  EXPECT_EQ(fwA_->Writes()[0].timeMs, 0u);
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{100});
  EXPECT_EQ(fwA_->ResetCount(), 1);
}

TEST_F(ProtocolReset, FamilyBWiredSendsOneFeatureThenWaits100Ms) {
  PlugB(0);
  protocol_->resetDevice(kFamilyBType, 0);
  EXPECT_EQ(BytesOf(fwB_->Writes()), std::vector<Bytes>{FeatureBytes({0x07, 0xF0, 0xAA})});
  EXPECT_EQ(fwB_->Writes()[0].timeMs, 16u);
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{16, 100}));
  EXPECT_EQ(fwB_->ResetCount(), 1);
}

class ProtocolResetLongFrame : public ProtocolFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ProtocolResetLongFrame, FamilyBModes1And2SendTwoLongFrames1600MsApart) {
  PlugB(GetParam());
  protocol_->resetDevice(kFamilyBType, GetParam());
  const auto writes = fwB_->Writes();
  EXPECT_EQ(BytesOf(writes),
            (std::vector<Bytes>{LongBytes({0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}), LongBytes({})}));
  EXPECT_EQ(TimesOf(writes), (std::vector<std::uint64_t>{0, 1600}));
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{1600});
  EXPECT_EQ(fwB_->ResetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, ProtocolResetLongFrame, ::testing::Values(1, 2));

// ---------------------------------------------------------------------------
// Live stream (family A).

class ProtocolLiveStream : public ProtocolFixture {
 protected:
  static std::vector<Bytes> ExpectedChunks(const std::array<std::uint8_t, 330>& t) {
    std::vector<Bytes> chunks;
    for (int k = 0; k < 6; ++k) {
      const int offset = 60 * k;
      const int length = k == 5 ? 30 : 60;
      Bytes frame = ReportBytes({0x00, 0xF1, std::uint8_t(length), std::uint8_t(offset & 0xFF),
                                 std::uint8_t(offset >> 8)});
      std::copy_n(t.begin() + offset, length, frame.begin() + 5);
      chunks.push_back(frame);
    }
    return chunks;
  }
  // Light 2 lit 0x332211 (GDI form: red 0x11), light 109 lit, light 110 past the stream.
  const std::vector<LiveKeyColor> keys_ = {{2, 0x00332211}, {109, 0x00010203}, {110, 0x00FFFFFF}, {7, 1}};
  static std::array<std::uint8_t, 330> ExpectedTable() {
    std::array<std::uint8_t, 330> t{};
    t[6] = 0x11, t[7] = 0x22, t[8] = 0x33;
    t[327] = 0x03, t[328] = 0x02, t[329] = 0x01;
    t[21] = 0x01;
    return t;
  }
};

TEST_F(ProtocolLiveStream, NothingWhenNoKeyHasAColourOf2OrMore) {
  PlugA();
  EXPECT_FALSE(protocol_->sendLiveFrame(0, {{0, 0}, {1, 1}, {2, 0x00000001}}));
  EXPECT_FALSE(protocol_->sendLiveFrame(0, {}));
  EXPECT_TRUE(fwA_->Frames().empty());
  EXPECT_TRUE(clock_.Waits().empty());
}

TEST_F(ProtocolLiveStream, NothingWhenNotWired) {
  PlugA();
  EXPECT_FALSE(protocol_->sendLiveFrame(1, keys_));
  EXPECT_FALSE(protocol_->sendLiveFrame(2, keys_));
  EXPECT_TRUE(fwA_->Frames().empty());
}

TEST_F(ProtocolLiveStream, StartFrameOnceThenSixChunksOnInterface3) {
  PlugA();
  EXPECT_TRUE(protocol_->sendLiveFrame(0, keys_));
  EXPECT_TRUE(protocol_->sendLiveFrame(0, keys_));

  const auto writes = fwA_->Writes();
  const auto chunks = ExpectedChunks(ExpectedTable());
  std::vector<Bytes> expected{ReportBytes({0x00, 0xF0, 0xF4, 0x01})};
  expected.insert(expected.end(), chunks.begin(), chunks.end());
  expected.insert(expected.end(), chunks.begin(), chunks.end());
  EXPECT_EQ(BytesOf(writes), expected);
  ASSERT_EQ(writes.size(), 13u);
  EXPECT_EQ(writes[0].interfaceNumber, 1);
  for (std::size_t i = 1; i < writes.size(); ++i) EXPECT_EQ(writes[i].interfaceNumber, 3) << i;
  EXPECT_EQ(writes[0].timeMs, 0u);
  EXPECT_EQ(writes[1].timeMs, 1u);
  EXPECT_EQ(clock_.Waits(), Repeat(1, 12));
  EXPECT_EQ(fwA_->StreamStarts(), 1);
  const auto table = fwA_->StreamTable();
  EXPECT_TRUE(std::equal(table.begin(), table.end(), ExpectedTable().begin()));
}

TEST_F(ProtocolLiveStream, AFailedChunkDoesNotStopTheStream) {
  PlugA();
  bus_.RefuseOutputWrites(ids_.stream, 2);
  EXPECT_TRUE(protocol_->sendLiveFrame(0, keys_));
  const auto chunks = ExpectedChunks(ExpectedTable());
  const auto stream = OfKind(fwA_->Writes(), FrameKind::Output);
  EXPECT_EQ(BytesOf(stream),
            (std::vector<Bytes>{ReportBytes({0x00, 0xF0, 0xF4, 0x01}), chunks[1], chunks[2], chunks[3], chunks[4],
                                chunks[5]}));
  EXPECT_EQ(clock_.Waits(), (std::vector<std::uint32_t>{1, 10, 1, 1, 1, 1, 1}));
}

TEST_F(ProtocolLiveStream, StopsWhenThereIsNoInterface3) {
  Serve(0x0004, kFamilyAType, 0);
  fwA_ = Track(std::make_shared<FamilyAFirmware>());
  PlugInterface(0x0004, 0xFF01, 0x0001, 1, fwA_);
  Rescan(kFamilyAType);

  protocol_->sendLiveFrame(0, keys_);
  EXPECT_EQ(BytesOf(fwA_->Writes()), std::vector<Bytes>{ReportBytes({0x00, 0xF0, 0xF4, 0x01})});
  EXPECT_EQ(clock_.Waits(), std::vector<std::uint32_t>{1});
}

// ---------------------------------------------------------------------------
// Music level (family B).

class ProtocolMusicLevel : public ProtocolFixture {};

TEST_F(ProtocolMusicLevel, SentAtOnceWithEffectAndValue) {
  PlugB(0);
  protocol_->sendMusicLevel(100, 1.0, 3);
  protocol_->sendMusicLevel(128, 3.0, 1);   // 384 is limited to 255
  protocol_->sendMusicLevel(128, 1.9, 2);   // 243.2 truncates
  protocol_->sendMusicLevel(0, 2.0, 1);

  EXPECT_EQ(BytesOf(fwB_->Writes()), (std::vector<Bytes>{FeatureBytes({0x07, 0x23, 0x45, 0x67, 0x89, 0x03, 100}),
                                                         FeatureBytes({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0xFF}),
                                                         FeatureBytes({0x07, 0x23, 0x45, 0x67, 0x89, 0x02, 243}),
                                                         FeatureBytes({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0})}));
  EXPECT_TRUE(clock_.Waits().empty());
  EXPECT_EQ(TimesOf(fwB_->Writes()), (std::vector<std::uint64_t>{0, 0, 0, 0}));
}

TEST_F(ProtocolMusicLevel, LevelOfABufferIsTheSample10BeforeTheEnd) {
  EXPECT_EQ(KeyboardProtocol::MusicLevel({}), 0);

  std::vector<std::int16_t> samples(40, 0x7FFF);
  samples[30] = 0x1234;  // 10 before the end of 40
  EXPECT_EQ(KeyboardProtocol::MusicLevel(samples), 0x12);
  samples[30] = -32768;
  EXPECT_EQ(KeyboardProtocol::MusicLevel(samples), 128);
  samples[30] = -0x0100;
  EXPECT_EQ(KeyboardProtocol::MusicLevel(samples), 1);
  samples[30] = 0x00FF;
  EXPECT_EQ(KeyboardProtocol::MusicLevel(samples), 0);

  std::vector<std::int16_t> exact(10, 0);
  exact[0] = 0x4000;
  EXPECT_EQ(KeyboardProtocol::MusicLevel(exact), 0x40);
}

TEST_F(ProtocolMusicLevel, NothingWithoutAKeyboard) {
  protocol_->sendMusicLevel(100, 1.0, 1);
  EXPECT_TRUE(clock_.Waits().empty());
}

// ---------------------------------------------------------------------------
// A closed manager: every operation runs to its end and sends nothing.

class ProtocolClosed : public ProtocolFixture {};

TEST_F(ProtocolClosed, NoFrameReachesTheKeyboard) {
  PlugA(150);
  hid_->setOpen(false);
  bool fresh = true;
  protocol_->applyLighting(Command(150, 0, Row(1, 1, 1, 1)), fresh);
  protocol_->selectCustomSet(Command(150, 0, Row(1, 1, 1, 1)));
  protocol_->applyCustomColours({}, {});
  EXPECT_EQ(protocol_->readFirmwareVersion(), std::nullopt);
  protocol_->resetDevice(150, 0);
  protocol_->sendLiveFrame(0, {{0, 0xFF}});
  protocol_->sendMusicLevel(1, 1.0, 1);
  EXPECT_FALSE(fresh);
  EXPECT_TRUE(fwA_->Frames().empty());
}

}  // namespace
