// The transaction bracket.
#include "store/sqlite_auto_transaction.h"

#include "store/sqlite_db.h"

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : m_db(db) {
  if (m_db == nullptr) return;
  if (m_db->IsOpen()) m_started = m_db->Execute("BEGIN") == 0;
  m_in_transaction = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (m_in_transaction && m_db != nullptr) Rollback();
}

bool SQLiteAutoTransaction::Begin() {
  if (m_db == nullptr || m_in_transaction) return false;
  m_in_transaction = true;
  if (!m_db->IsOpen()) return false;
  m_started = m_db->Execute("BEGIN") == 0;
  return m_started;
}

bool SQLiteAutoTransaction::Commit() {
  if (m_db == nullptr) return false;
  m_in_transaction = false;
  const bool started = m_started;
  m_started = false;
  // Without a transaction of its own, "END" would commit somebody else's batch.
  if (!m_db->IsOpen() || !started) return false;
  if (m_db->Execute("END") == 0) return true;
  m_db->Execute("ROLLBACK");
  return false;
}

bool SQLiteAutoTransaction::Rollback() {
  if (m_db == nullptr) return false;
  const bool started = m_started;
  m_in_transaction = false;
  m_started = false;
  if (!m_db->IsOpen() || !started) return false;
  return m_db->Execute("ROLLBACK") == 0;
}
