// The prepared statement wrapper.
#include "store/sqlite_statement.h"

#include <sqlite3.h>

#include "store/sqlite_db.h"

SQLiteStatement::~SQLiteStatement() {
  Finalize();
}

int SQLiteStatement::BindInt(int index, int value) {
  if (m_handle == nullptr) return SQLiteDB::kMisuse;
  return sqlite3_bind_int(m_handle, index, value);
}

int SQLiteStatement::BindText(int index, const char* text, int length) {
  if (m_handle == nullptr) return SQLiteDB::kMisuse;
  return sqlite3_bind_text(m_handle, index, text, length, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
  if (m_handle == nullptr) return SQLiteDB::kMisuse;
  return sqlite3_step(m_handle);
}

int SQLiteStatement::ColumnInt(int column) const {
  if (m_handle == nullptr) return 0;
  return sqlite3_column_int(m_handle, column);
}

const char* SQLiteStatement::ColumnText(int column) const {
  if (m_handle == nullptr) return nullptr;
  return reinterpret_cast<const char*>(sqlite3_column_text(m_handle, column));
}

int SQLiteStatement::Finalize() {
  if (m_handle == nullptr) return SQLITE_OK;
  // SQLite releases the statement whatever it returns (a non-zero code only repeats the error of
  // the last step), so the handle must never be finalised twice.
  const int rc = sqlite3_finalize(m_handle);
  m_handle = nullptr;
  return rc;
}
