// Several threads using one store at once: every reader sees whole sets and exactly one active
// profile, and concurrent saves of the same key never leave two rows.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "store/profile_store.h"
#include "store_fixture.h"

namespace {

constexpr int kRounds = 150;
constexpr int kKeys = 110;
constexpr int kRecords = 20;

std::vector<MacroRecordRow> Records(int macro, int tag) {
  std::vector<MacroRecordRow> records;
  for (int i = 0; i < kRecords; ++i) records.push_back({0, macro, 2 + i % 2, i, tag, 10, "k"});
  return records;
}

TEST(ProfileStoreConcurrency, ThreadsSeeOnlyWholeSetsAndOneActiveProfile) {
  TempDir dir;
  ProfileStore store;
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
  ASSERT_TRUE(AddDefaultProfiles(store));
  const int macro = store.AddMacro("M");
  ASSERT_TRUE(store.ReplaceKeyLights(ColourSet(0, kKeys)));
  ASSERT_TRUE(store.ReplaceMacroRecords(macro, Records(macro, 0)));

  std::atomic<int> writers_left{4};
  std::atomic<int> torn{0};
  auto writer = [&](auto body) {
    return std::thread([&, body] {
      for (int round = 1; round <= kRounds; ++round) body(round);
      --writers_left;
    });
  };
  auto save_keys = [&](int round) {
    for (int key = 1; key <= 5; ++key) {
      KeyAssignmentRow row;
      row.profile = 1;
      row.key_code = key;
      row.macro_type = 2;
      row.macro_value = round;
      store.SaveKeyAssignment(row);
    }
  };
  std::vector<std::thread> threads;
  threads.push_back(writer([&](int round) { store.ReplaceKeyLights(ColourSet(round, kKeys)); }));
  threads.push_back(
      writer([&](int round) { store.ReplaceMacroRecords(macro, Records(macro, round)); }));
  threads.push_back(writer([&](int round) {
    store.SetActiveProfile(1 + round % 3);
    save_keys(round);
  }));
  threads.push_back(writer(save_keys));
  threads.emplace_back([&] {
    std::vector<KeyLightRow> lights;
    std::vector<MacroRecordRow> records;
    std::vector<ProfileRow> profiles;
    while (writers_left > 0) {
      const int count = store.GetKeyLights(128, lights);
      if (count != kKeys) ++torn;
      for (const KeyLightRow& row : lights) torn += row.key_rgb != lights[0].key_rgb ? 1 : 0;
      store.GetMacroRecords(macro, records);
      if (records.size() != static_cast<std::size_t>(kRecords)) ++torn;
      for (std::size_t i = 0; i < records.size(); ++i) {
        torn += records[i].value != records[0].value || records[i].record_index != int(i) ? 1 : 0;
      }
      store.GetProfiles(profiles);
      int active = 0;
      for (const ProfileRow& row : profiles) active += row.status;
      torn += active != 1 ? 1 : 0;
    }
  });
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(torn, 0);
  std::vector<KeyAssignmentRow> keys;
  EXPECT_EQ(store.GetKeyAssignments(1, 0, keys), 5);
  std::vector<KeyLightRow> lights;
  ASSERT_EQ(store.GetKeyLights(128, lights), kKeys);
  EXPECT_EQ(lights[0].key_rgb, kRounds);
  EXPECT_EQ(QueryOne(store.DatabasePath(), "PRAGMA integrity_check"), "ok");
}

}  // namespace
