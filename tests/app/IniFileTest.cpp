#include "app/IniFile.h"

#include <gtest/gtest.h>

TEST(IniFile, ReadsSectionsWithBomCrLfAndLooseSpacing) {
  const IniFile ini = IniFile::Parse("\xEF\xBB\xBF[KB.DIALOG]\r\n 65 = Profile \r\n1=a=b\r\n; 2=comment\r\n[other]\r\n65=x\r\n");
  EXPECT_EQ(ini.Get("KB.DIALOG", "65"), "Profile");
  EXPECT_EQ(ini.Get("kb.dialog", "1"), "a=b");  // names ignore case; the first '=' splits
  EXPECT_EQ(ini.Get("KB.DIALOG", "2"), std::nullopt);
  EXPECT_EQ(ini.Get("other", "65"), "x");
  EXPECT_EQ(ini.Get("missing", "65"), std::nullopt);
}

TEST(IniFile, FirstOfRepeatedKeysWinsAndKeysBeforeAnySectionAreIgnored) {
  const IniFile ini = IniFile::Parse("stray=1\n[s]\nk=first\nK=second\n[S]\nk=third\n");
  EXPECT_EQ(ini.Get("s", "k"), "first");
  EXPECT_EQ(ini.Get("", "stray"), std::nullopt);
}

TEST(IniFile, SetRemoveAndSerializeRoundTrip) {
  IniFile ini;
  ini.Set("Settings", "LCID", "1033");
  ini.Set("Settings", "exit_mode", "multi\nline");
  ini.Set("settings", "lcid", "2052");
  EXPECT_EQ(ini.Serialize(), "[Settings]\nLCID=2052\nexit_mode=multi line\n");
  EXPECT_TRUE(ini.Remove("Settings", "exit_mode"));
  EXPECT_FALSE(ini.Remove("Settings", "exit_mode"));
  EXPECT_EQ(IniFile::Parse(ini.Serialize()).Get("Settings", "LCID"), "2052");
}
