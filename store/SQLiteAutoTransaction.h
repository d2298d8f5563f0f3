// A transaction that begins on construction. Work not committed is rolled
// back when the object goes, so a failed batch never lands half-done.
#pragma once

class SQLiteDB;

class SQLiteAutoTransaction {
 public:
  /// Begins a transaction on the connection.
  explicit SQLiteAutoTransaction(SQLiteDB& db);
  virtual ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  /// Begins again when not active; true when it succeeded.
  bool Begin();
  /// Commits ("END"); true when it succeeded. A failed commit is rolled back, so the connection is usable again.
  bool Commit();
  /// Rolls back; true when it succeeded.
  bool Rollback();
  /// True between a successful begin and its commit or rollback.
  bool Active() const { return active_; }

 private:
  SQLiteDB& db_;
  bool active_ = false;
};
