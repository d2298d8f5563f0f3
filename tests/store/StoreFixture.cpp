#include "tests/store/StoreFixture.h"

#include <sqlite3.h>

#include "app/LanguageText.h"
#include "app/Paths.h"

void StoreFixture::SetUp() {
  SetLanguageId(1033);  // default names come from the shipped English texts
  ASSERT_TRUE(CreateFolderTree(folder_.Path() + "db"));
  ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), kBoard));
}

void StoreFixture::TearDown() { store_.Close(); }

std::string StoreFixture::QueryText(const std::string& sql) const {
  sqlite3* db = nullptr;
  std::string result;
  if (sqlite3_open_v2(DbPath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0) != nullptr) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return result;
}

int StoreFixture::QueryInt(const std::string& sql) const { return std::atoi(QueryText(sql).c_str()); }

bool StoreFixture::Exec(const std::string& sql) const {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open_v2(DbPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}
