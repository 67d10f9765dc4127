// Timings of the store operations the pages run most: replacing the 110-key colour set, saving one
// key assignment, and reading every assignment of a profile. Run by hand; medians are reported.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "store/profile_store.h"

namespace {

constexpr int kKeys = 110;

// A store on a fresh file in a scratch folder that is removed afterwards.
class BenchStore {
 public:
  BenchStore() {
    std::string pattern = (std::filesystem::temp_directory_path() / "store-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_folder = pattern;
    m_ready = !m_folder.empty() && store.OpenForDevice(m_folder, "Bench");
  }
  ~BenchStore() {
    store.Close();
    std::error_code ec;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ec);
  }
  bool ready() const { return m_ready; }

  ProfileStore store;

 private:
  std::string m_folder;
  bool m_ready = false;
};

KeyAssignmentRow Assignment(int key_code, int value) {
  KeyAssignmentRow row;
  row.profile = 1;
  row.key_code = key_code;
  row.macro_type = 2;
  row.macro_value = value;
  row.macro_value2 = key_code;
  row.macro_desc = "Volume up";
  return row;
}

void BM_ReplaceColourSet110(benchmark::State& state) {
  BenchStore bench;
  if (!bench.ready()) return state.SkipWithError("cannot create the store");
  std::vector<KeyLightRow> set;
  for (int key = 1; key <= kKeys; ++key) set.push_back({0, 1, 128, key, 0});
  int colour = 0;
  for (auto _ : state) {
    for (KeyLightRow& row : set) row.key_rgb = colour;
    ++colour;
    if (!bench.store.ReplaceKeyLights(set)) return state.SkipWithError("replace failed");
  }
}

void BM_SaveOneKeyAssignment(benchmark::State& state) {
  BenchStore bench;
  if (!bench.ready()) return state.SkipWithError("cannot create the store");
  for (int key = 1; key <= kKeys; ++key) bench.store.SaveKeyAssignment(Assignment(key, 233));
  int value = 0;
  for (auto _ : state) {
    if (bench.store.SaveKeyAssignment(Assignment(41, 233 + (value++ % 10))) == 0) {
      return state.SkipWithError("save failed");
    }
  }
}

void BM_ReadAllAssignmentsOfAProfile(benchmark::State& state) {
  BenchStore bench;
  if (!bench.ready()) return state.SkipWithError("cannot create the store");
  for (int profile = 1; profile <= 3; ++profile) {
    for (int key = 1; key <= kKeys; ++key) {
      KeyAssignmentRow row = Assignment(key, 233);
      row.profile = profile;
      bench.store.SaveKeyAssignment(row);
    }
  }
  std::vector<KeyAssignmentRow> rows;
  for (auto _ : state) {
    if (bench.store.GetKeyAssignments(2, 0, rows) != kKeys)
      return state.SkipWithError("read failed");
    benchmark::DoNotOptimize(rows.data());
  }
}

BENCHMARK(BM_ReplaceColourSet110)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SaveOneKeyAssignment)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadAllAssignmentsOfAProfile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
