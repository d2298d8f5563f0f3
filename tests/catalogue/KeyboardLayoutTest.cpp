#include "catalogue/KeyboardLayout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "catalogue/Catalogue.h"
#include "tests/support/TempFolder.h"
#include "zephui/Text.h"

// Readable failure messages for the types the expectations compare.
static void PrintTo(LayoutPicture picture, std::ostream* os) {
  *os << "picture 0x" << std::hex << static_cast<std::uint32_t>(picture) << std::dec;
}
namespace ZephUI {
static void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace ZephUI

namespace {

using ::testing::_;
using ::testing::AnyNumber;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::NiceMock;
using ::testing::StrictMock;

constexpr LayoutPicture kKeys = LayoutPicture::KeyCustomisation;
constexpr LayoutPicture kLighting = LayoutPicture::Lighting;
constexpr LayoutPicture kSettings = LayoutPicture::Settings;
const std::vector<LayoutPicture> kAllPictures = {kKeys, kLighting, kSettings};

class MockViews : public LayoutViews {
 public:
  MOCK_METHOD(void, SetTabVisible, (int, bool), (override));
  MOCK_METHOD(void, SetFirmwareButtonVisible, (bool), (override));
  MOCK_METHOD(void, SetLightSliderMaximums, (int, int), (override));
  MOCK_METHOD(void, ClearKeyItems, (LayoutPicture), (override));
  MOCK_METHOD(void, SetPicture, (LayoutPicture, const ZephUI::Rect&, const std::u16string&, int, int), (override));
  MOCK_METHOD(void, AddKeyItem, (LayoutPicture, const LayoutKey&), (override));
};

class MockDatabase : public LayoutDatabase {
 public:
  MOCK_METHOD(void, SwitchDatabase, (const std::u16string&, int), (override));
};

// Keeps every call, plus one log of the picture calls in the order they came,
// so tests can check what each picture received and in which order.
class RecordingViews : public LayoutViews {
 public:
  struct PictureCall {
    enum Kind { Clear, Picture, Key } kind;
    LayoutPicture picture;
    int code;  // key calls only
  };
  struct Placement {
    ZephUI::Rect rect;
    std::u16string image;
    int width;
    int height;
  };

  void SetTabVisible(int item, bool visible) override { tabs.emplace_back(item, visible); }
  void SetFirmwareButtonVisible(bool visible) override { firmwareButton.push_back(visible); }
  void SetLightSliderMaximums(int brightnessMax, int speedMax) override {
    sliderMaximums.emplace_back(brightnessMax, speedMax);
  }
  void ClearKeyItems(LayoutPicture picture) override { log.push_back({PictureCall::Clear, picture, 0}); }
  void SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                  int height) override {
    log.push_back({PictureCall::Picture, picture, 0});
    placements[picture].push_back({rect, image, width, height});
  }
  void AddKeyItem(LayoutPicture picture, const LayoutKey& key) override {
    log.push_back({PictureCall::Key, picture, key.code});
    keys[picture].push_back(key);
  }

  int Count(PictureCall::Kind kind, LayoutPicture picture) const {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const PictureCall& c) {
      return c.kind == kind && c.picture == picture;
    }));
  }
  // The pictures that received any call of this kind.
  std::set<LayoutPicture> Pictures(PictureCall::Kind kind) const {
    std::set<LayoutPicture> result;
    for (const PictureCall& c : log) {
      if (c.kind == kind) result.insert(c.picture);
    }
    return result;
  }
  std::vector<int> Codes(LayoutPicture picture) const {
    std::vector<int> result;
    auto found = keys.find(picture);
    if (found == keys.end()) return result;
    for (const LayoutKey& k : found->second) result.push_back(k.code);
    return result;
  }

  std::vector<std::pair<int, bool>> tabs;
  std::vector<bool> firmwareButton;
  std::vector<std::pair<int, int>> sliderMaximums;
  std::vector<PictureCall> log;
  std::map<LayoutPicture, std::vector<Placement>> placements;
  std::map<LayoutPicture, std::vector<LayoutKey>> keys;
};

int FilledCells(const KeyboardLayout::Matrix& matrix) {
  int filled = 0;
  for (const auto& row : matrix) {
    for (std::uint8_t cell : row) filled += cell != KeyboardLayout::kNoKey ? 1 : 0;
  }
  return filled;
}

std::vector<int> Codes(const std::vector<LayoutKey>& keys) {
  std::vector<int> codes;
  for (const LayoutKey& k : keys) codes.push_back(k.code);
  return codes;
}

