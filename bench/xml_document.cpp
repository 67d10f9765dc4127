// XmlDocument on the program's real work: loading and walking the largest
// layout file, and assembling an export the size of a large profile
// (one element per key assignment and macro record).
#include <benchmark/benchmark.h>

#include <string>

#include "interchange/xml_document.h"
#include "shell/paths.h"

namespace {

void BM_LoadAndWalkLayout(benchmark::State& state) {
  const std::string path = GetModuleDirectory() + "layouts/tervane_k201.xml";
  for (auto _ : state) {
    XmlDocument doc;
    if (!doc.LoadFile(path)) state.SkipWithError("layout missing");
    doc.FindElement("device.info");
    doc.EnterElement();
    doc.FindElement("Keyboard");
    doc.EnterElement();
    doc.FindElement("KeyItems");
    doc.EnterElement();
    int keys = 0;
    while (doc.FindElement("key")) {
      benchmark::DoNotOptimize(doc.GetAttribute("rect"));
      ++keys;
    }
    state.counters["keys"] = keys;
  }
}
BENCHMARK(BM_LoadAndWalkLayout)->Unit(benchmark::kMicrosecond);

void BM_AssembleExport(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  for (auto _ : state) {
    XmlDocument doc;
    doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    doc.AddElement("macro");
    doc.EnterElement();
    doc.AddElement("macroitems");
    doc.EnterElement();
    for (int i = 0; i < items; ++i) {
      doc.AddElement("item");
      doc.SetAttribute("desc", "Key & \"name\"");
      doc.SetAttribute("type", std::to_string(i % 2 + 1));
      doc.SetAttribute("value", std::to_string(65 + i % 26));
      doc.SetAttribute("delay_time", "10");
    }
    benchmark::DoNotOptimize(doc.GetText().size());
  }
  state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_AssembleExport)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
