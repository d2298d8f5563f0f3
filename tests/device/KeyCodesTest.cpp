#include "device/KeyCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Each entry: the virtual keys of one line of the conversion table and the
// output codes they give, position by position.
struct ConversionLine {
  std::vector<int> virtualKeys;
  std::vector<int> outputCodes;
};

const std::vector<ConversionLine>& listedConversions() {
  static const std::vector<ConversionLine> lines = {
      {{48}, {39}},
      {{13, 27, 8, 9, 32}, {40, 41, 42, 43, 44}},
      {{189, 187, 219, 221, 220}, {45, 46, 47, 48, 49}},
      {{666}, {50}},
      {{186, 222, 192, 188, 190, 191}, {51, 52, 53, 54, 55, 56}},
      {{20}, {57}},
      {{44, 145, 19}, {70, 71, 72}},
      {{45, 36, 33, 46, 35, 34}, {73, 74, 75, 76, 77, 78}},
      {{39, 37, 40, 38}, {79, 80, 81, 82}},
      {{144, 111, 106, 109, 107, 108}, {83, 84, 85, 86, 87, 88}},
      {{96, 110}, {98, 99}},
      {{226}, {100}},
      {{93}, {101}},
      {{254}, {175}},
      {{136, 137, 138, 139}, {136, 137, 138, 139}},
      {{162, 160, 164, 91, 163, 161, 165, 92}, {224, 225, 226, 227, 228, 229, 230, 231}},
      {{173, 174, 175}, {235, 233, 234}},
      {{176, 177, 178, 179}, {239, 237, 236, 238}},
      {{166, 167, 168, 169, 170, 171, 172}, {243, 244, 246, 245, 247, 248, 241}},
      {{180, 181, 182, 183}, {240, 232, 249, 242}},
  };
  return lines;
}

// Virtual keys whose output codes follow from a run: first key, last key, first code.
const std::vector<std::tuple<int, int, int>> kRuns = {
    {65, 90, 4}, {49, 57, 30}, {112, 123, 58}, {97, 105, 89}, {124, 135, 104}};

}  // namespace

TEST(KeyCodesConversion, EveryListedVirtualKeyGivesItsOutputCode) {
  for (const ConversionLine& line : listedConversions()) {
    ASSERT_EQ(line.virtualKeys.size(), line.outputCodes.size());
    for (std::size_t i = 0; i < line.virtualKeys.size(); ++i) {
      EXPECT_EQ(KeyCodes::toOutputCode(line.virtualKeys[i]), line.outputCodes[i]) << line.virtualKeys[i];
    }
  }
  for (const auto& [first, last, code] : kRuns) {
    for (int vk = first; vk <= last; ++vk) EXPECT_EQ(KeyCodes::toOutputCode(vk), code + vk - first) << vk;
  }
}

TEST(KeyCodesConversion, EveryUnlistedVirtualKeyGivesZero) {
  std::set<int> listed;
  for (const ConversionLine& line : listedConversions()) listed.insert(line.virtualKeys.begin(), line.virtualKeys.end());
  for (const auto& [first, last, code] : kRuns) {
    for (int vk = first; vk <= last; ++vk) listed.insert(vk);
  }
  for (int vk = -2; vk <= 700; ++vk) {
    if (!listed.contains(vk)) {
      EXPECT_EQ(KeyCodes::toOutputCode(vk), 0) << vk;
    }
  }
}

TEST(KeyCodesConversion, GenericModifiersConvertOnlyOnceRecordedAsLeftHandKeys) {
  const std::vector<std::pair<int, int>> generic = {{16, 160}, {17, 162}, {18, 164}};
  for (const auto& [vk, recorded] : generic) {
    EXPECT_EQ(KeyCodes::toOutputCode(vk), 0);
    EXPECT_EQ(KeyCodes::recordedVirtualKey(vk), recorded);
  }
  EXPECT_EQ(KeyCodes::toOutputCode(KeyCodes::recordedVirtualKey(16)), 225);
  EXPECT_EQ(KeyCodes::toOutputCode(KeyCodes::recordedVirtualKey(17)), 224);
  EXPECT_EQ(KeyCodes::toOutputCode(KeyCodes::recordedVirtualKey(18)), 226);
  for (int vk : {0, 15, 19, 65, 161, 165, 666}) EXPECT_EQ(KeyCodes::recordedVirtualKey(vk), vk);
}