std::string Key(const std::string& code, int keyIndex, int lightIndex, const std::string& rowCol,
                const std::string& rect = "0#0#10#10") {
  return "<key code=\"" + code + "\" name=\"n" + code + "\" desc=\"d" + code + "\" key_index=\"" +
         std::to_string(keyIndex) + "\" light_index=\"" + std::to_string(lightIndex) + "\" row_col=\"" + rowCol +
         "\" rect=\"" + rect + "\"/>";
}

std::string Keyboard(const std::string& keys) {
  return R"(<Keyboard xpos="335" ypos="105" width="930" height="280" image="A.png" row_count="6" col_count="22">)"
         "<KeyItems>" +
         keys + "</KeyItems></Keyboard>";
}

const std::string kMenuAll = R"(<menu macro="1" light_mode="1"/>)";
const std::string kFirmwareA = R"(<firmware version="1.02" file="Tool" url="https://fw.example/a/"/>)";
const std::string kLightA =
    R"(<light rgb_keyboard="1" default_mode="4" default_brightness="3" default_speed="2" brightness_max="5" speed_max="6">
         <info name="900" mode="1" attribute="65"/>
         <info name="901" mode="7" attribute="131"/>
         <info name="902" mode="3" attribute="2049"/>
       </light>)";
const std::string kKeysA =
    R"(<key code="129" name="Esc" desc="Escape" key_index="0" light_index="0" row_col="0#0" rect="12#12#36#36"/>
       <key code="104" name="A" desc="Letter A" key_index="30" light_index="31" row_col="3#1" rect="10#20#30#40"/>
       <key code="2E1" name="Shift" desc="Left shift" key_index="60" light_index="62" row_col="4#15" rect="0#180#50#36"/>)";
// A complete layout with three keys: Escape, A and left Shift.
const std::string kLayoutA = kMenuAll + R"(<function sleep_time="1"/>)" + kFirmwareA + kLightA + Keyboard(kKeysA);

class KeyboardLayoutTest : public ::testing::Test {
 protected:
  static constexpr int kTypeA = 201;
  static constexpr int kTypeB = 101;
  static constexpr int kTypeWithoutFile = 300;
  static constexpr int kTypeNotInCatalogue = 999;

  void SetUp() override {
    folder_.Write("config.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<config><device.info>
  <keyboard name="Model A" device_type="201" device_info="A"/>
  <keyboard name="Model B" device_type="101" device_info="B"/>
  <keyboard name="No File" device_type="300" device_info="Absent"/>
</device.info></config>)");
    ASSERT_TRUE(catalogue_.Read(folder_.Path(), {}));
  }

  void WriteLayout(const std::string& name, const std::string& body) const {
    folder_.Write("layouts/" + name + ".xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<device.info>" + body +
                                                  "</device.info>");
  }

  void Load(int type, LayoutViews* views = nullptr, LayoutDatabase* database = nullptr) {
    layout_.Load(type, catalogue_, folder_.Path(), views, database);
  }

  testsupport::TempFolder folder_;
  Catalogue catalogue_;
  KeyboardLayout layout_;
};

// ---------------------------------------------------------------------------
// Text helpers

TEST(LayoutKeyRectText, WidthAndHeightAreAddedToTheOrigin) {
  EXPECT_EQ(ParseKeyRect(u"10#20#30#40"), (ZephUI::Rect{10, 20, 40, 60}));
  EXPECT_EQ(ParseKeyRect(u"335#105#930#280"), (ZephUI::Rect{335, 105, 1265, 385}));
  EXPECT_EQ(ParseKeyRect(u"0#0#0#0"), (ZephUI::Rect{0, 0, 0, 0}));
}

TEST(LayoutKeyRectText, NumbersOutsideASaneRangeAreClampedSoNothingOverflows) {
  constexpr int kMax = KeyboardLayout::kMaxCoordinate;
  EXPECT_EQ(ParseKeyRect(u"2147483647#2147483647#2147483647#10"), (ZephUI::Rect{kMax, kMax, 2 * kMax, kMax + 10}));
  EXPECT_EQ(ParseKeyRect(u"-2147483648#5#-2147483648#-99999999999"), (ZephUI::Rect{-kMax, 5, -2 * kMax, 5 - kMax}));
}

