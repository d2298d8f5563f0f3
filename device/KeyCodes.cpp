#include "device/KeyCodes.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

struct CodePair {
  int from;
  int to;
};

struct NamedKey {
  int virtualKey;
  const char16_t* name;
};

struct MediaFunction {
  int outputCode;
  int consumerUsage;
  const char16_t* name;
};

struct Shortcut {
  int value;
  std::array<int, 3> keys;  // unused places are 0
};

constexpr int kCtrl = 224;
constexpr int kAlt = 226;
constexpr int kGui = 227;
constexpr int kSpace = 44;

// Contiguous runs of virtual keys that map onto contiguous output codes.
struct CodeRange {
  int firstKey;
  int lastKey;
  int firstCode;
};

constexpr std::array<CodeRange, 6> kRanges{{
    {65, 90, 4},      // A-Z
    {49, 57, 30},     // 1-9
    {112, 123, 58},   // F1-F12
    {97, 105, 89},    // keypad 1-9
    {124, 135, 104},  // F13-F24
    {136, 139, 136},  // passed through as they are (international keys 2-5)
}};

// Everything outside the runs. 666 is not a Windows key: stored records use it
// for the non-US "#" key. 254 has always been sent as 175; kept for old macros.
constexpr std::array<CodePair, 69> kListed{{
    {8, 42},    {9, 43},    {13, 40},   {19, 72},   {20, 57},   {27, 41},   {32, 44},   {33, 75},
    {34, 78},   {35, 77},   {36, 74},   {37, 80},   {38, 82},   {39, 79},   {40, 81},   {44, 70},
    {45, 73},   {46, 76},   {48, 39},   {91, 227},  {92, 231},  {93, 101},  {96, 98},   {106, 85},
    {107, 87},  {108, 88},  {109, 86},  {110, 99},  {111, 84},  {144, 83},  {145, 71},  {160, 225},
    {161, 229}, {162, 224}, {163, 228}, {164, 226}, {165, 230}, {166, 243}, {167, 244}, {168, 246},
    {169, 245}, {170, 247}, {171, 248}, {172, 241}, {173, 235}, {174, 233}, {175, 234}, {176, 239},
    {177, 237}, {178, 236}, {179, 238}, {180, 240}, {181, 232}, {182, 249}, {183, 242}, {186, 51},
    {187, 46},  {188, 54},  {189, 45},  {190, 55},  {191, 56},  {192, 53},  {219, 47},  {220, 49},
    {221, 48},  {222, 52},  {226, 100}, {254, 175}, {666, 50},
}};

constexpr std::array<MediaFunction, 18> kMedia{{
    {232, 0x183, u"Multimedia"},    {233, 0xEA, u"Vol Down"},        {234, 0xE9, u"Vol Up"},
    {235, 0xE2, u"Vol Mute"},       {236, 0xB7, u"Stop"},            {237, 0xB6, u"Prev Track"},
    {238, 0xCD, u"Play/Pause"},     {239, 0xB5, u"Next Track"},      {240, 0x18A, u"EMail"},
    {241, 0x223, u"Web-Home"},      {242, 0x192, u"Calculator"},     {243, 0x224, u"Web-Backward"},
    {244, 0x225, u"Web-Forward"},   {245, 0x226, u"Web-Stop"},       {246, 0x227, u"Web-Refresh"},
    {247, 0x221, u"Web-Search"},    {248, 0x22A, u"Web-Favorites"},  {249, 0x194, u"My Computer"},
}};

constexpr std::array<Shortcut, 15> kShortcuts{{
    {1, {kCtrl, 4, 0}},         {2, {kCtrl, 6, 0}},        {3, {kCtrl, 27, 0}},   {4, {kCtrl, 25, 0}},
    {5, {kCtrl, 29, 0}},        {6, {kCtrl, 22, 0}},       {7, {kGui, 8, 0}},     {8, {kGui, 15, 0}},
    {9, {kGui, 7, 0}},          {10, {kAlt, 43, 0}},       {11, {kGui, 16, 0}},   {12, {kCtrl, 26, 0}},
    {13, {kAlt, kSpace, 27}},   {14, {kAlt, kSpace, 17}},  {15, {kAlt, 61, 0}},
}};

// The mouse report's button bits: 0 left, 1 right, 2 middle, 3 fourth, 4 fifth.
constexpr std::array<CodePair, 5> kMouseButtons{{{1, 0x01}, {2, 0x04}, {3, 0x02}, {7, 0x10}, {8, 0x08}}};

// Names that stay the same whatever the keyboard layout or language.
constexpr std::array<NamedKey, 15> kFixedNames{{
    {16, u"Shift"},    {160, u"Shift"},    {161, u"RShift"},      {17, u"Ctrl"},      {162, u"Ctrl"},
    {163, u"RCtrl"},   {18, u"Alt"},       {164, u"Alt"},         {165, u"RAlt"},     {19, u"Pause"},
    {44, u"Print Screen"}, {91, u"Windows"}, {92, u"RWindows"},   {93, u"Application"}, {144, u"Num Lock"},
}};

// English names for the remaining keys, as a US keyboard labels them. The
// navigation keys carry their own names, never the keypad ones they share
// scan codes with.
constexpr std::array<NamedKey, 39> kSystemNames{{
    {8, u"Backspace"},  {9, u"Tab"},          {13, u"Enter"},      {20, u"Caps Lock"},   {27, u"Esc"},
    {32, u"Space"},     {33, u"Page Up"},     {34, u"Page Down"},  {35, u"End"},         {36, u"Home"},
    {37, u"Left"},      {38, u"Up"},          {39, u"Right"},      {40, u"Down"},        {45, u"Insert"},
    {46, u"Delete"},    {106, u"Num *"},      {107, u"Num +"},     {108, u"Num Enter"},  {109, u"Num -"},
    {110, u"Num Del"},  {111, u"Num /"},      {136, u"Katakana/Hiragana"}, {137, u"Yen"}, {138, u"Henkan"},
    {139, u"Muhenkan"}, {145, u"Scroll Lock"}, {186, u";"},        {187, u"="},          {188, u","},
    {189, u"-"},        {190, u"."},          {191, u"/"},         {192, u"`"},          {219, u"["},
    {220, u"\\"},       {221, u"]"},          {222, u"'"},         {226, u"Non-US \\"},
}};

