#include "store/SQLiteAutoTransaction.h"

#include "store/SQLiteDB.h"

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB& db) : db_(db) { Begin(); }

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (active_) Rollback();
}

bool SQLiteAutoTransaction::Begin() {
  if (active_) return false;
  active_ = db_.Execute("BEGIN") == SQLITE_OK;
  return active_;
}

bool SQLiteAutoTransaction::Commit() {
  if (!active_) return false;
  active_ = false;
  return db_.Execute("END") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Rollback() {
  if (!active_) return false;
  active_ = false;
  return db_.Execute("ROLLBACK") == SQLITE_OK;
}
