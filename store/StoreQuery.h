// One statement of a store operation: prepared once, parameters bound in
// order, stepped. Wide text is bound as UTF-8 kept alive by the query.
#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "store/SQLiteStatement.h"

class SQLiteDB;

class StoreQuery {
 public:
  /// Prepares the SQL text on the connection.
  StoreQuery(SQLiteDB& db, const char* sql);

  /// Binds an integer at the next position.
  StoreQuery& Bind(int value);
  /// Binds wide text, as UTF-8, at the next position.
  StoreQuery& Bind(std::u16string_view text);

  /// Makes the prepared statement ready to be bound and run again.
  void Reset();

  /// Steps once; true for SQLITE_OK, SQLITE_ROW and SQLITE_DONE.
  bool Run();
  /// Steps to the next row; true while there is one.
  bool NextRow();
  /// The SQLite result of the preparation or the latest step.
  int Result() const { return result_; }

  /// The current row's integer column.
  int Int(int column) const { return statement_.ColumnInt(column); }
  /// The current row's text column; empty for no value.
  std::u16string Text(int column) const;

 private:
  SQLiteStatement statement_;
  std::deque<std::string> texts_;
  int position_ = 0;
  int result_ = 0;
};
