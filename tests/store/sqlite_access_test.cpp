#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "store/sqlite_auto_transaction.h"
#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"
#include "store_fixture.h"

namespace {

constexpr int kMisuse = SQLiteDB::kMisuse;

int CountRows(SQLiteDB& db, const char* table) {
  SQLiteStatement statement;
  const std::string sql = std::string("SELECT count(*) FROM ") + table;
  if (db.Prepare(statement, sql.c_str()) != 0 || statement.Step() != SQLiteStatement::kRow) {
    return -1;
  }
  return statement.ColumnInt(0);
}

// Whether this process holds a descriptor on `path`.
bool OpenInThisProcess(const std::string& path) {
  const std::filesystem::path wanted = std::filesystem::canonical(path);
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(fd.path(), error) == wanted) return true;
  }
  return false;
}

// A connection on a new file in a scratch folder.
class SQLiteScratch : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db.Open(dir.File("a.db").c_str(), SQLiteDB::kOpenCreate)); }

  TempDir dir;
  SQLiteDB db;
};

TEST(SQLiteDB, OpensOnlyExistingFilesUnlessAskedToCreate) {
  TempDir dir;
  const std::string path = dir.File("a.db");
  SQLiteDB db;
  EXPECT_FALSE(db.Open(path.c_str(), SQLiteDB::kOpenExisting));
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(db.Open(nullptr, SQLiteDB::kOpenCreate));

  ASSERT_TRUE(db.Open(path.c_str(), SQLiteDB::kOpenCreate));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(db.Execute("CREATE TABLE t(v INTEGER)"), 0);
  EXPECT_TRUE(db.Close());
  EXPECT_TRUE(db.Close());
  EXPECT_TRUE(db.Open(path.c_str(), SQLiteDB::kOpenExisting));
  EXPECT_EQ(CountRows(db, "t"), 0);
}

TEST(SQLiteDB, ConnectionsJournalAheadAndSyncAtCheckpoints) {
  TempDir dir;
  const std::string path = dir.File("a.db");
  SQLiteDB db;
  ASSERT_TRUE(db.Open(path.c_str(), SQLiteDB::kOpenCreate));
  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "PRAGMA journal_mode"), 0);
  ASSERT_EQ(statement.Step(), SQLiteStatement::kRow);
  EXPECT_STREQ(statement.ColumnText(0), "wal");
  ASSERT_EQ(db.Prepare(statement, "PRAGMA synchronous"), 0);
  ASSERT_EQ(statement.Step(), SQLiteStatement::kRow);
  EXPECT_EQ(statement.ColumnInt(0), 1);  // NORMAL
}

TEST(SQLiteDB, ReopeningSwitchesToTheNewFile) {
  TempDir dir;
  const std::string first = dir.File("first.db");
  const std::string second = dir.File("second.db");
  SQLiteDB db;
  ASSERT_TRUE(db.Open(first.c_str(), SQLiteDB::kOpenCreate));
  ASSERT_EQ(db.Execute("CREATE TABLE only_first(v INTEGER); INSERT INTO only_first VALUES (1)"), 0);
  EXPECT_EQ(db.LastInsertRowId(), 1);
  ASSERT_TRUE(db.Open(second.c_str(), SQLiteDB::kOpenCreate));
  EXPECT_EQ(CountRows(db, "only_first"), -1);
  EXPECT_EQ(db.LastInsertRowId(), 0);
}

TEST(SQLiteDB, ClosedConnectionAndUnpreparedStatementAreMisuse) {
  SQLiteDB db;
  SQLiteStatement statement;
  EXPECT_EQ(db.Execute("SELECT 1"), kMisuse);
  EXPECT_EQ(db.Prepare(statement, "SELECT 1"), kMisuse);
  EXPECT_EQ(db.LastInsertRowId(), -1);
  EXPECT_EQ(statement.BindInt(1, 5), kMisuse);
  EXPECT_EQ(statement.BindText(1, "x", 1), kMisuse);
  EXPECT_EQ(statement.Step(), kMisuse);
  EXPECT_EQ(statement.ColumnInt(0), 0);
  EXPECT_EQ(statement.ColumnText(0), nullptr);
  EXPECT_EQ(statement.Finalize(), 0);

  TempDir dir;
  ASSERT_TRUE(db.Open(dir.File("a.db").c_str(), SQLiteDB::kOpenCreate));
  EXPECT_EQ(db.Execute(nullptr), kMisuse);
  EXPECT_EQ(db.Prepare(statement, nullptr), kMisuse);
  EXPECT_NE(db.Prepare(statement, "SELEC nonsense"), 0);
  EXPECT_EQ(statement.Step(), kMisuse);
}

