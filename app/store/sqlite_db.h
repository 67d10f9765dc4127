// SQLiteDB: one owned SQLite connection, reporting SQLite result codes instead of throwing.
#pragma once

#include <cstdint>

struct sqlite3;
class SQLiteStatement;

class SQLiteDB final {
 public:
  // Open an existing file read-write; the connection is serialized (full mutex).
  static constexpr int kOpenExisting = 0x10002;
  // The same, creating the file when it is missing.
  static constexpr int kOpenCreate = 0x10006;
  // Read only: looking at a file without changing it or the log beside it.
  static constexpr int kOpenReadOnly = 0x10001;
  static constexpr int kMisuse = 21;

  // A row callback as sqlite3_exec calls it; a non-zero return stops the statement.
  using RowCallback = int (*)(void* context, int columns, char** values, char** names);

  SQLiteDB() = default;
  ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  // Closes any current connection first. A null path fails.
  bool Open(const char* path, int flags);
  // Always lets go of the connection. False when a statement on it is still alive: the file
  // then stays open until that statement is finalized.
  bool Close();
  bool IsOpen() const { return m_handle != nullptr; }

  int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);
  // A negative length measures the text, counting its terminating zero.
  int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
  // -1 while closed.
  std::int64_t LastInsertRowId() const;

 private:
  sqlite3* m_handle = nullptr;
};