TEST(LayoutMatrixCellText, RowDigitThenOneOrTwoColumnDigits) {
  struct Case {
    std::u16string text;
    int row, column;
  };
  for (const Case& c : {Case{u"2#7", 2, 7}, Case{u"2#15", 2, 15}, Case{u"0#0", 0, 0}, Case{u"7#31", 7, 31},
                        Case{u"5#09", 5, 9}}) {
    SCOPED_TRACE(ZephUI::ToUtf8(c.text));
    int row = -1, column = -1;
    ASSERT_TRUE(ParseMatrixCell(c.text, row, column));
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(column, c.column);
  }
}

TEST(LayoutMatrixCellText, CellsOutsideEightByThirtyTwoAreRejected) {
  for (const std::u16string text : {u"8#0", u"9#31", u"0#32", u"7#99"}) {
    int row = 0, column = 0;
    EXPECT_FALSE(ParseMatrixCell(text, row, column)) << ZephUI::ToUtf8(text);
  }
}

TEST(LayoutMatrixCellText, MalformedTextIsRejected) {
  // Signs and blanks would get through a plain number parse, so they are listed too.
  for (const std::u16string text : {u"", u"2", u"2#", u"27", u"x#1", u"2#x", u"2#1x", u"-1#3", u"2#+5", u"2# 5"}) {
    int row = 0, column = 0;
    EXPECT_FALSE(ParseMatrixCell(text, row, column)) << '"' << ZephUI::ToUtf8(text) << '"';
  }
}

// ---------------------------------------------------------------------------
// Pages and pictures chosen by `menu`

TEST_F(KeyboardLayoutTest, LightingWithoutMacrosGivesMask0x45AndFillsAllThreePictures) {
  WriteLayout("A", R"(<menu macro="0" light_mode="1"/>)" + Keyboard(kKeysA));
  NiceMock<MockViews> views;
  EXPECT_CALL(views, SetTabVisible(1, true));
  EXPECT_CALL(views, SetTabVisible(2, false));
  EXPECT_CALL(views, SetTabVisible(3, true));
  EXPECT_CALL(views, SetTabVisible(7, true));  // the strip has no item 7; the call is still made
  for (LayoutPicture picture : kAllPictures) {
    EXPECT_CALL(views, ClearKeyItems(picture));
    EXPECT_CALL(views, AddKeyItem(picture, _)).Times(3);
  }
  Load(kTypeA, &views);
  EXPECT_EQ(layout_.pageMask, 0x45u);
}

