#include "app/LanguageText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/IniFile.h"
#include "app/SystemLanguage.h"
#include "tests/support/TempFolder.h"
#include "zephui/Text.h"

namespace {

class LanguageTextTest : public ::testing::Test {
 protected:
  std::u16string Lookup(int number, int language = 1033) {
    return ReadLanguageText(folder_.Path(), language, kDialogSection, number);
  }
  testsupport::TempFolder folder_;
};

TEST_F(LanguageTextTest, FindsTheNumberInTheDialogSection) {
  folder_.Write("language/1033.lan", "[OTHER]\r\n65=Wrong\r\n[KB.DIALOG]\r\n65=Profile\r\n66=Caf\xC3\xA9 = bar\r\n");
  EXPECT_EQ(Lookup(65), u"Profile");
  EXPECT_EQ(Lookup(66), u"Caf\u00E9 = bar");
  EXPECT_EQ(Lookup(67), u"");
}

TEST_F(LanguageTextTest, LongValuesAreCutTo259Characters) {
  const std::string value(300, 'x');
  folder_.Write("language/1033.lan", "[KB.DIALOG]\n1=" + value + "\n2=" + std::string(258, 'y') + "\xF0\x9F\x98\x80\n");
  EXPECT_EQ(Lookup(1), std::u16string(259, u'x'));
  // A character outside the BMP straddling the cut is dropped whole.
  EXPECT_EQ(Lookup(2), std::u16string(258, u'y'));
}

// Translators' tools write UTF-16 with a byte-order mark, and some end lines with CR alone.
TEST_F(LanguageTextTest, Utf16AndCrOnlyFilesReadLikeUtf8) {
  const std::u16string text = u"[KB.DIALOG]\r\n65=Profil \u00E9\u4E2D\r\n66=Second\r\n";
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (char16_t c : text) {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  struct Case {
    const char* name;
    std::string bytes;
  };
  for (const Case& c : {Case{"utf-16le", little}, Case{"utf-16be", big},
                        Case{"cr only", "[KB.DIALOG]\r65=Profil \xC3\xA9\xE4\xB8\xAD\r66=Second\r"},
                        Case{"bom, mixed ends", "\xEF\xBB\xBF[KB.DIALOG]\n65=Profil \xC3\xA9\xE4\xB8\xAD\r\n66=Second"}}) {
    SCOPED_TRACE(c.name);
    folder_.Write("language/1033.lan", c.bytes);
    EXPECT_EQ(Lookup(65), u"Profil \u00E9\u4E2D");
    EXPECT_EQ(Lookup(66), u"Second");
  }
}

// The file is held, but a change of language or of the file itself shows at the next lookup.
TEST_F(LanguageTextTest, ChangedLanguageOrFileIsReadAgain) {
  folder_.Write("language/1033.lan", "[KB.DIALOG]\n65=English\n");
  folder_.Write("language/1031.lan", "[KB.DIALOG]\n65=Deutsch\n");
  EXPECT_EQ(Lookup(65), u"English");
  EXPECT_EQ(Lookup(65, 1031), u"Deutsch");
  EXPECT_EQ(Lookup(65), u"English");
  folder_.Write("language/1033.lan", "[KB.DIALOG]\n65=Other text\n");
  EXPECT_EQ(Lookup(65), u"Other text");
  std::filesystem::remove(folder_.Path() + "language/1031.lan");
  std::filesystem::create_directories(folder_.Path() + "language/1031.lan");
  EXPECT_EQ(Lookup(65, 1031), u"Other text");  // a folder in its place reads as a missing file
}

// A language without its file speaks English from the file beside it, and with
// no file at all from the texts built into the program; a file that appears
// later is read at the next lookup.
TEST_F(LanguageTextTest, MissingFilesFallBackToEnglishThenToTheBuiltInTexts) {
  const std::u16string builtIn = Lookup(65);
  EXPECT_FALSE(builtIn.empty());
  EXPECT_EQ(Lookup(65, 2052), builtIn);
  EXPECT_EQ(Lookup(99999, 2052), u"");
  folder_.Write("language/1033.lan", "[KB.DIALOG]\n65=English file\n");
  EXPECT_EQ(Lookup(65, 2052), u"English file");
  folder_.Write("language/2052.lan", "[KB.DIALOG]\n65=Second\n");
  EXPECT_EQ(Lookup(65, 2052), u"Second");
  folder_.Write("language/2052.lan", "[KB.DIALOG]\n65=Changed\n");
  EXPECT_EQ(Lookup(65, 2052), u"Changed");
  std::filesystem::remove(folder_.Path() + "language/2052.lan");
  std::filesystem::remove(folder_.Path() + "language/1033.lan");
  EXPECT_EQ(Lookup(65, 2052), builtIn);
}

// The built-in texts are the shipped English file, every text of it, read as a file would be.
TEST_F(LanguageTextTest, BuiltInTextsAreTheShippedEnglishFile) {
  const std::filesystem::path shipped = std::filesystem::path(PELMORA_SOURCE_DIR) / "data" / "language" / "1033.lan";
  std::ifstream in(shipped, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  testsupport::TempFolder withFile;
  withFile.Write("language/1033.lan", bytes);
  int compared = 0;
  IniFile::Parse(bytes).ForEach([&](std::string_view section, std::string_view key, std::string_view) {
    const std::u16string wideSection = ZephUI::ToUtf16(section);
    const int number = std::stoi(std::string(key));
    EXPECT_EQ(ReadLanguageText(folder_.Path(), 1033, wideSection, number),
              ReadLanguageText(withFile.Path(), 1033, wideSection, number))
        << key;
    ++compared;
  });
  EXPECT_GT(compared, 100);
}

TEST(LanguageTextShipped, CurrentLanguageReadsTheFileBesideTheProgram) {
  SetLanguageId(1033);
  EXPECT_EQ(GetLanguageText(kDialogSection, 65), u"Profile");
  SetLanguageId(2052);  // the Chinese file is copied beside the program too
  EXPECT_NE(GetLanguageText(kDialogSection, 65), u"");
  EXPECT_NE(GetLanguageText(kDialogSection, 65), u"Profile");
  SetLanguageId(1041);  // no such file ships: English
  EXPECT_EQ(GetLanguageText(kDialogSection, 65), u"Profile");
  SetLanguageId(1033);
}

TEST(SystemLanguage, LocaleNamesMapToLanguageIds) {
  EXPECT_EQ(LanguageIdFromLocale("en_US.UTF-8"), 1033);
  EXPECT_EQ(LanguageIdFromLocale("C"), 1033);
  EXPECT_EQ(LanguageIdFromLocale("POSIX"), 1033);
  EXPECT_EQ(LanguageIdFromLocale("zh_CN.UTF-8"), 2052);
  EXPECT_EQ(LanguageIdFromLocale("zh_TW"), 1028);
  EXPECT_EQ(LanguageIdFromLocale("de_AT@euro"), 1031);  // unlisted territory: the language's entry
  EXPECT_EQ(LanguageIdFromLocale("xx_YY"), 1033);
}

TEST(SystemLanguage, LcAllWinsOverLcMessagesOverLang) {
  testsupport::TempUserEnvironment env;
  env.Set("LC_ALL", std::nullopt);
  env.Set("LC_MESSAGES", "");
  env.Set("LANG", "zh_CN.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), 2052);
  env.Set("LC_MESSAGES", "ja_JP.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), 1041);
  env.Set("LC_ALL", "en_GB.UTF-8");
  EXPECT_EQ(SystemUiLanguage(), 2057);
}

}  // namespace
