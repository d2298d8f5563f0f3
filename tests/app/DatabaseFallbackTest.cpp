// A database file the program cannot use is never written: the store works on
// a database in memory instead, holding the user's data when the file is
// sound, and the outcome says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/GuardedDatabaseSwitch.h"
#include "store/ProfileStore.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr char16_t kModel[] = u"Model X";

class DatabaseFallbackTest : public ::testing::Test {
 protected:
  // A sound database with one profile of the user's, closed.
  std::string MakeUserDatabase() {
    std::filesystem::create_directories(folder_.Path() + "db");
    ProfileStore store;
    EXPECT_TRUE(store.OpenDeviceDatabase(folder_.Path(), kModel));
    EXPECT_GT(store.AddProfile(ProfileRecord{0, u"Mine", u"", 0, 0}), 0);
    store.Close();
    return ProfileStore::DatabasePath(folder_.Path(), kModel);
  }
  std::vector<std::string> DatabaseFolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path() + "db")) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  // A write and a read back through the store: it is usable whatever the file.
  static void ExpectUsable(ProfileStore& store) {
    ASSERT_TRUE(store.IsOpen());
    const int id = store.AddProfile(ProfileRecord{0, u"New", u"", 0, 0});
    ASSERT_GT(id, 0);
    std::u16string name;
    EXPECT_TRUE(store.GetProfileName(id, name));
    EXPECT_EQ(name, u"New");
  }

  testsupport::TempFolder folder_;
};

// Not a database, and a database cut in half: both stay byte for byte as they
// were, with nothing written beside them, while the program works on.
TEST_F(DatabaseFallbackTest, DamagedFilesAreLeftUntouchedAndTheStoreWorksInMemory) {
  const std::string path = MakeUserDatabase();
  const std::string sound = folder_.Read(path.substr(folder_.Path().size()));
  const std::string garbage(20000, '\x5A');
  for (const std::string& bytes : {garbage, sound.substr(0, sound.size() / 2)}) {
    SCOPED_TRACE(bytes.size());
    folder_.Write(path.substr(folder_.Path().size()), bytes);
    const std::vector<std::string> before = DatabaseFolderEntries();
    ProfileStore store;
    GuardedDatabaseSwitch guarded(store, folder_.Path());
    guarded.SwitchDatabase(kModel, 201);
    EXPECT_EQ(guarded.Outcome().condition, DatabaseCondition::Damaged);
    EXPECT_EQ(guarded.Outcome().file, path);
    ExpectUsable(store);
    store.Close();
    EXPECT_EQ(folder_.Read(path.substr(folder_.Path().size())), bytes);
    EXPECT_EQ(DatabaseFolderEntries(), before);
  }
}

// The copy in memory holds what the user had; changes to it never reach the file.
TEST_F(DatabaseFallbackTest, TemporaryDatabaseStartsFromTheUsersFileAndLeavesItAlone) {
  const std::string path = MakeUserDatabase();
  const std::string before = folder_.Read(path.substr(folder_.Path().size()));
  ProfileStore store;
  ASSERT_TRUE(store.OpenTemporaryDatabase(GuardedDatabaseSwitch::ReadableName(path)));
  std::vector<ProfileRecord> profiles;
  ASSERT_EQ(store.ListProfiles(profiles), 1);
  EXPECT_EQ(profiles[0].name, u"Mine");
  ExpectUsable(store);
  store.Close();
  EXPECT_EQ(folder_.Read(path.substr(folder_.Path().size())), before);
}

// A data folder that cannot hold the file (here a plain file stands where the
// folder belongs) leaves nothing behind and names the folder to check.
TEST_F(DatabaseFallbackTest, UncreatableDatabaseWorksInMemoryAndNamesTheNearestFolder) {
  folder_.Write("blocked", "not a folder");
  ProfileStore store;
  GuardedDatabaseSwitch guarded(store, folder_.Path() + "blocked/");
  guarded.SwitchDatabase(kModel, 201);
  EXPECT_EQ(guarded.Outcome().condition, DatabaseCondition::NotCreatable);
  EXPECT_EQ(guarded.Outcome().folder + "/", folder_.Path());
  ExpectUsable(store);
  EXPECT_EQ(store.DeviceType(), 201);
  EXPECT_EQ(folder_.Read("blocked"), "not a folder");
}

}  // namespace
