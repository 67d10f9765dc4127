// The tables and indexes of the profile database, and the check that decides whether an existing
// file holds them.
#pragma once

#include <array>

class SQLiteDB;

namespace store_schema {

// The statements that create the schema, in the order they run.
extern const std::array<const char*, 17> kStatements;

enum class FileState {
  kCurrent,       // a database with every table of the schema
  kEmpty,         // a database without any table: a new file, or one whose creation never ended
  kForeign,       // a readable database of another layout
  kUnreadable,    // not a database, or a damaged one
  kInaccessible,  // could not be read right now (locked, permissions, I/O): not to be touched
};

// Inspects the database open on db.
FileState Inspect(SQLiteDB& db);

}  // namespace store_schema