TEST_F(KeyboardLayoutTest, MenuFlagsChooseMaskTabsAndPictures) {
  struct Case {
    std::string menu;
    std::uint32_t mask;
    bool macroTab, lightingTab;
    std::set<LayoutPicture> pictures;
  };
  const std::vector<Case> cases = {
      {R"(<menu macro="0" light_mode="0"/>)", 0x41, false, false, {kKeys, kSettings}},
      {R"(<menu macro="1" light_mode="0"/>)", 0x43, true, false, {kKeys, kSettings}},
      {R"(<menu macro="1" light_mode="1"/>)", 0x47, true, true, {kKeys, kLighting, kSettings}},
      {R"(<menu macro="2" light_mode="2"/>)", 0x41, false, false, {kKeys, kSettings}},  // only 1 means yes
      {R"(<menu/>)", 0x41, false, false, {kKeys, kSettings}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menu);
    WriteLayout("A", c.menu + Keyboard(kKeysA));
    KeyboardLayout layout;
    RecordingViews views;
    layout.Load(kTypeA, catalogue_, folder_.Path(), &views, nullptr);
    EXPECT_EQ(layout.pageMask, c.mask);
    EXPECT_THAT(views.tabs, ElementsAre(std::pair(1, true), std::pair(2, c.macroTab), std::pair(3, c.lightingTab),
                                        std::pair(7, true)));
    EXPECT_EQ(views.Pictures(RecordingViews::PictureCall::Clear), c.pictures);
    EXPECT_EQ(views.Pictures(RecordingViews::PictureCall::Picture), c.pictures);
    EXPECT_EQ(views.Pictures(RecordingViews::PictureCall::Key), c.pictures);
  }
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(KeyboardLayoutTest, KeysFillMatrixIndexMapsAndEveryPicture) {
  WriteLayout("A", kLayoutA);
  RecordingViews views;
  Load(kTypeA, &views);

  // The cell holds the code's low byte, the HID usage: 0x104 -> 0x04 (A), 0x2E1 -> 0xE1 (left Shift).
  EXPECT_EQ(layout_.matrix[0][0], 0x29);
  EXPECT_EQ(layout_.matrix[3][1], 0x04);
  EXPECT_EQ(layout_.matrix[4][15], 0xE1);
  EXPECT_EQ(FilledCells(layout_.matrix), 3);
  EXPECT_TRUE(layout_.rejectedCells.empty());

  EXPECT_EQ(layout_.keyIndex, (std::map<int, int>{{0x129, 0}, {0x104, 30}, {0x2E1, 60}}));
  EXPECT_EQ(layout_.lightIndex, (std::map<int, int>{{0x129, 0}, {0x104, 31}, {0x2E1, 62}}));

  for (LayoutPicture picture : kAllPictures) {
    SCOPED_TRACE(static_cast<int>(picture));
    ASSERT_EQ(views.Codes(picture), (std::vector<int>{0x129, 0x104, 0x2E1}));  // file order
    const LayoutKey& a = views.keys[picture][1];
    EXPECT_EQ(a.name, u"A");
    EXPECT_EQ(a.description, u"Letter A");
    EXPECT_EQ(a.rect, (ZephUI::Rect{10, 20, 40, 60}));
    EXPECT_EQ(views.keys[picture][2].rect, (ZephUI::Rect{0, 180, 50, 216}));
  }
}

TEST_F(KeyboardLayoutTest, KeyOutsideTheMatrixKeepsMapsAndPicturesButNotItsCell) {
  WriteLayout("A", kMenuAll + Keyboard(Key("104", 1, 2, "1#1") + Key("105", 3, 4, "8#2") +
                                       Key("106", 5, 6, "2#32") + Key("107", 7, 8, "zz")));
  RecordingViews views;
  Load(kTypeA, &views);

  EXPECT_EQ(layout_.keyIndex, (std::map<int, int>{{0x104, 1}, {0x105, 3}, {0x106, 5}, {0x107, 7}}));
  EXPECT_EQ(layout_.lightIndex, (std::map<int, int>{{0x104, 2}, {0x105, 4}, {0x106, 6}, {0x107, 8}}));
  for (LayoutPicture picture : kAllPictures) {
    EXPECT_EQ(views.Codes(picture), (std::vector<int>{0x104, 0x105, 0x106, 0x107}));
  }
  EXPECT_EQ(layout_.matrix[1][1], 0x04);
  EXPECT_EQ(FilledCells(layout_.matrix), 1);  // nothing wrapped into a neighbouring row or column
  EXPECT_EQ(Codes(layout_.rejectedCells), (std::vector<int>{0x105, 0x106, 0x107}));
  EXPECT_EQ(layout_.rejectedCells[0].name, u"n105");
}

TEST_F(KeyboardLayoutTest, LoadingTheSameTypeTwiceRebuildsEverythingFromScratch) {
  // One rejected key too, so a list that only ever grows would show.
  WriteLayout("A", kMenuAll + Keyboard(kKeysA + Key("1FF", 9, 9, "9#9")));
  RecordingViews views;
  Load(kTypeA, &views);
  const std::map<int, int> firstKeys = layout_.keyIndex;
  const std::map<int, int> firstLights = layout_.lightIndex;
  const KeyboardLayout::Matrix firstMatrix = layout_.matrix;

  views.log.clear();
  Load(kTypeA, &views);

  for (LayoutPicture picture : kAllPictures) {
    SCOPED_TRACE(static_cast<int>(picture));
    EXPECT_EQ(views.Count(RecordingViews::PictureCall::Clear, picture), 1);
    EXPECT_EQ(views.Count(RecordingViews::PictureCall::Key, picture), 4);
    const auto clear = std::find_if(views.log.begin(), views.log.end(), [&](const auto& c) {
      return c.kind == RecordingViews::PictureCall::Clear && c.picture == picture;
    });
    const auto firstKey = std::find_if(views.log.begin(), views.log.end(), [&](const auto& c) {
      return c.kind == RecordingViews::PictureCall::Key && c.picture == picture;
    });
    EXPECT_LT(clear - views.log.begin(), firstKey - views.log.begin()) << "key added before the picture was cleared";
  }
  EXPECT_EQ(layout_.keyIndex, firstKeys);
  EXPECT_EQ(layout_.lightIndex, firstLights);
  EXPECT_EQ(layout_.matrix, firstMatrix);
  EXPECT_EQ(layout_.rejectedCells.size(), 1u);
}

TEST_F(KeyboardLayoutTest, SwitchingModelsDropsTheOldModelsKeysAndCells) {
  WriteLayout("A", kLayoutA);
  WriteLayout("B", kMenuAll + Keyboard(Key("10A", 7, 8, "5#20") + Key("1AA", 0, 0, "8#0")));
  Load(kTypeA);
  Load(kTypeB);
  EXPECT_EQ(layout_.keyIndex, (std::map<int, int>{{0x10A, 7}, {0x1AA, 0}}));
  EXPECT_EQ(layout_.lightIndex, (std::map<int, int>{{0x10A, 8}, {0x1AA, 0}}));
  EXPECT_EQ(layout_.matrix[5][20], 0x0A);
  EXPECT_EQ(FilledCells(layout_.matrix), 1);
  EXPECT_EQ(Codes(layout_.rejectedCells), (std::vector<int>{0x1AA}));
}

// ---------------------------------------------------------------------------
// Database switch and failed loads

TEST_F(KeyboardLayoutTest, DatabaseIsSwitchedToTheModelNameBeforeTheLayoutIsRead) {
  // The layout file only appears during the switch: if the file were read first, nothing would load.
  StrictMock<MockDatabase> database;
  EXPECT_CALL(database, SwitchDatabase(std::u16string(u"Model A"), kTypeA)).WillOnce([&] {
    EXPECT_EQ(layout_.pageMask, 0u);
    EXPECT_TRUE(layout_.keyIndex.empty());
    WriteLayout("A", kLayoutA);
  });
  Load(kTypeA, nullptr, &database);
  EXPECT_EQ(layout_.deviceType, kTypeA);
  EXPECT_EQ(layout_.deviceName, u"Model A");
  EXPECT_EQ(layout_.keyIndex.size(), 3u);
}

TEST_F(KeyboardLayoutTest, WithoutViewsOrDatabaseTheStateIsStillFilled) {
  WriteLayout("A", kLayoutA);
  Load(kTypeA);
  EXPECT_EQ(layout_.pageMask, 0x47u);
  EXPECT_TRUE(layout_.sleepOption);
  EXPECT_EQ(layout_.firmwareVersion, u"1.02");
  EXPECT_EQ(layout_.lightModes.size(), 3u);
  EXPECT_EQ(layout_.keyIndex.size(), 3u);
  EXPECT_EQ(layout_.matrix[3][1], 0x04);
}

TEST_F(KeyboardLayoutTest, UnknownTypeSwitchesToTheEmptyNameAndKeepsEverythingElse) {
  WriteLayout("A", kLayoutA);
  Load(kTypeA);
  const KeyboardLayout before = layout_;

  StrictMock<MockViews> views;  // no view may change
  StrictMock<MockDatabase> database;
  EXPECT_CALL(database, SwitchDatabase(std::u16string(), kTypeNotInCatalogue));
  Load(kTypeNotInCatalogue, &views, &database);

  EXPECT_EQ(layout_.deviceType, kTypeNotInCatalogue);
  EXPECT_EQ(layout_.deviceName, u"");
  EXPECT_EQ(layout_.firmwareUrl, u"");  // cleared before anything else
  EXPECT_EQ(layout_.firmwareVersion, before.firmwareVersion);
  EXPECT_EQ(layout_.firmwareFile, before.firmwareFile);
  EXPECT_EQ(layout_.pageMask, before.pageMask);
  EXPECT_EQ(layout_.sleepOption, before.sleepOption);
  EXPECT_EQ(layout_.lightModes.size(), before.lightModes.size());
  EXPECT_EQ(layout_.keyIndex, before.keyIndex);
  EXPECT_EQ(layout_.lightIndex, before.lightIndex);
  EXPECT_EQ(layout_.matrix, before.matrix);
  EXPECT_EQ(layout_.rowCount, before.rowCount);
  EXPECT_EQ(layout_.columnCount, before.columnCount);
}

TEST_F(KeyboardLayoutTest, MissingOrUnusableLayoutFileKeepsThePreviousModel) {
  WriteLayout("A", kLayoutA);
  Load(kTypeA);
  const KeyboardLayout before = layout_;

  struct Case {
    const char* what;
    int type;
    std::u16string name;
    std::string fileBody;  // empty: no file
  };
  const std::vector<Case> cases = {
      {"no file", kTypeWithoutFile, u"No File", ""},
      {"other root", kTypeB, u"Model B", "<layout>" + kLayoutA + "</layout>"},
      {"not well-formed", kTypeB, u"Model B", "<device.info>" + kLayoutA},
      {"a folder", kTypeB, u"Model B", "folder"},
      {"a pipe", kTypeB, u"Model B", "pipe"},  // would block the load for ever if it were opened
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folder_.Path() + "layouts/B.xml");
    if (c.fileBody == "folder") {
      std::filesystem::create_directories(folder_.Path() + "layouts/B.xml");
    } else if (c.fileBody == "pipe") {
      ASSERT_EQ(mkfifo((folder_.Path() + "layouts/B.xml").c_str(), 0600), 0);
    } else if (!c.fileBody.empty()) {
      folder_.Write("layouts/B.xml", c.fileBody);
    }
    StrictMock<MockViews> views;
    StrictMock<MockDatabase> database;
    EXPECT_CALL(database, SwitchDatabase(c.name, c.type));
    Load(c.type, &views, &database);
    EXPECT_EQ(layout_.deviceName, c.name);
    EXPECT_EQ(layout_.firmwareUrl, u"");
    EXPECT_EQ(layout_.firmwareVersion, before.firmwareVersion);
    EXPECT_EQ(layout_.pageMask, before.pageMask);
    EXPECT_EQ(layout_.keyIndex, before.keyIndex);
    EXPECT_EQ(layout_.matrix, before.matrix);
    EXPECT_EQ(layout_.rowCount, before.rowCount);
  }
}

