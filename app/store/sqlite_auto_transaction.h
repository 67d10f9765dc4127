// SQLiteAutoTransaction: brackets a batch of writes on one connection in a transaction that is
// committed only on request and rolled back otherwise, so a failed batch leaves nothing behind.
#pragma once

class SQLiteDB;

class SQLiteAutoTransaction final {
 public:
  // Starts the transaction when the database has a connection.
  explicit SQLiteAutoTransaction(SQLiteDB* db);
  ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  // True when the transaction this object brackets really began on the connection.
  bool Started() const { return m_started; }

  // Starts a transaction when none is bracketed yet; true when "BEGIN" succeeded.
  bool Begin();
  // True when "END" succeeded. A commit SQLite refuses is rolled back so the connection is never
  // left inside a transaction.
  bool Commit();
  // Discards the batch; true when "ROLLBACK" succeeded.
  bool Rollback();

 private:
  SQLiteDB* m_db;
  bool m_in_transaction = false;
  bool m_started = false;
};
