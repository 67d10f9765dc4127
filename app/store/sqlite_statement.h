// SQLiteStatement: one owned prepared statement; binds, steps and reads columns of one query.
#pragma once

#include <string>

struct sqlite3_stmt;

class SQLiteStatement final {
 public:
  static constexpr int kRow = 100;
  static constexpr int kDone = 101;

  SQLiteStatement() = default;
  ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  bool IsPrepared() const { return m_handle != nullptr; }

  // Parameters are 1-based. Text is bound without a copy: the bytes must stay alive and unchanged
  // until the statement has been stepped.
  int BindInt(int index, int value);
  int BindText(int index, const char* text, int length);
  int BindText(int index, const std::string& text) {
    return BindText(index, text.data(), static_cast<int>(text.size()));
  }

  int Step();

  // Columns are 0-based. Reads of an unprepared statement give 0 and null.
  int ColumnInt(int column) const;
  // Owned by the statement, valid until the next Step or Finalize; null for an SQL NULL.
  const char* ColumnText(int column) const;

  // Releases the compiled statement; the code is that of a failed last step, else 0.
  int Finalize();

 private:
  friend class SQLiteDB;
  sqlite3_stmt* m_handle = nullptr;
};