TEST_F(KeyboardLayoutTest, ModelWithoutFirmwareOrLightKeepsThePreviousModelsValues) {
  WriteLayout("A", kLayoutA);
  WriteLayout("B", Keyboard(Key("10A", 7, 8, "5#20")));
  Load(kTypeA);

  RecordingViews views;
  Load(kTypeB, &views);

  EXPECT_EQ(layout_.deviceName, u"Model B");
  EXPECT_EQ(layout_.firmwareVersion, u"1.02");
  EXPECT_EQ(layout_.firmwareFile, u"Tool");
  EXPECT_EQ(layout_.firmwareUrl, u"");
  EXPECT_TRUE(views.firmwareButton.empty());
  EXPECT_TRUE(layout_.rgbKeyboard);
  EXPECT_EQ(layout_.defaultMode, 4);
  EXPECT_EQ(layout_.defaultBrightness, 3);
  EXPECT_EQ(layout_.defaultSpeed, 2);
  ASSERT_EQ(layout_.lightModes.size(), 3u);
  EXPECT_EQ(layout_.lightModes[1].mode, 7);
  EXPECT_TRUE(views.sliderMaximums.empty());
  // No menu or function either: mask, tabs and sleep option stay as they were.
  EXPECT_EQ(layout_.pageMask, 0x47u);
  EXPECT_TRUE(views.tabs.empty());
  EXPECT_TRUE(layout_.sleepOption);
  // The keys are B's alone, on the pictures A's mask selected.
  EXPECT_EQ(layout_.keyIndex, (std::map<int, int>{{0x10A, 7}}));
  for (LayoutPicture picture : kAllPictures) EXPECT_EQ(views.Codes(picture), (std::vector<int>{0x10A}));
}

