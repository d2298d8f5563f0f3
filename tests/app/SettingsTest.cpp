#include "app/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/AtomicFile.h"
#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Startup.h"
#include "tests/support/TempFolder.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void WriteSettings(const std::string& text) { env_.Root().Write("config/Test Device/settings.ini", text); }
  std::string SettingsText() const { return env_.Root().Read("config/Test Device/settings.ini"); }

  testsupport::TempUserEnvironment env_;
};

TEST_F(SettingsTest, FirstStartCreatesEmptySettingsAndReadsZero) {
  EXPECT_FALSE(env_.Root().Exists("config/Test Device/settings.ini"));
  EXPECT_EQ(ReadLanguageId(), 0);
  EXPECT_TRUE(env_.Root().Exists("config/Test Device/settings.ini"));
  EXPECT_EQ(ReadLanguageId(), 0);
}

TEST_F(SettingsTest, EnglishSystemLanguageIsStoredOthersAreDetectedEachStart) {
  EXPECT_EQ(ChooseLanguage(2052), 2052);
  EXPECT_EQ(ReadLanguageId(), 0);  // nothing stored
  EXPECT_EQ(ChooseLanguage(1033), 1033);
  EXPECT_EQ(ReadLanguageId(), 1033);
  EXPECT_NE(SettingsText().find("LCID=1033"), std::string::npos);
}

TEST_F(SettingsTest, StoredLanguageWinsOverTheSystem) {
  WriteSettings("[Settings]\nLCID=2052\n");
  EXPECT_EQ(ChooseLanguage(1033), 2052);
  EXPECT_EQ(GetLanguageId(), 2052);
  EXPECT_EQ(SettingsText(), "[Settings]\nLCID=2052\n");
}

TEST_F(SettingsTest, BadAndOversizedValuesReadAsMissing) {
  WriteSettings("[Settings]\nLCID=abc\nexit_mode=" + std::string(253, '0') + "2\n");
  EXPECT_EQ(ReadLanguageId(), 0);
  EXPECT_EQ(ReadSettingInt("exit_mode"), 2);  // 254 bytes and the terminator fit in 255
  WriteSettings("[Settings]\nexit_mode=" + std::string(254, '0') + "2\n");
  EXPECT_EQ(ReadSettingInt("exit_mode"), 0);
  EXPECT_EQ(ReadSettingInt("no_such_value"), 0);
}

TEST_F(SettingsTest, SettingsThatCannotBeOpenedGiveTheDefaults) {
  std::filesystem::create_directories(env_.Root().Path() + "config/Test Device/settings.ini");
  EXPECT_EQ(ReadLanguageId(), kFallbackLanguageId);
  EXPECT_EQ(ReadSettingInt("exit_mode"), 0);
  WriteSettingString("exit_mode", u"1");  // silently nothing
  EXPECT_EQ(ReadSettingInt("exit_mode"), 0);
}

TEST_F(SettingsTest, SettingsFolderThatCannotBeCreatedGivesEnglish) {
  env_.Root().Write("config/Test Device", "a file where the folder should be");
  EXPECT_EQ(ReadLanguageId(), kFallbackLanguageId);
}

TEST_F(SettingsTest, WritesNeedExistingSettingsAndReplaceTheFileWhole) {
  WriteSettingString("exit_mode", u"2");
  EXPECT_FALSE(env_.Root().Exists("config/Test Device/settings.ini"));
  ReadLanguageId();
  WriteSettingString("exit_mode", u"2");
  WriteSettingString("exit_mode", u"1");
  EXPECT_EQ(ReadSettingInt("exit_mode"), 1);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(GetSettingsFolder())) ++files;
  EXPECT_EQ(files, 1) << "a temporary file was left behind";
}

TEST_F(SettingsTest, AutoRunEntryStartsTheProgramFromItsFolder) {
  EXPECT_FALSE(IsAutoRunSet());
  SetAutoRun(true);
  EXPECT_TRUE(IsAutoRunSet());
  const std::string entry = env_.Root().Read("config/autostart/Test Device.desktop");
  EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(entry.find("\nExec=\"" + GetModuleFolder() + "pelmora-keyboard-t40\"\n"), std::string::npos) << entry;
  SetAutoRun(false);
  EXPECT_FALSE(IsAutoRunSet());
  SetAutoRun(false);
  EXPECT_FALSE(IsAutoRunSet());
  EXPECT_FALSE(env_.Root().Exists("config/autostart/Test Device.desktop"));
}

TEST_F(SettingsTest, AutoRunCommandTooLongForTheBufferReadsAsNotSet) {
  env_.Root().Write("config/autostart/Test Device.desktop", "[Desktop Entry]\nExec=/" + std::string(254, 'x') + "\n");
  EXPECT_FALSE(IsAutoRunSet());
  env_.Root().Write("config/autostart/Test Device.desktop", "[Desktop Entry]\nExec=/" + std::string(253, 'x') + "\n");
  EXPECT_TRUE(IsAutoRunSet());
}

// A folder, a pipe or a device where a file belongs reads as a file that is not
// there; none may throw or block.
TEST_F(SettingsTest, FoldersPipesAndDevicesReadAsMissingFiles) {
  std::filesystem::create_directories(env_.Root().Path() + "config/autostart/Test Device.desktop");
  EXPECT_FALSE(IsAutoRunSet());
  std::string bytes = "untouched";
  for (const std::string& path : {env_.Root().Path() + "config/autostart", std::string("/dev/null")}) {
    EXPECT_FALSE(ReadWholeFile(path, bytes)) << path;
  }
  EXPECT_EQ(bytes, "untouched");
  const std::string pipe = env_.Root().Path() + "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EXIT(
      {
        alarm(60);  // a watchdog, not a measurement: the old reader blocked here for ever
        std::string read;
        std::exit(ReadWholeFile(pipe, read) ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
  env_.Root().Write("small", "0123456789");
  EXPECT_FALSE(ReadWholeFile(env_.Root().Path() + "small", bytes, 9));
  ASSERT_TRUE(ReadWholeFile(env_.Root().Path() + "small", bytes, 10));
  EXPECT_EQ(bytes, "0123456789");
}

}  // namespace
