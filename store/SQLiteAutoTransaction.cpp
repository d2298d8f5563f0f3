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
  if (db_.Execute("END") == SQLITE_OK) {
    active_ = false;
    return true;
  }
  // A commit refused (a reader holding a rollback-journal file, a full disk)
  // leaves the transaction open; every later write would join it and be lost.
  Rollback();
  return false;
}

bool SQLiteAutoTransaction::Rollback() {
  if (!active_) return false;
  active_ = false;
  return db_.Execute("ROLLBACK") == SQLITE_OK;
}