TEST(KeyCodesConsumer, OnlyMediaCodesPlayConsumerUsages) {
  const std::vector<std::tuple<int, int, std::u16string>> media = {
      {232, 0x183, u"Multimedia"},  {233, 0xEA, u"Vol Down"},       {234, 0xE9, u"Vol Up"},
      {235, 0xE2, u"Vol Mute"},     {236, 0xB7, u"Stop"},           {237, 0xB6, u"Prev Track"},
      {238, 0xCD, u"Play/Pause"},   {239, 0xB5, u"Next Track"},     {240, 0x18A, u"EMail"},
      {241, 0x223, u"Web-Home"},    {242, 0x192, u"Calculator"},    {243, 0x224, u"Web-Backward"},
      {244, 0x225, u"Web-Forward"}, {245, 0x226, u"Web-Stop"},      {246, 0x227, u"Web-Refresh"},
      {247, 0x221, u"Web-Search"},  {248, 0x22A, u"Web-Favorites"}, {249, 0x194, u"My Computer"}};
  for (const auto& [code, usage, name] : media) {
    EXPECT_TRUE(KeyCodes::isConsumerCode(code)) << code;
    EXPECT_EQ(KeyCodes::consumerUsage(code), usage) << code;
    EXPECT_EQ(KeyCodes::mediaFunctionName(code), name) << code;
  }
  for (int code : {0, 4, 224, 231, 250, 255, 500}) {
    EXPECT_FALSE(KeyCodes::isConsumerCode(code)) << code;
    EXPECT_EQ(KeyCodes::consumerUsage(code), 0) << code;
    EXPECT_EQ(KeyCodes::mediaFunctionName(code), u"") << code;
  }
}

TEST(KeyCodesShortcuts, EachValueGivesItsKeysInPressOrder) {
  const std::vector<std::vector<int>> expected = {
      {224, 4},  {224, 6},  {224, 27}, {224, 25},     {224, 29},     {224, 22},  {227, 8}, {227, 15},
      {227, 7},  {226, 43}, {227, 16}, {224, 26},     {226, 44, 27}, {226, 44, 17}, {226, 61}};
  for (int value = 1; value <= 15; ++value) {
    EXPECT_EQ(KeyCodes::shortcutKeys(value), expected[static_cast<std::size_t>(value - 1)]) << value;
  }
  for (int value : {-1, 0, 16, 255}) EXPECT_TRUE(KeyCodes::shortcutKeys(value).empty()) << value;
}

TEST(KeyCodesMouse, FunctionCodesPressTheirReportButtons) {
  EXPECT_EQ(KeyCodes::mouseButtonBit(1), 0x01);  // left
  EXPECT_EQ(KeyCodes::mouseButtonBit(2), 0x04);  // middle
  EXPECT_EQ(KeyCodes::mouseButtonBit(3), 0x02);  // right
  EXPECT_EQ(KeyCodes::mouseButtonBit(7), 0x10);  // fifth
  EXPECT_EQ(KeyCodes::mouseButtonBit(8), 0x08);  // fourth
  for (int code : {0, 4, 5, 6, 9, -1}) EXPECT_EQ(KeyCodes::mouseButtonBit(code), 0) << code;
}

