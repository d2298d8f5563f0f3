// A prepared statement, finalized when the object goes.
#pragma once

#include <sqlite3.h>

#include <string_view>

class SQLiteStatement {
 public:
  SQLiteStatement() = default;
  virtual ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  /// Binds a 32-bit integer at a position counted from 1.
  int BindInt(int position, int value);
  /// Binds UTF-8 text that the caller keeps alive until the statement has been stepped.
  int BindText(int position, std::string_view utf8);
  /// One step; SQLITE_DONE marks the statement done.
  int Step();
  /// The current row's integer at a column counted from 0.
  int ColumnInt(int index) const;
  /// The current row's UTF-8 text, or null when there is no statement or no value.
  const char* ColumnText(int index) const;
  /// 1 when created and again after a step returned SQLITE_DONE.
  int Done() const { return done_; }
  /// Resets the statement to run again and clears its bindings.
  int Reset();
  /// Finalizes the statement; it can be prepared again.
  void Finalize();

 private:
  friend class SQLiteDB;
  int done_ = 1;
  sqlite3_stmt* statement_ = nullptr;
};