TEST_F(SQLiteScratch, StatementPreparedAgainReleasesTheOldOneAndRunsOnlyTheNew) {
  ASSERT_EQ(db.Execute("CREATE TABLE t(n INTEGER, s TEXT)"), 0);

  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "INSERT INTO t VALUES (1, 'old')"), 0);
  const std::string text = "Ünïcode 配置";
  ASSERT_EQ(db.Prepare(statement, "INSERT INTO t VALUES (?, ?)"), 0);
  EXPECT_EQ(statement.BindInt(1, -7), 0);
  EXPECT_EQ(statement.BindText(2, text), 0);
  EXPECT_EQ(statement.Step(), SQLiteStatement::kDone);
  ASSERT_EQ(db.Execute("INSERT INTO t VALUES (2, NULL)"), 0);

  ASSERT_EQ(db.Prepare(statement, "SELECT n, s FROM t ORDER BY rowid"), 0);
  ASSERT_EQ(statement.Step(), SQLiteStatement::kRow);
  EXPECT_EQ(statement.ColumnInt(0), -7);
  EXPECT_EQ(statement.ColumnText(1), text);
  ASSERT_EQ(statement.Step(), SQLiteStatement::kRow);
  EXPECT_EQ(statement.ColumnText(1), nullptr);
  EXPECT_EQ(statement.Step(), SQLiteStatement::kDone);
}

TEST_F(SQLiteScratch, StatementIsReleasedOnceEvenWhenItsLastStepFailed) {
  ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER UNIQUE); INSERT INTO t VALUES (1)"), 0);
  SQLiteStatement statement;
  ASSERT_EQ(db.Prepare(statement, "INSERT INTO t VALUES (1)"), 0);
  EXPECT_NE(statement.Step(), SQLiteStatement::kDone);
  EXPECT_NE(statement.Finalize(), 0);
  EXPECT_FALSE(statement.IsPrepared());
  EXPECT_EQ(statement.Finalize(), 0);
  EXPECT_TRUE(db.Close());  // no statement is left open on the connection
}

// A statement still alive at Close: the connection is let go of at once, so a reopen writes to
// the new file, and the old file stays open, as Close reports, until the statement ends.
TEST_F(SQLiteScratch, CloseWithALiveStatementLetsGoAndReportsTheFileStillOpen) {
  const std::string first = dir.File("a.db");
  ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER); INSERT INTO t VALUES (1), (2)"), 0);
  SQLiteStatement reading;
  ASSERT_EQ(db.Prepare(reading, "SELECT v FROM t"), 0);
  ASSERT_EQ(reading.Step(), SQLiteStatement::kRow);

  EXPECT_FALSE(db.Close());
  EXPECT_FALSE(db.IsOpen());
  EXPECT_TRUE(OpenInThisProcess(first));

  ASSERT_TRUE(db.Open(dir.File("b.db").c_str(), SQLiteDB::kOpenCreate));
  ASSERT_EQ(db.Execute("CREATE TABLE u(v INTEGER)"), 0);
  SQLiteDB check;
  ASSERT_TRUE(check.Open(first.c_str(), SQLiteDB::kOpenReadOnly));
  EXPECT_EQ(CountRows(check, "u"), -1) << "the new table went to the old file";
  ASSERT_TRUE(check.Close());

  EXPECT_EQ(reading.Step(), SQLiteStatement::kRow) << "the statement still works";
  EXPECT_EQ(reading.Finalize(), 0);
  EXPECT_FALSE(OpenInThisProcess(first));
  EXPECT_TRUE(db.Close());
}

TEST_F(SQLiteScratch, TransactionCommitsOnRequestAndRollsBackOtherwise) {
  ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER)"), 0);
  {
    SQLiteAutoTransaction transaction(&db);
    EXPECT_TRUE(transaction.Started());
    EXPECT_FALSE(transaction.Begin());  // the constructor already began it
    ASSERT_EQ(db.Execute("INSERT INTO t VALUES (1)"), 0);
    EXPECT_TRUE(transaction.Commit());
    EXPECT_FALSE(transaction.Commit());
  }
  {
    SQLiteAutoTransaction transaction(&db);
    ASSERT_EQ(db.Execute("INSERT INTO t VALUES (2)"), 0);
  }
  {
    SQLiteAutoTransaction transaction(&db);
    ASSERT_EQ(db.Execute("INSERT INTO t VALUES (3)"), 0);
    EXPECT_TRUE(transaction.Rollback());
  }
  EXPECT_EQ(CountRows(db, "t"), 1);
  // The connection is outside any transaction again.
  SQLiteAutoTransaction next(&db);
  EXPECT_TRUE(next.Started());
}

TEST(SQLiteAutoTransaction, DoesNothingWithoutAConnection) {
  SQLiteDB closed;
  SQLiteAutoTransaction on_closed(&closed);
  EXPECT_FALSE(on_closed.Started());
  EXPECT_FALSE(on_closed.Begin());
  EXPECT_FALSE(on_closed.Commit());
  EXPECT_FALSE(on_closed.Begin());

  SQLiteAutoTransaction on_null(nullptr);
  EXPECT_FALSE(on_null.Begin());
  EXPECT_FALSE(on_null.Commit());
}

TEST_F(SQLiteScratch, NestedTransactionNeverCommitsTheOuterBatch) {
  ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER)"), 0);
  SQLiteAutoTransaction outer(&db);
  ASSERT_EQ(db.Execute("INSERT INTO t VALUES (1)"), 0);
  {
    SQLiteAutoTransaction inner(&db);
    EXPECT_FALSE(inner.Started());
    EXPECT_FALSE(inner.Commit());
  }
  EXPECT_TRUE(outer.Rollback());
  EXPECT_EQ(CountRows(db, "t"), 0);
}

}  // namespace
