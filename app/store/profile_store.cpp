// The life cycle of the profile store: choosing, opening, creating, setting aside and deleting the
// database file, and the default configuration rows of a new database.
#include "store/profile_store.h"

#include <array>
#include <utility>

#include "store/database_file.h"
#include "store/sqlite_auto_transaction.h"
#include "store/statement_helpers.h"
#include "store/store_schema.h"

using Lock = std::lock_guard<std::recursive_mutex>;

ProfileStore& ProfileStore::GetInstance() {
  static ProfileStore store;
  return store;
}

ProfileStore::~ProfileStore() {
  Lock lock(m_db_lock);
  if (m_open) CloseLocked();
}

bool ProfileStore::OpenForDevice(const std::string& base_folder, const std::string& database_name) {
  Lock lock(m_db_lock);
  std::string path = database_file::PathFor(base_folder, database_name);
  m_set_aside_path.clear();
  // A connection is only kept for the file it was opened on, never for another model's.
  if (m_db.IsOpen() && path != m_path) CloseLocked();
  m_path = std::move(path);
  if (database_file::Exists(m_path)) {
    m_open = m_db.IsOpen() || OpenExistingLocked();
  } else {
    m_open = CreateSchemaLocked();
  }
  return m_open;
}

bool ProfileStore::OpenExistingLocked() {
  // The file is judged through a read-only connection, so that a file about to be set aside is
  // kept exactly as it was found, log included.
  store_schema::FileState state;
  {
    SQLiteDB probe;
    if (!probe.Open(m_path.c_str(), SQLiteDB::kOpenReadOnly)) return false;
    state = store_schema::Inspect(probe);
  }
  switch (state) {
    case store_schema::FileState::kCurrent:
    case store_schema::FileState::kEmpty:
      if (!m_db.Open(m_path.c_str(), SQLiteDB::kOpenExisting)) return false;
      // Also brings back an index that went missing; a complete file is not written to.
      if (RunSchemaStatementsLocked()) return true;
      CloseLocked();
      return false;
    case store_schema::FileState::kInaccessible:
      return false;
    case store_schema::FileState::kForeign:
    case store_schema::FileState::kUnreadable:
      break;
  }
  std::string aside = database_file::SetAside(m_path);
  if (aside.empty()) return false;
  m_set_aside_path = std::move(aside);
  return CreateSchemaLocked();
}

bool ProfileStore::CreateSchema() {
  Lock lock(m_db_lock);
  return CreateSchemaLocked();
}

bool ProfileStore::CreateSchemaLocked() {
  if (m_db.IsOpen()) return true;
  // SQLite would take an empty path for a temporary database that vanishes on close.
  if (m_path.empty() || !database_file::EnsureFolder(m_path)) return false;
  if (!m_db.Open(m_path.c_str(), SQLiteDB::kOpenCreate)) return false;
  if (RunSchemaStatementsLocked()) return true;
  CloseLocked();
  return false;
}

bool ProfileStore::RunSchemaStatementsLocked() {
  // One transaction: a file whose creation was cut short holds no table at all, never half a
  // schema, and is simply completed on the next open.
  SQLiteAutoTransaction transaction(&m_db);
  if (!transaction.Started()) return false;
  bool all_ran = true;
  for (const char* sql : store_schema::kStatements) all_ran = m_db.Execute(sql) == 0 && all_ran;
  return all_ran && transaction.Commit();
}

bool ProfileStore::DeleteDatabaseFile(const std::string& base_folder,
                                      const std::string& database_name) {
  Lock lock(m_db_lock);
  const std::string path = database_file::PathFor(base_folder, database_name);
  // A statement still running keeps the file open; unlinking it then would lose what it writes.
  if (m_db.IsOpen() && path == m_path && !CloseLocked()) return false;
  return database_file::Remove(path);
}

bool ProfileStore::Close() {
  Lock lock(m_db_lock);
  return CloseLocked();
}

bool ProfileStore::CloseLocked() {
  m_open = false;
  return m_db.Close();
}

bool ProfileStore::IsOpen() const {
  Lock lock(m_db_lock);
  return m_open;
}

std::string ProfileStore::DatabasePath() const {
  Lock lock(m_db_lock);
  return m_path;
}

std::string ProfileStore::SetAsideFile() const {
  Lock lock(m_db_lock);
  return m_set_aside_path;
}

bool ProfileStore::SeedConfiguration() {
  static constexpr std::array<std::pair<const char*, const char*>, 11> kDefaults = {{
      {"version", "1.0.1"},
      {"keyboard_layout", "1"},
      {"fn_layer", "0"},
      {"lightmode", "1"},
      {"sleep_light", "1"},
      {"userlight", "0"},
      {"customlight_run", "0"},
      {"gamemode", "0"},
      {"disable_alttab", "0"},
      {"disable_altf4", "0"},
      {"disable_win", "0"},
  }};
  Lock lock(m_db_lock);
  SQLiteAutoTransaction transaction(&m_db);
  if (!transaction.Started()) return false;
  for (const auto& [key, value] : kDefaults) {
    const int rc =
        store_sql::Run(m_db, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);", 1,
                       std::string(key), std::string(value));
    if (rc != SQLiteStatement::kDone) return false;
  }
  return transaction.Commit();
}
