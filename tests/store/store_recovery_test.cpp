#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "store/profile_store.h"
#include "store_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string RandomBytes(std::size_t count) {
  std::mt19937 random(7);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// A complete store file with some rows, closed so that everything is in the main file.
void MakeStoreFile(const std::string& base, const std::string& name) {
  ProfileStore store;
  ASSERT_TRUE(store.OpenForDevice(base, name));
  for (int i = 0; i < 200; ++i) store.AddProfile({0, "Profile " + std::to_string(i), "", 0, 0});
  ASSERT_TRUE(store.Close());
}

void RunSql(const std::string& path, const char* sql, int flags = SQLiteDB::kOpenExisting) {
  fs::create_directories(fs::path(path).parent_path());
  SQLiteDB db;
  ASSERT_TRUE(db.Open(path.c_str(), flags));
  ASSERT_EQ(db.Execute(sql), 0) << sql;
}

TEST(ProfileStoreRecovery, AnUnusableFileIsKeptAsideAndAFreshDatabaseTakesItsPlace) {
  struct Case {
    const char* what;
    void (*make)(const std::string& base, const std::string& path);
  };
  const Case cases[] = {
      {"garbage",
       [](const std::string&, const std::string& path) { WriteBytes(path, RandomBytes(10000)); }},
      {"garbage with a log beside it",
       [](const std::string&, const std::string& path) {
         WriteBytes(path, RandomBytes(8192));
         WriteBytes(path + "-wal", RandomBytes(4096));
       }},
      {"truncated",
       [](const std::string& base, const std::string& path) {
         MakeStoreFile(base, "K");
         fs::resize_file(path, fs::file_size(path) / 2);
       }},
      {"another program's database",
       [](const std::string&, const std::string& path) {
         RunSql(path, "CREATE TABLE notes(id INTEGER PRIMARY KEY, body TEXT)",
                SQLiteDB::kOpenCreate);
       }},
      {"a table of another layout",
       [](const std::string& base, const std::string& path) {
         MakeStoreFile(base, "K");
         RunSql(path,
                "DROP TABLE t_macrorecord; CREATE TABLE t_macrorecord(record_id INTEGER "
                "PRIMARY KEY, macro_id INTEGER, type INTEGER, record_index INTEGER)");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string path = dir.path() + "/db/K_data_v1.db";
    c.make(dir.path(), path);
    const std::string original = ReadBytes(path);
    const bool had_log = fs::exists(path + "-wal");
    const std::string original_log = had_log ? ReadBytes(path + "-wal") : "";

    ProfileStore store;
    ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
    const std::string aside = store.SetAsideFile();
    ASSERT_FALSE(aside.empty());
    EXPECT_EQ(aside.rfind(path + ".unreadable-", 0), 0u) << aside;
    EXPECT_TRUE(ReadBytes(aside) == original) << "the set-aside file differs from the original";
    if (had_log) {
      EXPECT_TRUE(ReadBytes(aside + "-wal") == original_log) << "the log did not move unchanged";
    }

    EXPECT_EQ(store.AddProfile({0, "Fresh", "", 0, 0}), 1);
    ASSERT_TRUE(store.Close());
    ProfileStore reopened;
    ASSERT_TRUE(reopened.OpenForDevice(dir.path(), "K"));
    EXPECT_TRUE(reopened.SetAsideFile().empty());
    std::vector<ProfileRow> profiles;
    EXPECT_EQ(reopened.GetProfiles(profiles), 1);
  }
}

TEST(ProfileStoreRecovery, AnEmptyFileIsCompletedInPlace) {
  TempDir dir;
  const std::string path = dir.path() + "/db/K_data_v1.db";
  WriteBytes(path, "");
  ProfileStore store;
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
  EXPECT_TRUE(store.SetAsideFile().empty());
  EXPECT_EQ(store.AddMacro("M"), 1);
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.path() + "/db")) {
    EXPECT_EQ(entry.path().string().find(".unreadable"), std::string::npos) << entry.path();
  }
}

TEST(ProfileStoreRecovery, AFileThatCannotBeOpenedIsLeftAlone) {
  TempDir dir;
  const std::string path = dir.path() + "/db/K_data_v1.db";
  fs::create_directories(path);  // a folder where the file should be
  ProfileStore store;
  EXPECT_FALSE(store.OpenForDevice(dir.path(), "K"));
  EXPECT_FALSE(store.IsOpen());
  EXPECT_TRUE(store.SetAsideFile().empty());
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(store.AddProfile({0, "x", "", 0, 0}), 0);
}

TEST(ProfileStoreRecovery, DeletingTheFileTakesItsLogSoTheNewFileStartsEmpty) {
  TempDir dir;
  // A program that ends without closing leaves its last writes in the log beside the file.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ProfileStore store;
    const bool stored =
        store.OpenForDevice(dir.path(), "K") && store.AddProfile({0, "Old", "", 0, 0}) == 1;
    _exit(stored ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string path = dir.path() + "/db/K_data_v1.db";
  ASSERT_TRUE(fs::exists(path + "-wal"));

  ProfileStore store;
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
  EXPECT_TRUE(store.DeleteDatabaseFile(dir.path(), "K"));
  EXPECT_FALSE(store.IsOpen());
  for (const char* suffix : {"", "-wal", "-shm"}) EXPECT_FALSE(fs::exists(path + suffix)) << suffix;
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
  std::vector<ProfileRow> profiles;
  EXPECT_EQ(store.GetProfiles(profiles), 0);
}

}  // namespace
