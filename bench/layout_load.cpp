// Reading the full-size keyboard's layout file, the largest one the program
// loads at start-up and after a factory reset.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "keys/layout_file.h"
#include "keys/virtual_key.h"

namespace {

// The build copies the installed data set next to the executables.
std::string FullSizeLayoutPath() {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "layouts" /
          "tervane_k201.xml")
      .string();
}

void BM_ReadFullSizeLayout(benchmark::State& state) {
  const std::string path = FullSizeLayoutPath();
  for (auto _ : state) {
    LayoutFileResult r = ReadLayoutFile(path);
    if (r.status != LayoutFileStatus::kRead) {
      state.SkipWithError("layout file not readable");
      break;
    }
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ReadFullSizeLayout)->Unit(benchmark::kMicrosecond);

// Every virtual-key code once; macro playback looks one up per event.
void BM_KeyCodeFromVirtualKey(benchmark::State& state) {
  for (auto _ : state) {
    int sum = 0;
    for (int vk = 0; vk < 256; ++vk) sum += KeyCodeFromVirtualKey(vk);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_KeyCodeFromVirtualKey);

}  // namespace
BENCHMARK_MAIN();
