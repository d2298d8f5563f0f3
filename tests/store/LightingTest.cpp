#include <gtest/gtest.h>

#include "catalogue/KeyboardLayout.h"
#include "store/StoreDefaults.h"
#include "tests/store/StoreFixture.h"

namespace {

using LightingTest = StoreFixture;

KeyboardLayout FiveModeLayout(int deviceType) {
  KeyboardLayout layout;
  layout.deviceType = deviceType;
  layout.defaultMode = 3;
  layout.defaultBrightness = 4;
  layout.defaultSpeed = 2;
  for (int mode = 1; mode <= 5; ++mode) {
    layout.lightModes.push_back(LayoutLightMode{u"90" + std::u16string(1, u'0' + mode), mode, mode == 5 ? 0x100 : 0x3});
  }
  return layout;
}

TEST_F(LightingTest, NewDatabaseGetsOneRowPerModeWithTheDefaultActive) {
  StoreDefaults::EnsureDefaultLighting(store_, FiveModeLayout(201));
  std::vector<LightRecord> rows;
  ASSERT_EQ(store_.ListLightModes(1, rows), 5);
  for (const LightRecord& row : rows) {
    EXPECT_EQ(row.status, row.mode == 3 ? 1 : 0);
    EXPECT_EQ(row.brightness, 4);
    EXPECT_EQ(row.speed, 2);
    EXPECT_EQ(row.direction, 2);
    EXPECT_EQ(row.colorful, 1);
    EXPECT_EQ(row.colorValue, 255);
  }
  EXPECT_EQ(rows[4].configFunc, 0x100);
  EXPECT_EQ(rows[0].name, u"901");
  EXPECT_EQ(store_.GetActiveLightMode(1), 3);
  StoreDefaults::EnsureDefaultLighting(store_, FiveModeLayout(201));  // rows exist: nothing added
  EXPECT_EQ(store_.CountLightModes(1), 5);
}

TEST_F(LightingTest, FamilyAModelsStartWithDirectionZero) {
  StoreDefaults::EnsureDefaultLighting(store_, FiveModeLayout(101));
  LightRecord row;
  ASSERT_TRUE(store_.ReadLightMode(1, 2, row));
  EXPECT_EQ(row.direction, 0);
}

TEST_F(LightingTest, ActivatingAModeWithoutRowLeavesNoneActive) {
  StoreDefaults::EnsureDefaultLighting(store_, FiveModeLayout(201));
  EXPECT_TRUE(store_.SetActiveLightMode(1, 77));
  EXPECT_EQ(store_.GetActiveLightMode(1), 0);
}

TEST_F(LightingTest, ChangingOneSettingKeepsTheOthers) {
  StoreDefaults::EnsureDefaultLighting(store_, FiveModeLayout(201));
  LightRecord row;
  ASSERT_TRUE(store_.ReadLightMode(1, 2, row));
  row.speed = 1;
  row.colorValue = 0x00FF00;
  row.status = 1;  // status is not a setting: an update leaves it
  ASSERT_TRUE(store_.UpdateLightModeSettings(1, 2, row));
  LightRecord read;
  ASSERT_TRUE(store_.ReadLightMode(1, 2, read));
  EXPECT_EQ(read.speed, 1);
  EXPECT_EQ(read.colorValue, 0x00FF00);
  EXPECT_EQ(read.brightness, 4);
  EXPECT_EQ(read.status, 0);
  EXPECT_FALSE(store_.ReadLightMode(2, 2, read));
}

TEST_F(LightingTest, SavingCustomColoursTwiceKeepsOneSet) {
  std::vector<KeyColorRecord> colors;
  for (int code = 0x104; code < 0x104 + 20; ++code) colors.push_back(KeyColorRecord{0, 1, kCustomColorSet, code, code});
  ASSERT_TRUE(store_.ReplaceKeyColors(colors));
  ASSERT_TRUE(store_.ReplaceKeyColors(colors));
  std::vector<KeyColorRecord> read;
  ASSERT_EQ(store_.ListKeyColors(read), 20);
  EXPECT_EQ(read[3].keyCode, 0x107);
  EXPECT_EQ(read[3].keyColor, 0x107);
  EXPECT_TRUE(store_.DeleteKeyColors());
  EXPECT_EQ(store_.ListKeyColors(read), 0);
  EXPECT_EQ(store_.SaveKeyColors(colors), 20);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_light_data WHERE light_id = 128"), 20);
}

}  // namespace