TEST(KeyCodesDescription, ModifiersAreNamedShiftCtrlWinAltBeforeTheKey) {
  EXPECT_EQ(KeyCodes::modifierDescription(0), u"");
  EXPECT_EQ(KeyCodes::modifierDescription(0x10), u"");  // not a modifier bit
  EXPECT_EQ(KeyCodes::modifierDescription(KeyCodes::kModifierAlt), u"Alt");
  EXPECT_EQ(KeyCodes::modifierDescription(0x05), u"Ctrl + Alt");
  EXPECT_EQ(KeyCodes::modifierDescription(0x0F), u"Shift + Ctrl + Win + Alt");
  EXPECT_EQ(KeyCodes::keyComboDescription(KeyCodes::kModifierCtrl, u"A"), u"Ctrl + A");
  EXPECT_EQ(KeyCodes::keyComboDescription(0x0A, u"F5"), u"Shift + Win + F5");
  EXPECT_EQ(KeyCodes::keyComboDescription(0, u"Esc"), u"Esc");
}

TEST(KeyCodesNames, ModifierAndSpecialKeysHaveFixedNames) {
  const std::vector<std::pair<int, std::u16string>> names = {
      {16, u"Shift"}, {160, u"Shift"}, {161, u"RShift"},      {17, u"Ctrl"},          {162, u"Ctrl"},
      {163, u"RCtrl"}, {18, u"Alt"},   {164, u"Alt"},         {165, u"RAlt"},         {19, u"Pause"},
      {44, u"Print Screen"}, {91, u"Windows"}, {92, u"RWindows"}, {93, u"Application"}, {144, u"Num Lock"}};
  for (const auto& [vk, name] : names) EXPECT_EQ(KeyCodes::keyDisplayName(vk, 0), name) << vk;
}

TEST(KeyCodesNames, MediaKeysAreNamedAfterTheFunctionTheyPlay) {
  const std::vector<std::u16string> names = {
      u"Web-Backward", u"Web-Forward", u"Web-Refresh", u"Web-Stop",   u"Web-Search", u"Web-Favorites",
      u"Web-Home",     u"Vol Mute",    u"Vol Down",    u"Vol Up",     u"Next Track", u"Prev Track",
      u"Stop",         u"Play/Pause",  u"EMail",       u"Multimedia", u"My Computer", u"Calculator"};
  for (int vk = 166; vk <= 183; ++vk) {
    EXPECT_EQ(KeyCodes::keyDisplayName(vk, 0), names[static_cast<std::size_t>(vk - 166)]) << vk;
  }
}

TEST(KeyCodesNames, OrdinaryKeysGetEnglishNames) {
  const std::vector<std::pair<int, std::u16string>> names = {
      {65, u"A"},      {90, u"Z"},         {48, u"0"},         {13, u"Enter"},     {27, u"Esc"},
      {32, u"Space"},  {20, u"Caps Lock"}, {112, u"F1"},       {135, u"F24"},      {33, u"Page Up"},
      {46, u"Delete"}, {39, u"Right"},     {38, u"Up"},        {96, u"Num 0"},     {105, u"Num 9"},
      {106, u"Num *"}, {108, u"Num Enter"}, {186, u";"},       {220, u"\\"}};
  for (const auto& [vk, name] : names) EXPECT_EQ(KeyCodes::keyDisplayName(vk, 0), name) << vk;
}

TEST(KeyCodesNames, EveryConvertibleKeyHasANameAndUnknownKeysHaveNone) {
  for (int vk = 1; vk <= 255; ++vk) {
    // 254 (OEM Clear) is not on any keyboard we name keys for.
    if (KeyCodes::toOutputCode(vk) != 0 && vk != 254) {
      EXPECT_FALSE(KeyCodes::keyDisplayName(vk, 0).empty()) << vk;
    }
  }
  for (int vk : {0, 7, 12, 255, 1000}) EXPECT_EQ(KeyCodes::keyDisplayName(vk, 0), u"") << vk;
}

TEST(KeyCodesAssignments, OnlyKeyMacroShortcutDisableAndPickerRowsCountTowardTheLimit) {
  const std::set<int> counted = {1, 2, 3, 7, 12};
  for (int type : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12}) {
    EXPECT_EQ(KeyCodes::countsTowardLimit(static_cast<AssignmentType>(type)), counted.contains(type)) << type;
  }
}