TEST_F(KeyboardLayoutTest, ModelWithoutKeyboardStillEmptiesKeysCountsAndPictures) {
  WriteLayout("A", kLayoutA);
  WriteLayout("B", kMenuAll);
  Load(kTypeA);

  RecordingViews views;
  Load(kTypeB, &views);

  EXPECT_TRUE(layout_.keyIndex.empty());
  EXPECT_TRUE(layout_.lightIndex.empty());
  EXPECT_EQ(FilledCells(layout_.matrix), 0);
  EXPECT_EQ(layout_.rowCount, 0);
  EXPECT_EQ(layout_.columnCount, 0);
  EXPECT_EQ(views.Pictures(RecordingViews::PictureCall::Clear), std::set<LayoutPicture>(kAllPictures.begin(),
                                                                                          kAllPictures.end()));
  EXPECT_TRUE(views.placements.empty());
  EXPECT_TRUE(views.keys.empty());
}

// ---------------------------------------------------------------------------
// Firmware

TEST_F(KeyboardLayoutTest, FirmwareButtonShowsOnlyWithVersionAndFile) {
  struct Case {
    std::string firmware;
    bool visible;
  };
  const std::vector<Case> cases = {
      {R"(<firmware version="1.02" file="Tool" url="u"/>)", true},
      {R"(<firmware version="" file="Tool" url="u"/>)", false},
      {R"(<firmware version="1.02" file="" url="u"/>)", false},
      {R"(<firmware version="1.02" url="u"/>)", false},
      {R"(<firmware url="u"/>)", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firmware);
    WriteLayout("A", c.firmware);
    RecordingViews views;
    Load(kTypeA, &views);
    EXPECT_THAT(views.firmwareButton, ElementsAre(c.visible));
    EXPECT_EQ(layout_.firmwareUrl, u"u");
  }
}

