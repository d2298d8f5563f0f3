// Every shipped translation carries every English text, with the same printf
// conversions in the same order: the interface passes the English argument
// list whatever the language, and a missing number shows as a blank control.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/LanguageFile.h"
#include "zephui/Text.h"

namespace {

const std::filesystem::path kLanguageFolder = std::filesystem::path(PELMORA_SOURCE_DIR) / "data" / "language";
constexpr const char* kReferenceName = "1033";

struct Entry {
  std::string section;
  std::string key;
  std::u16string text;
};

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The English entries in file order, each text read back as the program reads it.
std::vector<Entry> ReferenceEntries(const std::string& bytes) {
  const LanguageFile file = LanguageFile::Parse(bytes);
  std::vector<Entry> entries;
  IniFile::Parse(bytes).ForEach([&](std::string_view section, std::string_view key, std::string_view) {
    entries.push_back(Entry{std::string(section), std::string(key), file.Find(section, key).value_or(u"")});
  });
  return entries;
}

bool IsOneOf(char16_t c, std::u16string_view set) { return set.find(c) != std::u16string_view::npos; }

// The printf conversions ("%s", "%-3.1f", "%ls", "%%") and literal "\n" markers, in order.
std::vector<std::u16string> FormatTokens(std::u16string_view text) {
  std::vector<std::u16string> tokens;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
      tokens.emplace_back(u"\\n");
      ++i;
    } else if (text[i] == u'%') {
      std::size_t end = i + 1;
      while (end < text.size() && IsOneOf(text[end], u"-+ #0123456789.*hlLqjzt")) ++end;
      // A '%' with no conversion letter after it is kept whole, so a stray one is noticed too.
      tokens.emplace_back(text.substr(i, end < text.size() ? end - i + 1 : end - i));
      i = end;
    }
  }
  return tokens;
}

std::string Joined(const std::vector<std::u16string>& tokens) {
  std::string out;
  for (const std::u16string& token : tokens) out += (out.empty() ? "" : " ") + ZephUI::ToUtf8(token);
  return out.empty() ? "none" : out;
}

// One line per English text the translation lacks, leaves empty or formats differently.
std::string TranslationFaults(const std::vector<Entry>& english, const LanguageFile& translation) {
  std::string faults;
  for (const Entry& entry : english) {
    const std::string where = "[" + entry.section + "] " + entry.key + ": ";
    const std::optional<std::u16string> text = translation.Find(entry.section, entry.key);
    if (!text) {
      faults += where + "missing\n";
    } else if (text->empty() && !entry.text.empty()) {
      faults += where + "empty\n";
    } else if (FormatTokens(*text) != FormatTokens(entry.text)) {
      faults += where + "placeholders " + Joined(FormatTokens(*text)) + ", English has " +
                Joined(FormatTokens(entry.text)) + "\n";
    }
  }
  return faults;
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

TEST(LanguageFileCheck, NamesEveryMissingEmptyOrMisformattedText) {
  const std::vector<Entry> english = ReferenceEntries(
      "[KB.DIALOG]\n1=Close\n2=%d of %s\n3=Line\\nbreak\n4=50%% done\n5=\n6=%-3.1f ms\n7=%s\n[OTHER]\n9=Other\n");
  // The translation comes as a translator's tool writes it: UTF-16 with CR LF line ends.
  const LanguageFile translation = LanguageFile::Parse(Utf16LittleEndian(
      u"[kb.dialog]\r\n2=%s \u7684 %d\r\n3=\r\n4=\u5B8C\u6210 50%%\r\n5=\r\n6=%-3.1f \u6BEB\u79D2\r\n7=% \u65E0\r\n"));

  const std::string faults = TranslationFaults(english, translation);
  EXPECT_THAT(faults, ::testing::HasSubstr("[KB.DIALOG] 1: missing\n"));
  EXPECT_THAT(faults, ::testing::HasSubstr("[KB.DIALOG] 2: placeholders %s %d, English has %d %s\n"));
  EXPECT_THAT(faults, ::testing::HasSubstr("[KB.DIALOG] 3: empty\n"));
  EXPECT_THAT(faults, ::testing::HasSubstr("[KB.DIALOG] 7: placeholders"));
  EXPECT_THAT(faults, ::testing::HasSubstr("[OTHER] 9: missing\n"));
  // Kept conversions, a kept "%%" and a text that is empty in English too are fine.
  EXPECT_EQ(std::count(faults.begin(), faults.end(), '\n'), 5) << faults;
}

class ShippedTranslation : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedTranslation, HasEveryEnglishText) {
  const std::vector<Entry> english = ReferenceEntries(ReadBytes(kLanguageFolder / (std::string(kReferenceName) + ".lan")));
  ASSERT_FALSE(english.empty()) << "the English file is missing or unreadable";
  const LanguageFile translation = LanguageFile::Parse(ReadBytes(kLanguageFolder / (GetParam() + ".lan")));
  const std::string faults = TranslationFaults(english, translation);
  EXPECT_TRUE(faults.empty()) << GetParam() << ".lan against " << kReferenceName << ".lan:\n" << faults;
}

// Every language file but the English one, found the way a new translation is added: by dropping it in.
std::vector<std::string> Translations() {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(kLanguageFolder)) {
    if (item.path().extension() == ".lan" && item.path().stem() != kReferenceName) names.push_back(item.path().stem());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Test names take letters, digits and '_' only.
std::string TestName(const ::testing::TestParamInfo<std::string>& param) {
  std::string name = param.param;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(LanguageFiles, ShippedTranslation, ::testing::ValuesIn(Translations()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ShippedTranslation);

}  // namespace
