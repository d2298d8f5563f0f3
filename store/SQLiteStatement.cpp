#include "store/SQLiteStatement.h"

SQLiteStatement::~SQLiteStatement() { Finalize(); }

void SQLiteStatement::Finalize() {
  if (statement_ != nullptr) sqlite3_finalize(statement_);
  statement_ = nullptr;
  done_ = 1;
}

int SQLiteStatement::Reset() {
  if (statement_ == nullptr) return SQLITE_MISUSE;
  sqlite3_clear_bindings(statement_);
  done_ = 1;
  return sqlite3_reset(statement_);
}

int SQLiteStatement::BindInt(int position, int value) {
  return statement_ == nullptr ? SQLITE_MISUSE : sqlite3_bind_int(statement_, position, value);
}

int SQLiteStatement::BindText(int position, std::string_view utf8) {
  if (statement_ == nullptr) return SQLITE_MISUSE;
  return sqlite3_bind_text(statement_, position, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}

int SQLiteStatement::Step() {
  if (statement_ == nullptr) return SQLITE_MISUSE;
  const int result = sqlite3_step(statement_);
  done_ = result == SQLITE_DONE ? 1 : 0;
  return result;
}

int SQLiteStatement::ColumnInt(int index) const {
  return statement_ == nullptr ? 0 : sqlite3_column_int(statement_, index);
}

const char* SQLiteStatement::ColumnText(int index) const {
  return statement_ == nullptr ? nullptr : reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
}