template <typename Table>
auto findRow(const Table& table, auto member, int key) {
  return std::ranges::find_if(table, [&](const auto& row) { return row.*member == key; });
}

std::u16string asciiToUtf16(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace

bool KeyCodes::countsTowardLimit(AssignmentType type) {
  switch (type) {
    case AssignmentType::Disabled:
    case AssignmentType::Key:
    case AssignmentType::Macro:
    case AssignmentType::Shortcut:
    case AssignmentType::PickerFunction:
      return true;
    default:
      return false;
  }
}

int KeyCodes::toOutputCode(int virtualKey) {
  const int code = rangeOutputCode(virtualKey);
  return code != 0 ? code : listedOutputCode(virtualKey);
}

int KeyCodes::rangeOutputCode(int virtualKey) {
  for (const CodeRange& range : kRanges) {
    if (virtualKey >= range.firstKey && virtualKey <= range.lastKey) {
      return range.firstCode + (virtualKey - range.firstKey);
    }
  }
  return 0;
}

int KeyCodes::listedOutputCode(int virtualKey) {
  const auto row = findRow(kListed, &CodePair::from, virtualKey);
  return row != kListed.end() ? row->to : 0;
}

int KeyCodes::recordedVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case 16: return 160;
    case 17: return 162;
    case 18: return 164;
    default: return virtualKey;
  }
}

bool KeyCodes::isConsumerCode(int outputCode) {
  return outputCode >= kFirstConsumerCode && outputCode <= kLastConsumerCode;
}

int KeyCodes::consumerUsage(int outputCode) {
  const auto row = findRow(kMedia, &MediaFunction::outputCode, outputCode);
  return row != kMedia.end() ? row->consumerUsage : 0;
}

std::u16string KeyCodes::mediaFunctionName(int outputCode) {
  const auto row = findRow(kMedia, &MediaFunction::outputCode, outputCode);
  return row != kMedia.end() ? std::u16string(row->name) : std::u16string();
}

std::vector<int> KeyCodes::shortcutKeys(int value) {
  const auto row = findRow(kShortcuts, &Shortcut::value, value);
  if (row == kShortcuts.end()) return {};
  std::vector<int> keys;
  for (int key : row->keys) {
    if (key != 0) keys.push_back(key);
  }
  return keys;
}

int KeyCodes::mouseButtonBit(int code) {
  const auto row = findRow(kMouseButtons, &CodePair::from, code);
  return row != kMouseButtons.end() ? row->to : 0;
}

std::u16string KeyCodes::modifierDescription(int modifierBits) {
  struct Modifier {
    int bit;
    const char16_t* name;
  };
  static constexpr std::array<Modifier, 4> kOrder{{
      {kModifierShift, u"Shift"}, {kModifierCtrl, u"Ctrl"}, {kModifierWin, u"Win"}, {kModifierAlt, u"Alt"}}};
  std::u16string text;
  for (const Modifier& modifier : kOrder) {
    if ((modifierBits & modifier.bit) == 0) continue;
    if (!text.empty()) text += u" + ";
    text += modifier.name;
  }
  return text;
}

std::u16string KeyCodes::keyComboDescription(int modifierBits, std::u16string_view keyName) {
  const std::u16string modifiers = modifierDescription(modifierBits);
  if (modifiers.empty()) return std::u16string(keyName);
  return modifiers + u" + " + std::u16string(keyName);
}

std::u16string KeyCodes::keyDisplayName(int virtualKey, int /*scanCode*/) {
  // The scan code only matters where the system names keys by it; our own
  // table names them by virtual key, which the input reader has already
  // resolved (keypad and navigation keys arrive as distinct codes).
  std::u16string name = fixedKeyName(virtualKey);
  if (name.empty() && virtualKey >= 166 && virtualKey <= 183) {
    name = mediaFunctionName(toOutputCode(virtualKey));
  }
  return name.empty() ? systemKeyName(virtualKey) : name;
}

std::u16string KeyCodes::fixedKeyName(int virtualKey) {
  const auto row = findRow(kFixedNames, &NamedKey::virtualKey, virtualKey);
  return row != kFixedNames.end() ? std::u16string(row->name) : std::u16string();
}

std::u16string KeyCodes::systemKeyName(int virtualKey) {
  const auto row = findRow(kSystemNames, &NamedKey::virtualKey, virtualKey);
  return row != kSystemNames.end() ? std::u16string(row->name) : rangeKeyName(virtualKey);
}

std::u16string KeyCodes::rangeKeyName(int virtualKey) {
  if ((virtualKey >= 48 && virtualKey <= 57) || (virtualKey >= 65 && virtualKey <= 90)) {
    return std::u16string(1, static_cast<char16_t>(virtualKey));
  }
  // Appending instead of operator+ on a literal keeps g++ 12's -O3 from a false -Wrestrict.
  std::u16string name;
  if (virtualKey >= 96 && virtualKey <= 105) name.append(u"Num ").append(asciiToUtf16(std::to_string(virtualKey - 96)));
  if (virtualKey >= 112 && virtualKey <= 135) name.append(u"F").append(asciiToUtf16(std::to_string(virtualKey - 111)));
  return name;
}
