#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "store/DeviceDatabaseSwitch.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteStatement.h"
#include "tests/store/StoreFixture.h"

namespace {

using DatabaseTest = StoreFixture;

TEST_F(DatabaseTest, NewDatabaseHasTheFullSchemaInWalMode) {
  EXPECT_TRUE(store_.IsOpen());
  EXPECT_EQ(store_.Path(), folder_.Path() + "db/Test Board_data_v4.db");
  EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name LIKE 't\\_%' ESCAPE '\\'"), 9);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"), 8);
  EXPECT_EQ(QueryText("SELECT sql FROM sqlite_master WHERE name = 't_macrorecord'"),
            "CREATE TABLE t_macrorecord (record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, type INTEGER, "
            "record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER)");
  EXPECT_EQ(QueryText("SELECT tbl_name FROM sqlite_master WHERE name = 'musiclayerindex'"), "t_musiclayer_data");
  EXPECT_EQ(QueryText("PRAGMA journal_mode"), "wal");
}

TEST_F(DatabaseTest, WithoutAConnectionEveryOperationFailsAtOnce) {
  store_.Close();
  std::vector<ProfileRecord> profiles{ProfileRecord{}};
  EXPECT_EQ(store_.ListProfiles(profiles), 0);
  EXPECT_TRUE(profiles.empty());
  EXPECT_EQ(store_.AddMacro(u"m"), SQLITE_MISUSE);
  EXPECT_EQ(store_.AddProfile(ProfileRecord{}), 0);
  EXPECT_EQ(store_.AddSteps({StepRecord{}}), 0);
  EXPECT_FALSE(store_.RenameProfile(1, u"x"));
  EXPECT_EQ(store_.GetActiveProfile(), 0);
}

TEST_F(DatabaseTest, WrappersAnswerMisuseWithoutConnectionOrStatement) {
  SQLiteDB db;
  SQLiteStatement statement;
  EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_MISUSE);
  EXPECT_EQ(statement.BindInt(1, 1), SQLITE_MISUSE);
  EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
  EXPECT_EQ(statement.ColumnText(0), nullptr);
  EXPECT_EQ(db.LastInsertId(), -1);
  EXPECT_TRUE(db.Close());
  EXPECT_EQ(db.Execute("SELECT 1"), SQLITE_MISUSE);
}

TEST_F(DatabaseTest, UncommittedTransactionIsRolledBack) {
  SQLiteDB db;
  ASSERT_TRUE(db.Open(DbPath(), "", SQLITE_OPEN_READWRITE));
  {
    SQLiteAutoTransaction transaction(db);
    ASSERT_TRUE(transaction.Active());
    EXPECT_FALSE(transaction.Begin());
    ASSERT_EQ(db.Execute("INSERT INTO t_profile_data(name) VALUES ('lost')"), SQLITE_OK);
  }
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data"), 0);
  SQLiteAutoTransaction transaction(db);
  db.Execute("INSERT INTO t_profile_data(name) VALUES ('kept')");
  EXPECT_TRUE(transaction.Commit());
  EXPECT_EQ(QueryText("SELECT name FROM t_profile_data"), "kept");
}

TEST_F(DatabaseTest, AFileThatIsNoDatabaseStaysClosedAndUntouched) {
  store_.Close();
  const std::string junk = "this is a text file, not a database, and it must stay exactly like this\n";
  folder_.Write("db/Junk_data_v4.db", junk);
  EXPECT_FALSE(store_.OpenDeviceDatabase(folder_.Path(), u"Junk"));
  EXPECT_FALSE(store_.IsOpen());
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store_.ListProfiles(profiles), 0);
  EXPECT_EQ(folder_.Read("db/Junk_data_v4.db"), junk);
  SQLiteDB db;
  EXPECT_FALSE(db.Open(folder_.Path() + "db/Junk_data_v4.db", "", SQLITE_OPEN_READWRITE));
  EXPECT_FALSE(db.IsOpen());
}

TEST_F(DatabaseTest, KeyedDatabasesAreRefusedForLackOfACipher) {
  SQLiteDB db;
  EXPECT_FALSE(db.Open(DbPath(), "secret", SQLITE_OPEN_READWRITE));
}

