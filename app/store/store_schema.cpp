// The schema statements and the inspection of an existing file. The expected columns are not
// written twice: they are read from the same statements run on an in-memory database.
#include "store/store_schema.h"

#include <algorithm>
#include <string>
#include <vector>

#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"
#include "store/statement_helpers.h"

namespace store_schema {

const std::array<const char*, 17> kStatements = {
    "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, "
    "name TEXT, status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, "
    "macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, "
    "macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_desc TEXT, param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "play_times INTEGER, delay_type INTEGER, delay_time INTEGER, link_count INTEGER, name TEXT)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
    "delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
    "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
    "config_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",
    "CREATE TABLE IF NOT EXISTS t_musiclayer_data(layer_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, fore_amplitude INTEGER, "
    "backmode INTEGER, backb_right INTEGER, sel INTEGER)",
    "CREATE INDEX IF NOT EXISTS musiclayerindex ON t_musiclayer_data(layer_id)",
};

namespace {

constexpr int kCorrupt = 11;
constexpr int kNotADatabase = 26;

struct Table {
  std::string name;
  std::vector<std::string> columns;
};

bool IsDamage(int rc) {
  return rc == kCorrupt || rc == kNotADatabase;
}

// The user tables of the database with their columns in order; the code of the first failing read.
int ReadTables(SQLiteDB& db, std::vector<Table>& tables) {
  tables.clear();
  SQLiteStatement statement;
  int rc = db.Prepare(statement,
                      "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                      "name NOT LIKE 'sqlite_%' ORDER BY name");
  if (rc != 0) return rc;
  while ((rc = statement.Step()) == SQLiteStatement::kRow) {
    tables.push_back({store_sql::ColumnString(statement, 0), {}});
  }
  if (rc != SQLiteStatement::kDone) return rc;
  for (Table& table : tables) {
    rc = store_sql::PrepareBound(db, statement,
                                 "SELECT name FROM pragma_table_info(?) ORDER BY cid", table.name);
    if (rc != 0) return rc;
    while ((rc = statement.Step()) == SQLiteStatement::kRow) {
      table.columns.push_back(store_sql::ColumnString(statement, 0));
    }
    if (rc != SQLiteStatement::kDone) return rc;
  }
  return 0;
}

// The tables the schema statements create.
std::vector<Table> ExpectedTables() {
  SQLiteDB reference;
  std::vector<Table> tables;
  if (!reference.Open(":memory:", SQLiteDB::kOpenCreate)) return tables;
  for (const char* sql : kStatements) reference.Execute(sql);
  ReadTables(reference, tables);
  return tables;
}

// Every expected table is present and begins with the expected columns; later columns are
// tolerated, since the rows are read by position.
bool HoldsSchema(const std::vector<Table>& found) {
  static const std::vector<Table> expected = ExpectedTables();
  if (expected.empty()) return false;
  for (const Table& want : expected) {
    bool matched = false;
    for (const Table& have : found) {
      if (have.name != want.name) continue;
      matched = have.columns.size() >= want.columns.size() &&
                std::equal(want.columns.begin(), want.columns.end(), have.columns.begin());
      break;
    }
    if (!matched) return false;
  }
  return true;
}

}  // namespace

FileState Inspect(SQLiteDB& db) {
  std::vector<Table> tables;
  int rc = ReadTables(db, tables);
  if (rc != 0) return IsDamage(rc) ? FileState::kUnreadable : FileState::kInaccessible;

  SQLiteStatement check;
  rc = db.Prepare(check, "PRAGMA quick_check");
  if (rc == 0) rc = check.Step();
  if (rc != SQLiteStatement::kRow) {
    return IsDamage(rc) ? FileState::kUnreadable : FileState::kInaccessible;
  }
  if (store_sql::ColumnString(check, 0) != "ok") return FileState::kUnreadable;

  if (tables.empty()) return FileState::kEmpty;
  return HoldsSchema(tables) ? FileState::kCurrent : FileState::kForeign;
}

}  // namespace store_schema
