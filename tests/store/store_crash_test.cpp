// A writer killed with SIGKILL at random moments: every reopen finds an intact database holding
// whole sets only. Now and then the file is removed first, so that kills also land while a new
// file is being created.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "store/database_file.h"
#include "store/profile_store.h"
#include "store_fixture.h"

namespace {

constexpr int kKills = 300;
constexpr int kFreshFileEvery = 25;
constexpr int kKeys = 110;
constexpr int kRecords = 24;
constexpr int kMaxDelayUs = 9000;

// Writes colour sets and macro record sets in a loop until killed; never returns.
[[noreturn]] void WriteUntilKilled(const std::string& base) {
  ProfileStore store;
  if (!store.OpenForDevice(base, "K")) _exit(2);
  MacroRow macro;
  if (!store.GetMacro(1, macro) && store.AddMacro("M") != 1) _exit(3);
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (int round = 1; std::chrono::steady_clock::now() < give_up; ++round) {
    store.ReplaceKeyLights(ColourSet(round, kKeys));
    std::vector<MacroRecordRow> records;
    for (int i = 0; i < kRecords; ++i) records.push_back({0, 1, 2, i, round, 5, "r"});
    store.ReplaceMacroRecords(1, records);
  }
  _exit(4);
}

// Whole sets only: none, or every row with the same round.
template <typename Row, typename Tag>
bool IsWhole(const std::vector<Row>& rows, std::size_t size, Tag tag) {
  if (rows.empty()) return true;
  if (rows.size() != size) return false;
  for (const Row& row : rows) {
    if (tag(row) != tag(rows.front())) return false;
  }
  return true;
}

TEST(ProfileStoreCrash, KilledWritersNeverLeaveHalfASetOrADamagedFile) {
  TempDir dir;
  const std::string path = database_file::PathFor(dir.path(), "K");
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay_us(0, kMaxDelayUs);
  int rounds_seen = 0;
  for (int kill_no = 0; kill_no < kKills; ++kill_no) {
    SCOPED_TRACE("kill " + std::to_string(kill_no));
    if (kill_no % kFreshFileEvery == 0) {
      ASSERT_TRUE(database_file::Remove(path));
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteUntilKilled(dir.path());
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

    if (!database_file::Exists(path)) continue;  // killed before the file existed
    ASSERT_EQ(QueryOne(path, "PRAGMA integrity_check"), "ok");
    ProfileStore store;
    ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
    ASSERT_TRUE(store.SetAsideFile().empty());
    std::vector<KeyLightRow> colours;
    store.GetKeyLights(128, colours);
    ASSERT_TRUE(IsWhole(colours, kKeys, [](const KeyLightRow& r) { return r.key_rgb; }));
    std::vector<MacroRecordRow> records;
    store.GetMacroRecords(1, records);
    ASSERT_TRUE(IsWhole(records, kRecords, [](const MacroRecordRow& r) { return r.value; }));
    for (std::size_t i = 0; i < records.size(); ++i) ASSERT_EQ(records[i].record_index, int(i));
    if (!colours.empty()) rounds_seen = std::max(rounds_seen, colours.front().key_rgb);
  }
  // The kills did land among writes, not only before the first one.
  EXPECT_GT(rounds_seen, 1);
}

}  // namespace
