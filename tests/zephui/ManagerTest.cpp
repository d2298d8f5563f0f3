#include "zephui/Manager.h"

#include <gtest/gtest.h>

using ZephUI::Manager;

// Runs first in its own process (CTest starts one per test), so the defaults are untouched.
TEST(Manager, DefaultsBeforeAnyCall) {
  EXPECT_EQ(Manager::GetDeviceName(), u"Device Driver");
  EXPECT_EQ(Manager::GetFontName(), u"SourceHanSansCN-Regular");
  EXPECT_EQ(Manager::GetFontWidth(), 14);
  EXPECT_EQ(Manager::GetSelectColor(), ZephUI::ArgbColor::FromArgb(255, 16, 168, 253));
  EXPECT_EQ(Manager::GetTheme(), u"theme1/");
}

TEST(Manager, SetFontNameKeepsTheSize) {
  Manager::SetFont(u"Liberation Sans", 12);
  Manager::SetFontName(u"Noto Sans");
  EXPECT_EQ(Manager::GetFontName(), u"Noto Sans");
  EXPECT_EQ(Manager::GetFontWidth(), 12);
  Manager::SetFont(u"SourceHanSansCN-Regular", 14);
}
