// A thin owner of one SQLite connection. Every operation returns SQLite's
// result code, or SQLITE_MISUSE when there is no connection.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

class SQLiteStatement;

class SQLiteDB {
 public:
  /// Callback of Execute: one call per result row.
  using RowCallback = int (*)(void* argument, int columns, char** values, char** names);

  SQLiteDB() = default;
  virtual ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  /// Opens the file with the flags (closing any open connection first) and sets the journal; false when it is no usable database.
  bool Open(const std::string& utf8Path, const std::string& key, int flags);
  /// Replaces the open database's contents by those of the file (a path or a "file:" URI), which is only read; true when all was copied.
  bool CopyFrom(const std::string& utf8Path);
  /// Closes the connection; true when it was closed or there was none.
  bool Close();
  /// True while a connection is open.
  bool IsOpen() const { return db_ != nullptr; }
  /// Runs SQL text with SQLite's execute call.
  int Execute(const char* sql, RowCallback callback = nullptr, void* argument = nullptr);
  /// Finalizes what the statement held and prepares the text into it; length -1 means up to the terminator.
  int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
  /// The row id of the last insert, -1 without a connection.
  std::int64_t LastInsertId() const;
  /// The connection's latest error text, for diagnostics.
  std::string ErrorText() const;

 private:
  sqlite3* db_ = nullptr;
};
