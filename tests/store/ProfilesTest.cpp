#include <gtest/gtest.h>

#include "store/StoreDefaults.h"
#include "tests/store/StoreFixture.h"

namespace {

using ProfilesTest = StoreFixture;

TEST_F(ProfilesTest, NewDatabaseGetsThreeProfilesAndTheConfigurationOnce) {
  std::vector<ProfileRecord> profiles;
  ASSERT_EQ(StoreDefaults::EnsureDefaultProfiles(store_, profiles), 3);
  EXPECT_EQ(profiles[0].name, u"Profile 1");
  EXPECT_EQ(profiles[2].name, u"Profile 3");
  EXPECT_EQ(profiles[0].id, 1);
  EXPECT_EQ(profiles[0].status, 1);
  EXPECT_EQ(profiles[1].status, 0);
  EXPECT_EQ(store_.GetActiveProfile(), 1);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_configdata WHERE profile = 1"), 11);
  EXPECT_EQ(QueryText("SELECT key || '=' || value FROM t_configdata ORDER BY config_id LIMIT 1"), "version=1.0.1");
  EXPECT_EQ(QueryText("SELECT key FROM t_configdata ORDER BY config_id DESC LIMIT 1"), "disable_win");
  // A second fill finds profiles and adds nothing.
  EXPECT_EQ(StoreDefaults::EnsureDefaultProfiles(store_, profiles), 3);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_configdata"), 11);
}

TEST_F(ProfilesTest, ActivatingAMissingProfileLeavesNoneActive) {
  std::vector<ProfileRecord> profiles;
  StoreDefaults::EnsureDefaultProfiles(store_, profiles);
  EXPECT_TRUE(store_.SetActiveProfile(42));
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  ASSERT_TRUE(Exec("UPDATE t_profile_data SET status = 1 WHERE profile IN (2, 3)"));
  EXPECT_EQ(store_.GetActiveProfile(), 2);
}

TEST_F(ProfilesTest, IdsOfDeletedProfilesAreNeverReused) {
  const int a = store_.AddProfile(ProfileRecord{0, u"A", u"", 0, 0});
  const int b = store_.AddProfile(ProfileRecord{0, u"B", u"", 0, 0});
  ASSERT_GT(b, a);
  EXPECT_TRUE(store_.DeleteProfile(b));
  EXPECT_GT(store_.AddProfile(ProfileRecord{0, u"C", u"", 0, 0}), b);
}

TEST_F(ProfilesTest, NamesRoundTripAndMissingProfilesHaveNone) {
  const int id = store_.AddProfile(ProfileRecord{0, u"Spiel \u00FC\U0001F3AE", u"", 0, 0});
  std::u16string name = u"stale";
  ASSERT_TRUE(store_.GetProfileName(id, name));
  EXPECT_EQ(name, u"Spiel \u00FC\U0001F3AE");
  EXPECT_TRUE(store_.RenameProfile(id, u"Work"));
  ASSERT_TRUE(store_.GetProfileName(id, name));
  EXPECT_EQ(name, u"Work");
  EXPECT_FALSE(store_.GetProfileName(id + 1, name));
  EXPECT_EQ(name, u"");
}

TEST_F(ProfilesTest, MusicLayerIsCreatedOnceAndKeepsItsValues) {
  MusicLayerRecord layer;
  ASSERT_TRUE(StoreDefaults::EnsureMusicLayer(store_, true, layer));
  EXPECT_EQ(layer.layerId, 1);
  EXPECT_EQ(layer.name, u"Music 1");
  EXPECT_EQ(layer.foreMode, 17);
  EXPECT_EQ(layer.foreAmplitude, 300);
  EXPECT_EQ(layer.backBright, 100);
  EXPECT_EQ(layer.sel, 1);
  layer.foreAmplitude = 45;
  layer.deviceIndex = 2;
  ASSERT_TRUE(store_.UpdateMusicLayer(layer));
  std::vector<ProfileRecord> profiles;
  StoreDefaults::EnsureDefaultProfiles(store_, profiles);
  for (const ProfileRecord& p : profiles) store_.DeleteProfile(p.id);
  store_.Close();
  ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
  MusicLayerRecord again;
  ASSERT_TRUE(StoreDefaults::EnsureMusicLayer(store_, true, again));
  EXPECT_EQ(again.foreAmplitude, 45);
  EXPECT_EQ(again.deviceIndex, 2);
  EXPECT_EQ(store_.CountMusicLayers(), 1);
}

TEST_F(ProfilesTest, MusicLayerOfAPlainKeyboardStartsWithEffectOne) {
  MusicLayerRecord layer;
  ASSERT_TRUE(StoreDefaults::EnsureMusicLayer(store_, false, layer));
  EXPECT_EQ(layer.foreMode, 1);
}

}  // namespace
