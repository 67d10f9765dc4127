// ProfileStore operations on macros and their records.
#include <optional>

#include "store/profile_store.h"
#include "store/statement_helpers.h"

using namespace store_sql;
using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, name) "
    "VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertRecord =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";
constexpr const char* kSelectRecords =
    "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC";
// Records of this type are not actions (recorded key presses and releases are 2 and 3).
constexpr int kNonActionRecord = 1;

// Columns of t_macro_data: macro_id, play_times, delay_type, delay_time, link_count, name.
MacroRow ReadMacro(const SQLiteStatement& s) {
  MacroRow row;
  row.macro_id = s.ColumnInt(0);
  row.play_times = s.ColumnInt(1);
  row.delay_type = s.ColumnInt(2);
  row.delay_time = s.ColumnInt(3);
  row.link_count = s.ColumnInt(4);
  row.name = ColumnString(s, 5);
  return row;
}

// Columns of t_macrorecord: record_id, macro_id, type, record_index, desc, value, delay_time.
MacroRecordRow ReadRecord(const SQLiteStatement& s) {
  MacroRecordRow row;
  row.record_id = s.ColumnInt(0);
  row.macro_id = s.ColumnInt(1);
  row.type = s.ColumnInt(2);
  row.record_index = s.ColumnInt(3);
  row.desc = ColumnString(s, 4);
  row.value = s.ColumnInt(5);
  row.delay_time = s.ColumnInt(6);
  return row;
}

int InsertRecord(SQLiteDB& db, const MacroRecordRow& row, int macro_id) {
  return Insert(db, kInsertRecord, macro_id, row.type, row.record_index, row.desc, row.value,
                row.delay_time);
}

// Inserts the records under their own macro ids, or all under macro_id when one is given.
bool InsertRecords(SQLiteDB& db, const std::vector<MacroRecordRow>& list,
                   std::optional<int> macro_id) {
  for (const MacroRecordRow& row : list) {
    if (InsertRecord(db, row, macro_id.value_or(row.macro_id)) == 0) return false;
  }
  return true;
}

bool DeleteRecords(SQLiteDB& db, int macro_id) {
  return IsDone(Run(db, "DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id));
}

}  // namespace

int ProfileStore::AddMacro(const std::string& name) {
  Lock lock(m_db_lock);
  return Insert(m_db, kInsertMacro, 1, 1, 0, 0, name);
}

int ProfileStore::AddMacroWithSettings(const MacroRow& row) {
  Lock lock(m_db_lock);
  return Insert(m_db, kInsertMacro, row.play_times, row.delay_type, row.delay_time, row.link_count,
                row.name);
}

bool ProfileStore::RenameMacro(int macro_id, const std::string& name) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", name, macro_id));
}

bool ProfileStore::UpdateMacroPlayback(const MacroRow& row) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db,
                    "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ? "
                    "WHERE macro_id = ?",
                    row.play_times, row.delay_type, row.delay_time, row.macro_id));
}

bool ProfileStore::DeleteMacro(int macro_id) {
  Lock lock(m_db_lock);
  // All or nothing: a failure must not leave keys pointing at a macro that is gone.
  return InTransaction(m_db, [&] {
    if (!IsDone(Run(m_db, "DELETE FROM t_macro_data WHERE macro_id = ?", macro_id))) return false;
    DeleteRecords(m_db, macro_id);
    return IsDone(Run(m_db, "DELETE FROM t_key_macro_data WHERE macro_type = ? and macro_value = ?",
                      kMacroAssignment, macro_id));
  });
}

bool ProfileStore::GetMacroPlayTimes(int macro_id, int& count) {
  Lock lock(m_db_lock);
  return ReadRow(
      m_db, count, [](const SQLiteStatement& s) { return s.ColumnInt(0); },
      "SELECT play_times FROM t_macro_data WHERE macro_id = ?", macro_id);
}

bool ProfileStore::GetMacro(int macro_id, MacroRow& row) {
  Lock lock(m_db_lock);
  return ReadRow(m_db, row, ReadMacro, "SELECT * FROM t_macro_data WHERE macro_id = ?", macro_id);
}

int ProfileStore::GetMacros(std::vector<MacroRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadMacro, "SELECT * FROM t_macro_data");
}

int ProfileStore::AddMacroRecord(const MacroRecordRow& row) {
  Lock lock(m_db_lock);
  return InsertRecord(m_db, row, row.macro_id);
}

bool ProfileStore::AddMacroRecords(const std::vector<MacroRecordRow>& list) {
  Lock lock(m_db_lock);
  return InTransaction(m_db, [&] { return InsertRecords(m_db, list, std::nullopt); });
}

int ProfileStore::GetMacroRecords(int macro_id, std::vector<MacroRecordRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadRecord, kSelectRecords, macro_id);
}

bool ProfileStore::DeleteMacroRecords(int macro_id) {
  Lock lock(m_db_lock);
  return DeleteRecords(m_db, macro_id);
}

int ProfileStore::CountMacroActions(int macro_id) {
  Lock lock(m_db_lock);
  std::vector<MacroRecordRow> records;
  ReadRows(m_db, records, ReadRecord, kSelectRecords, macro_id);
  int actions = 0;
  for (const MacroRecordRow& record : records) actions += record.type != kNonActionRecord ? 1 : 0;
  return actions;
}

bool ProfileStore::ReplaceMacroRecords(int macro_id, const std::vector<MacroRecordRow>& list) {
  Lock lock(m_db_lock);
  return InTransaction(
      m_db, [&] { return DeleteRecords(m_db, macro_id) && InsertRecords(m_db, list, macro_id); });
}
