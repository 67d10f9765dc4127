// The SQLite connection wrapper.
#include "store/sqlite_db.h"

#include <sqlite3.h>

#include <cstring>

#include "store/sqlite_statement.h"

namespace {

// WAL with NORMAL syncing keeps every committed transaction across a crash of the program and
// costs no flush per commit; the timeout lets a second connection wait out a short write.
constexpr const char* kConnectionPragmas =
    "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA busy_timeout = 2000; ";

}  // namespace

SQLiteDB::~SQLiteDB() {
  if (m_handle != nullptr) sqlite3_interrupt(m_handle);
  Close();
}

bool SQLiteDB::Open(const char* path, int flags) {
  if (m_handle != nullptr) {
    sqlite3_interrupt(m_handle);
    Close();
  }
  if (path == nullptr) return false;
  sqlite3* handle = nullptr;
  if (sqlite3_open_v2(path, &handle, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(handle);
    return false;
  }
  m_handle = handle;
  // A file that is not a database refuses these; the caller finds that out with its first query.
  Execute(kConnectionPragmas);
  return true;
}

bool SQLiteDB::Close() {
  if (m_handle == nullptr) return true;
  // A statement still alive would make sqlite3_close refuse and keep this connection, so a
  // reopen would write to the old file or leak it. sqlite3_close_v2 lets go of it either way and
  // closes the file once that statement is finalized; the result says whether it is closed now.
  const bool idle = sqlite3_next_stmt(m_handle, nullptr) == nullptr;
  sqlite3_close_v2(m_handle);
  m_handle = nullptr;
  return idle;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
  if (m_handle == nullptr || sql == nullptr) return kMisuse;
  return sqlite3_exec(m_handle, sql, callback, context, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
  statement.Finalize();
  if (m_handle == nullptr || sql == nullptr) return kMisuse;
  if (length < 0) length = static_cast<int>(std::strlen(sql)) + 1;
  return sqlite3_prepare_v2(m_handle, sql, length, &statement.m_handle, nullptr);
}

std::int64_t SQLiteDB::LastInsertRowId() const {
  if (m_handle == nullptr) return -1;
  return sqlite3_last_insert_rowid(m_handle);
}
