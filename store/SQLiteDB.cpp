#include "store/SQLiteDB.h"

#include "store/SQLiteStatement.h"

namespace {

int CaptureFirstValue(void* argument, int columns, char** values, char**) {
  if (columns > 0 && values[0] != nullptr) *static_cast<std::string*>(argument) = values[0];
  return 0;
}

}  // namespace

SQLiteDB::~SQLiteDB() { Close(); }

bool SQLiteDB::Open(const std::string& utf8Path, const std::string& key, int flags) {
  if (db_ != nullptr) {
    sqlite3_interrupt(db_);
    Close();
  }
  sqlite3* handle = nullptr;
  if (sqlite3_open_v2(utf8Path.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(handle);
    return false;
  }
  db_ = handle;
  sqlite3_busy_timeout(db_, 2000);
  // This build has no cipher extension: a keyed database cannot be read.
  // A file that is not a database is refused before anything touches it.
  if (!key.empty() || Execute("SELECT count(*) FROM sqlite_master;") != SQLITE_OK) {
    Close();
    return false;
  }
  // Write-ahead logging with NORMAL sync cannot corrupt the file on power
  // loss; at worst the last changes before it are gone. Where WAL is not
  // possible, the rollback journal needs FULL sync for the same promise.
  std::string mode;
  Execute("PRAGMA journal_mode=WAL;", CaptureFirstValue, &mode);
  Execute(mode == "wal" ? "PRAGMA synchronous=NORMAL;" : "PRAGMA synchronous=FULL;");
  return true;
}

bool SQLiteDB::CopyFrom(const std::string& utf8Path) {
  if (db_ == nullptr) return false;
  sqlite3* source = nullptr;
  bool copied = false;
  if (sqlite3_open_v2(utf8Path.c_str(), &source, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
    if (sqlite3_backup* backup = sqlite3_backup_init(db_, "main", source, "main")) {
      copied = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
      copied = sqlite3_backup_finish(backup) == SQLITE_OK && copied;
    }
  }
  sqlite3_close_v2(source);
  return copied;
}

bool SQLiteDB::Close() {
  if (db_ == nullptr) return true;
  if (sqlite3_close_v2(db_) != SQLITE_OK) return false;
  db_ = nullptr;
  return true;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* argument) {
  if (db_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_exec(db_, sql, callback, argument, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
  statement.Finalize();
  if (db_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_prepare_v2(db_, sql, length, &statement.statement_, nullptr);
}

std::int64_t SQLiteDB::LastInsertId() const { return db_ == nullptr ? -1 : sqlite3_last_insert_rowid(db_); }

std::string SQLiteDB::ErrorText() const { return db_ == nullptr ? "no connection" : sqlite3_errmsg(db_); }
