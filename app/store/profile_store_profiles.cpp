// ProfileStore operations on profiles, key assignments and the text data of software key actions.
#include "store/profile_store.h"
#include "store/statement_helpers.h"

using namespace store_sql;
using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

// Columns of t_profile_data: profile, name, status, app, type.
ProfileRow ReadProfile(const SQLiteStatement& s) {
  ProfileRow row;
  row.profile = s.ColumnInt(0);
  row.name = ColumnString(s, 1);
  row.status = s.ColumnInt(2);
  row.app = ColumnString(s, 3);
  row.type = s.ColumnInt(4);
  return row;
}

KeyAssignmentRow ReadKeyAssignment(const SQLiteStatement& s) {
  KeyAssignmentRow row;
  row.key_id = s.ColumnInt(0);
  row.profile = s.ColumnInt(1);
  row.fn_layer = s.ColumnInt(2);
  row.key_code = s.ColumnInt(3);
  row.layout_value = s.ColumnInt(4);
  row.layout_desc = ColumnString(s, 5);
  row.macro_type = s.ColumnInt(6);
  row.macro_value = s.ColumnInt(7);
  row.macro_value2 = s.ColumnInt(8);
  row.macro_value3 = s.ColumnInt(9);
  row.macro_desc = ColumnString(s, 10);
  return row;
}

}  // namespace

int ProfileStore::AddProfile(const ProfileRow& row) {
  Lock lock(m_db_lock);
  return Insert(m_db, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                row.name, 0, row.app, 0);
}

bool ProfileStore::DeleteProfile(int profile) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db, "DELETE FROM t_profile_data WHERE profile = ?", profile));
}

bool ProfileStore::RenameProfile(int profile, const std::string& name) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db, "UPDATE t_profile_data SET name = ? WHERE profile = ?", name, profile));
}

bool ProfileStore::GetProfileName(int profile, std::string& name) {
  Lock lock(m_db_lock);
  name.clear();
  return ReadRow(
      m_db, name, [](const SQLiteStatement& s) { return ColumnString(s, 0); },
      "SELECT name FROM t_profile_data WHERE profile = ?", profile);
}

int ProfileStore::GetProfiles(std::vector<ProfileRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadProfile, "SELECT * FROM t_profile_data");
}

bool ProfileStore::SetActiveProfile(int profile) {
  Lock lock(m_db_lock);
  // One transaction, so no reader ever sees no profile, or two, active.
  return InTransaction(m_db, [&] {
    return IsDone(Run(m_db, "UPDATE t_profile_data SET status = ?", 0)) &&
           IsDone(Run(m_db, "UPDATE t_profile_data SET status = ? WHERE profile = ?", 1, profile));
  });
}

int ProfileStore::GetActiveProfile() {
  Lock lock(m_db_lock);
  return ReadInt(m_db, 0, "SELECT profile FROM t_profile_data WHERE status = ?", 1);
}

int ProfileStore::SaveKeyAssignment(const KeyAssignmentRow& row) {
  if (row.key_code == 0) return 0;
  Lock lock(m_db_lock);
  // The delete stands even when the insert fails (the key then has its factory function, as the
  // result 0 says); the transaction only keeps a crash from parting the two. Without one of its
  // own (BEGIN refused) nothing is written, so the 0 returned is true.
  SQLiteAutoTransaction transaction(&m_db);
  if (!transaction.Started()) return 0;
  Run(m_db, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
      row.profile, row.fn_layer, row.key_code);
  int key_id = 0;
  if (row.macro_value != 0 || row.macro_value2 != 0) {
    key_id =
        Insert(m_db,
               "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
               "layout_desc, macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
               row.profile, row.fn_layer, row.key_code, row.layout_value, row.layout_desc,
               row.macro_type, row.macro_value, row.macro_value2, row.macro_value3, row.macro_desc);
  }
  return transaction.Commit() ? key_id : 0;
}

bool ProfileStore::GetKeyAssignment(int profile, int fn_layer, int key_code,
                                    KeyAssignmentRow& row) {
  Lock lock(m_db_lock);
  return ReadRow(
      m_db, row, ReadKeyAssignment,
      "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?", profile,
      fn_layer, key_code);
}

int ProfileStore::GetKeyAssignments(int profile, int fn_layer,
                                    std::vector<KeyAssignmentRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadKeyAssignment,
                  "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", profile,
                  fn_layer);
}

bool ProfileStore::DeleteProfileKeyAssignments(int profile) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db, "DELETE FROM t_key_macro_data WHERE profile = ?", profile));
}

int ProfileStore::AddKeyOtherData(const std::string& desc, const std::string& param, int type) {
  Lock lock(m_db_lock);
  return Insert(m_db, "INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?);",
                desc, param, type);
}

bool ProfileStore::GetKeyOtherData(int macro_value, std::string& desc, std::string& param,
                                   int& type) {
  Lock lock(m_db_lock);
  SQLiteStatement statement;
  if (PrepareBound(m_db, statement,
                   "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?",
                   macro_value) == 0 &&
      statement.Step() == SQLiteStatement::kRow) {
    desc = ColumnString(statement, 0);
    param = ColumnString(statement, 1);
    type = statement.ColumnInt(2);
  }
  return true;
}
