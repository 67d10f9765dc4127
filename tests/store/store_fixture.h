// Shared helpers of the store tests: reading values straight from a database file through a
// connection of the test's own, and a full custom colour set.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/profile_store.h"
#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"
#include "store/store_rows.h"
#include "support/temp_dir.h"

// The first column of every row of sql, as text ("" for NULL); a failing query adds a test failure.
inline std::vector<std::string> QueryColumn(const std::string& db_path, const std::string& sql) {
  std::vector<std::string> values;
  SQLiteDB db;
  if (!db.Open(db_path.c_str(), SQLiteDB::kOpenExisting)) {
    ADD_FAILURE() << "cannot open " << db_path;
    return values;
  }
  SQLiteStatement statement;
  EXPECT_EQ(db.Prepare(statement, sql.c_str()), 0) << sql;
  int rc;
  while ((rc = statement.Step()) == SQLiteStatement::kRow) {
    const char* text = statement.ColumnText(0);
    values.emplace_back(text != nullptr ? text : "");
  }
  EXPECT_EQ(rc, SQLiteStatement::kDone) << sql;
  return values;
}

inline std::string QueryOne(const std::string& db_path, const std::string& sql) {
  const std::vector<std::string> values = QueryColumn(db_path, sql);
  return values.empty() ? std::string("<no row>") : values.front();
}

// The custom colour set of a 110-key keyboard, every key in one colour.
inline std::vector<KeyLightRow> ColourSet(int colour, int keys = 110) {
  std::vector<KeyLightRow> set;
  for (int key = 1; key <= keys; ++key) set.push_back({0, 1, 128, key, colour});
  return set;
}

// Three profiles, the first of them active, as a new database gets them.
inline bool AddDefaultProfiles(ProfileStore& store) {
  for (const char* name : {"P 1", "P 2", "P 3"}) {
    if (store.AddProfile({0, name, "", 0, 0}) == 0) return false;
  }
  return store.SetActiveProfile(1);
}
