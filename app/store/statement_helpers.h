// Helpers the repository operations share: binding values in order, running a statement, and
// reading rows into records. Internal to the store.
#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "store/sqlite_auto_transaction.h"
#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"

namespace store_sql {

// What a finished statement returns: OK, a row, or the end of the rows.
inline bool IsDone(int rc) {
  return rc == 0 || rc == SQLiteStatement::kRow || rc == SQLiteStatement::kDone;
}

inline int BindFrom(SQLiteStatement&, int) {
  return 0;
}

// Binds ints and UTF-8 strings to the parameters from index on; the first failing code or 0.
template <typename First, typename... Rest>
int BindFrom(SQLiteStatement& statement, int index, const First& first, const Rest&... rest) {
  int rc;
  if constexpr (std::is_same_v<First, std::string>) {
    rc = statement.BindText(index, first);
  } else {
    static_assert(std::is_same_v<First, int>, "statements bind int and std::string only");
    rc = statement.BindInt(index, first);
  }
  if (rc != 0) return rc;
  return BindFrom(statement, index + 1, rest...);
}

// Prepares sql into the statement and binds the values; the first failing code or 0.
template <typename... Values>
int PrepareBound(SQLiteDB& db, SQLiteStatement& statement, const char* sql,
                 const Values&... values) {
  const int rc = db.Prepare(statement, sql, -1);
  if (rc != 0) return rc;
  return BindFrom(statement, 1, values...);
}

// Runs a statement without rows; the code of its step.
template <typename... Values>
int Run(SQLiteDB& db, const char* sql, const Values&... values) {
  SQLiteStatement statement;
  const int rc = PrepareBound(db, statement, sql, values...);
  if (rc != 0) return rc;
  return statement.Step();
}

// Runs an insert; the new row id, 0 when it failed.
template <typename... Values>
int Insert(SQLiteDB& db, const char* sql, const Values&... values) {
  if (Run(db, sql, values...) != SQLiteStatement::kDone) return 0;
  return static_cast<int>(db.LastInsertRowId());
}

// Text of a column, an SQL NULL read as empty.
inline std::string ColumnString(const SQLiteStatement& statement, int column) {
  const char* text = statement.ColumnText(column);
  return text != nullptr ? std::string(text) : std::string();
}

// Reads the first row with read(statement) into row; true when there was one.
template <typename Row, typename Reader, typename... Values>
bool ReadRow(SQLiteDB& db, Row& row, Reader read, const char* sql, const Values&... values) {
  SQLiteStatement statement;
  if (PrepareBound(db, statement, sql, values...) != 0) return false;
  if (statement.Step() != SQLiteStatement::kRow) return false;
  row = read(statement);
  return true;
}

// Replaces the list with every row of the query; the number of rows.
template <typename Row, typename Reader, typename... Values>
int ReadRows(SQLiteDB& db, std::vector<Row>& list, Reader read, const char* sql,
             const Values&... values) {
  list.clear();
  SQLiteStatement statement;
  if (PrepareBound(db, statement, sql, values...) != 0) return 0;
  while (statement.Step() == SQLiteStatement::kRow) list.push_back(read(statement));
  return static_cast<int>(list.size());
}

// The first column of the first row as an int; fallback when there is no row.
template <typename... Values>
int ReadInt(SQLiteDB& db, int fallback, const char* sql, const Values&... values) {
  int value = fallback;
  ReadRow(
      db, value, [](const SQLiteStatement& s) { return s.ColumnInt(0); }, sql, values...);
  return value;
}

// Runs work() inside one transaction that is committed only when work() returns true.
template <typename Work>
bool InTransaction(SQLiteDB& db, Work&& work) {
  SQLiteAutoTransaction transaction(&db);
  return transaction.Started() && work() && transaction.Commit();
}

}  // namespace store_sql
