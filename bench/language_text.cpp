// LoadText reads the language file at every call; this measures one lookup
// of an early and a late text, and the ~100 lookups of a full relabel.
#include <benchmark/benchmark.h>

#include "shell/current_language.h"
#include "shell/language_text.h"

namespace {

void BM_LoadText(benchmark::State& state) {
  SetCurrentLanguage(kLanguageChinese);
  const int number = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(LoadText(kTextSection, number));
}
BENCHMARK(BM_LoadText)->Arg(2)->Arg(715)->Unit(benchmark::kMicrosecond);

void BM_Relabel(benchmark::State& state) {
  SetCurrentLanguage(kLanguageEnglish);
  for (auto _ : state) {
    for (int n = 0; n < 100; ++n) benchmark::DoNotOptimize(LoadText(kTextSection, 200 + n));
  }
}
BENCHMARK(BM_Relabel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