TEST_F(KeyboardLayoutTest, FirmwareElementReplacesAllThreeTexts) {
  WriteLayout("A", kFirmwareA);
  WriteLayout("B", R"(<firmware version="2.0" url="https://fw.example/b/"/>)");
  Load(kTypeA);
  EXPECT_EQ(layout_.firmwareVersion, u"1.02");
  EXPECT_EQ(layout_.firmwareFile, u"Tool");
  EXPECT_EQ(layout_.firmwareUrl, u"https://fw.example/a/");
  Load(kTypeB);
  EXPECT_EQ(layout_.firmwareVersion, u"2.0");
  EXPECT_EQ(layout_.firmwareFile, u"");  // a missing attribute is an empty text, not the old one
  EXPECT_EQ(layout_.firmwareUrl, u"https://fw.example/b/");
}

// ---------------------------------------------------------------------------
// Lighting

TEST_F(KeyboardLayoutTest, LightElementGivesDefaultsSliderMaximumsAndModesInFileOrder) {
  WriteLayout("A", kLightA);
  StrictMock<MockViews> views;
  EXPECT_CALL(views, SetLightSliderMaximums(5, 6));
  EXPECT_CALL(views, ClearKeyItems(_)).Times(AnyNumber());
  Load(kTypeA, &views);

  EXPECT_TRUE(layout_.rgbKeyboard);
  EXPECT_EQ(layout_.defaultMode, 4);
  EXPECT_EQ(layout_.defaultBrightness, 3);
  EXPECT_EQ(layout_.defaultSpeed, 2);
  ASSERT_EQ(layout_.lightModes.size(), 3u);
  const std::vector<std::tuple<std::u16string, int, int>> expected = {
      {u"900", 1, 65}, {u"901", 7, 131}, {u"902", 3, 2049}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(layout_.lightModes[i].name, std::get<0>(expected[i]));
    EXPECT_EQ(layout_.lightModes[i].mode, std::get<1>(expected[i]));
    EXPECT_EQ(layout_.lightModes[i].attribute, std::get<2>(expected[i]));
  }
}

TEST_F(KeyboardLayoutTest, LightWithoutModesEmptiesTheListAndTheKeyboardAfterItIsStillRead) {
  WriteLayout("A", kLayoutA);
  WriteLayout("B", kMenuAll + R"(<light rgb_keyboard="0" default_mode="1"/>)" + Keyboard(Key("10A", 7, 8, "5#20")));
  Load(kTypeA);
  Load(kTypeB);
  EXPECT_FALSE(layout_.rgbKeyboard);
  EXPECT_EQ(layout_.defaultMode, 1);
  EXPECT_EQ(layout_.defaultBrightness, 0);
  EXPECT_TRUE(layout_.lightModes.empty());
  EXPECT_EQ(layout_.keyIndex, (std::map<int, int>{{0x10A, 7}}));
  EXPECT_EQ(layout_.matrix[5][20], 0x0A);
}

// ---------------------------------------------------------------------------
// Keyboard picture

TEST_F(KeyboardLayoutTest, KeyboardElementPlacesEverySelectedPicture) {
  WriteLayout("A", kLayoutA);
  NiceMock<MockViews> views;
  for (LayoutPicture picture : kAllPictures) {
    EXPECT_CALL(views, SetPicture(picture, ZephUI::Rect{335, 105, 1265, 385}, std::u16string(u"keyboard/A.png"),
                                  930, 280));
  }
  Load(kTypeA, &views);
  EXPECT_EQ(layout_.rowCount, 6);
  EXPECT_EQ(layout_.columnCount, 22);
}

TEST_F(KeyboardLayoutTest, HugePicturePositionsAndSizesAreClamped) {
  WriteLayout("A", kMenuAll + R"(<Keyboard xpos="2147483647" ypos="-2147483648" width="2147483647" height="7"
                                           image="x.png" row_count="1" col_count="1"/>)");
  RecordingViews views;
  Load(kTypeA, &views);
  constexpr int kMax = KeyboardLayout::kMaxCoordinate;
  ASSERT_EQ(views.placements[kKeys].size(), 1u);
  EXPECT_EQ(views.placements[kKeys][0].rect, (ZephUI::Rect{kMax, -kMax, 2 * kMax, 7 - kMax}));
  EXPECT_EQ(views.placements[kKeys][0].width, kMax);
}

TEST_F(KeyboardLayoutTest, KeyboardWithoutKeyItemsPlacesPicturesButAddsNoKeys) {
  WriteLayout("A", kMenuAll + R"(<Keyboard xpos="1" ypos="2" width="3" height="4" image="x.png" row_count="2"
                                           col_count="5"/>)");
  RecordingViews views;
  Load(kTypeA, &views);
  EXPECT_EQ(views.Pictures(RecordingViews::PictureCall::Picture).size(), 3u);
  EXPECT_EQ(views.placements[kLighting].at(0).rect, (ZephUI::Rect{1, 2, 4, 6}));
  EXPECT_TRUE(views.keys.empty());
  EXPECT_TRUE(layout_.keyIndex.empty());
  EXPECT_EQ(layout_.rowCount, 2);
  EXPECT_EQ(layout_.columnCount, 5);
}

// ---------------------------------------------------------------------------
// Element order: the reader only looks forward.

TEST_F(KeyboardLayoutTest, LightBeforeMenuIsNotFound) {
  WriteLayout("A", kLightA + kMenuAll + kFirmwareA + Keyboard(kKeysA));
  RecordingViews views;
  Load(kTypeA, &views);
  EXPECT_EQ(layout_.pageMask, 0x47u);
  EXPECT_EQ(layout_.firmwareVersion, u"1.02");
  EXPECT_TRUE(views.sliderMaximums.empty());
  EXPECT_TRUE(layout_.lightModes.empty());
  EXPECT_FALSE(layout_.rgbKeyboard);
  EXPECT_EQ(layout_.keyIndex.size(), 3u);  // the search for light leaves the cursor where it was
}

TEST_F(KeyboardLayoutTest, KeyboardBeforeFirmwareIsNotFound) {
  WriteLayout("A", kMenuAll + Keyboard(kKeysA) + kFirmwareA);
  RecordingViews views;
  Load(kTypeA, &views);
  EXPECT_EQ(layout_.firmwareVersion, u"1.02");
  EXPECT_TRUE(layout_.keyIndex.empty());
  EXPECT_EQ(FilledCells(layout_.matrix), 0);
  EXPECT_TRUE(views.placements.empty());
  EXPECT_TRUE(views.keys.empty());
}

// ---------------------------------------------------------------------------
// The layouts shipped beside the program

TEST(ShippedKeyboardLayout, T40LoadsCompletelyIntoTheMatrix) {
  Catalogue catalogue;
  ASSERT_TRUE(catalogue.Read(GetModuleFolder(), {}));
  const CatalogueEntry* t40 = catalogue.FindKeyboard(201);
  ASSERT_NE(t40, nullptr);

  KeyboardLayout layout;
  RecordingViews views;
  StrictMock<MockDatabase> database;
  EXPECT_CALL(database, SwitchDatabase(t40->name, 201));
  layout.Load(201, catalogue, GetModuleFolder(), &views, &database);

  const std::vector<LayoutKey>& keys = views.keys[kKeys];
  EXPECT_GT(keys.size(), 100u);
  EXPECT_TRUE(layout.rejectedCells.empty()) << layout.rejectedCells.size() << " keys outside the matrix";
  ASSERT_GT(layout.rowCount, 0);
  ASSERT_GT(layout.columnCount, 0);
  EXPECT_LE(layout.rowCount, KeyboardLayout::kMatrixRows);
  EXPECT_LE(layout.columnCount, KeyboardLayout::kMatrixColumns);
  for (LayoutPicture picture : kAllPictures) EXPECT_EQ(views.Codes(picture).size(), keys.size());
  EXPECT_EQ(layout.keyIndex.size(), keys.size());
  EXPECT_EQ(layout.lightIndex.size(), keys.size());

  // One cell per key, each holding the low byte of one of the codes, and all within the
  // counts, since the live effects visit nothing beyond them.
  std::multiset<std::uint8_t> lowBytes;
  for (const LayoutKey& k : keys) lowBytes.insert(static_cast<std::uint8_t>(k.code & 0xFF));
  std::multiset<std::uint8_t> cells;
  for (int row = 0; row < KeyboardLayout::kMatrixRows; ++row) {
    for (int column = 0; column < KeyboardLayout::kMatrixColumns; ++column) {
      const std::uint8_t cell = layout.matrix[row][column];
      if (cell == KeyboardLayout::kNoKey) continue;
      cells.insert(cell);
      EXPECT_LT(row, layout.rowCount) << "cell " << row << "#" << column;
      EXPECT_LT(column, layout.columnCount) << "cell " << row << "#" << column;
    }
  }
  EXPECT_EQ(cells, lowBytes);
  EXPECT_EQ(layout.matrix[0][0], 0x29);  // Escape in the top left corner
}

}  // namespace