TEST_F(DatabaseTest, SwitchingModelsKeepsBothFilesAndNonAsciiNames) {
  DeviceDatabaseSwitch databaseSwitch(store_, folder_.Path());
  store_.AddProfile(ProfileRecord{0, u"first model", u"", 0, 0});
  databaseSwitch.SwitchDatabase(u"Clavier \u00C9t\u00E9 \u952E\u76D8", 101);
  EXPECT_TRUE(store_.IsOpen());
  EXPECT_EQ(store_.DeviceType(), 101);
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "db/Clavier \xC3\x89t\xC3\xA9 \xE9\x94\xAE\xE7\x9B\x98_data_v4.db"));
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store_.ListProfiles(profiles), 0);
  databaseSwitch.SwitchDatabase(kBoard, 201);
  ASSERT_EQ(store_.ListProfiles(profiles), 1);
  EXPECT_EQ(profiles[0].name, u"first model");
}

TEST_F(DatabaseTest, DeletingTheDatabaseRemovesItsLogToo) {
  store_.AddProfile(ProfileRecord{0, u"x", u"", 0, 0});
  store_.Close();
  EXPECT_TRUE(store_.DeleteDeviceDatabase(folder_.Path(), kBoard));
  EXPECT_FALSE(std::filesystem::exists(DbPath()));
  EXPECT_FALSE(std::filesystem::exists(DbPath() + "-wal"));
  ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));  // a new, empty store
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data"), 0);
}

// A copy restored by a backup tool is in rollback-journal mode. While another
// process reads it, neither the switch to WAL nor a commit can happen; the
// refused commit must be rolled back, or later saves would silently join it.
TEST_F(DatabaseTest, RefusedCommitIsRolledBackAndTheFileBecomesWalWhenItCan) {
  const int macro = store_.AddMacro(u"m");
  store_.Close();
  ASSERT_TRUE(Exec("PRAGMA journal_mode=DELETE;"));
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open_v2(DbPath().c_str(), &reader, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM t_profile_data;", nullptr, nullptr, nullptr), SQLITE_OK);

  ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
  EXPECT_EQ(QueryText("PRAGMA journal_mode"), "delete");  // the reader kept it from switching
  EXPECT_FALSE(store_.ReplaceSteps(macro, {StepRecord{0, 0, 2, 0, 65, 10, u"lost"}}));
  ASSERT_EQ(sqlite3_exec(reader, "COMMIT;", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(reader);

  const int profile = store_.AddProfile(ProfileRecord{0, u"kept", u"", 0, 0});
  ASSERT_GT(profile, 0);
  EXPECT_TRUE(store_.ReplaceSteps(macro, {StepRecord{0, 0, 2, 0, 66, 10, u"saved"}}));
  // What another connection sees is what a restart would see.
  EXPECT_EQ(QueryText("SELECT name FROM t_profile_data WHERE profile = " + std::to_string(profile)), "kept");
  EXPECT_EQ(QueryText("SELECT group_concat(desc) FROM t_macrorecord"), "saved");
  store_.Close();
  ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
  EXPECT_EQ(QueryText("PRAGMA journal_mode"), "wal");
}

// A first creation cut short (crash, full disk) or an empty file must not give
// a database that opens but can never save: the next open completes it.
TEST_F(DatabaseTest, EmptyOrHalfCreatedFileIsCompletedAtTheNextOpen) {
  store_.Close();
  for (const char* setup : {"", "CREATE TABLE t_configdata (config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "profile INTEGER, key TEXT, value TEXT);"}) {
    SCOPED_TRACE(setup);
    ASSERT_TRUE(store_.DeleteDeviceDatabase(folder_.Path(), kBoard));
    folder_.Write("db/Test Board_data_v4.db", "");
    if (*setup != '\0') {
      ASSERT_TRUE(Exec(setup));
    }
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
    EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name LIKE 't\\_%' ESCAPE '\\'"), 9);
    EXPECT_EQ(QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"), 8);
    EXPECT_GT(store_.AddProfile(ProfileRecord{0, u"p", u"", 0, 0}), 0);
    const int macro = store_.AddMacro(u"m");
    EXPECT_TRUE(store_.ReplaceSteps(macro, {StepRecord{0, 0, 2, 0, 65, 10, u"A"}}));
    store_.Close();
  }
}

TEST(DatabaseWithoutFolder, CreatingFailsWhenTheFolderIsMissing) {
  testsupport::TempFolder folder;
  ProfileStore store;
  EXPECT_FALSE(store.OpenDeviceDatabase(folder.Path() + "missing/", u"Board"));
  EXPECT_FALSE(store.IsOpen());
}

}  // namespace
